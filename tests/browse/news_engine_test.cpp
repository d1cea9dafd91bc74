// The news page with the real browser engine, against a page served on 127.0.0.1 by the test.
#include "browse/engine_web_view.h"
#include "browse/news_page.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace bearing;

namespace {

// Answers every request with one small page, counting the requests for each path.
class PageServer final : public QObject {
  public:
    explicit PageServer(QByteArray page) : m_page(std::move(page)) {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                serve(socket);
        });
    }
    [[nodiscard]] bool listen() { return m_server.listen(QHostAddress::LocalHost); }
    [[nodiscard]] QUrl address(const QString& path) const {
        return QUrl(QString("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
    }
    [[nodiscard]] int requests(const QByteArray& path) const { return m_paths.count(path); }

  private:
    void serve(QTcpSocket* socket) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            QByteArray& request = m_pending[socket];
            request += socket->readAll();
            if (!request.contains("\r\n\r\n"))
                return;
            m_paths.append(request.split(' ').value(1));
            m_pending.remove(socket);
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n"
                          "Connection: close\r\nContent-Length: " +
                          QByteArray::number(m_page.size()) + "\r\n\r\n" + m_page);
            socket->disconnectFromHost();
        });
    }

    QTcpServer m_server;
    QByteArray m_page;
    QHash<QTcpSocket*, QByteArray> m_pending;
    QList<QByteArray> m_paths;
};

const QByteArray kPage = "<!DOCTYPE html><html><head><title>最新动态</title>"
                         "<link rel=\"icon\" href=\"data:,\"></head>"
                         "<body style=\"margin:0;background:#12ab34\">新闻</body></html>";

} // namespace

class NewsEngineTest : public QObject {
    Q_OBJECT

  private slots:
    void pageIsRequestedOnceAndShown();
};

void NewsEngineTest::pageIsRequestedOnceAndShown() {
    PageServer server(kPage);
    QVERIFY(server.listen());

    NewsPage page(std::make_unique<EngineWebView>(), server.address("/main.php"), nullptr);
    auto* webBrowser1 = page.findChild<WebView*>("WebBrowser1");
    QVERIFY(webBrowser1 != nullptr);
    QSignalSpy finished(webBrowser1, &WebView::loadFinished);
    page.resize(400, 300);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QCOMPARE(server.requests("/main.php"), 0);

    page.load();
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QCOMPARE(server.requests("/main.php"), 1);

    QTRY_COMPARE_WITH_TIMEOUT(webBrowser1->grab().toImage().pixelColor(200, 150),
                              QColor(0x12, 0xab, 0x34), 30000);
    QCOMPARE(server.requests("/main.php"), 1);
}

QTEST_MAIN(NewsEngineTest)
#include "news_engine_test.moc"

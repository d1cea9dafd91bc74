// The window's search while another program's search holds the catalogue: the busy cursor while it
// waits, then the busy report after a short wait, and the next search once the other one is done.
#include "app/form1.h"
#include "platform/file_io.h"
#include "tests/browse/recorders.h"
#include "tests/support/catalogue_file.h"
#include "tests/support/window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace bearing;

namespace {

std::vector<unsigned char> catalogueBytes() {
    using namespace test;
    return catalogueImage(
        {{text("6204"), text("204"), text("SKF 6204"), 47.0, 20.0, 14.0, text("深沟球轴承 0类")}},
        kDoubleDimensions, FileSignature::AtRest);
}

// Another program's search in progress: a child process holding the run lock until it is killed.
class LockHolder {
  public:
    LockHolder() {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(ready[0]);
            const int fd = ::open(kLockFile, O_RDWR | O_CREAT, 0644);
            const char ok = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? '1' : '0';
            (void)!::write(ready[1], &ok, 1);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char ok = '0';
        m_holding = m_pid > 0 && ::read(ready[0], &ok, 1) == 1 && ok == '1';
        ::close(ready[0]);
    }
    ~LockHolder() { release(); }
    [[nodiscard]] bool holding() const { return m_holding; }
    // The other search ends: its process goes, and the lock with it.
    void release() {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

  private:
    pid_t m_pid = -1;
    bool m_holding = false;
};

} // namespace

// The window, noting the cursor at the moment each search reports its result.
class CursorNotingForm : public TForm1 {
  public:
    using TForm1::TForm1;
    std::vector<bool> busyAtResult;

  private:
    void setResultCaption(const std::string&) override {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        busyAtResult.push_back(cursor != nullptr && cursor->shape() == Qt::WaitCursor);
    }
};

class Form1BusyTest : public QObject {
    Q_OBJECT

  private slots:
    void searchWaitingForAnotherProgramShowsTheBusyCursorThenReportsItBriefly();
    void firstSearchShowsTheBusyCursorWhileItRuns();
};

void Form1BusyTest::firstSearchShowsTheBusyCursorWhileItRuns() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const auto previousDir = std::filesystem::current_path();
    std::filesystem::current_path(dir.path().toStdString());
    const auto bytes = catalogueBytes();
    test::writeFile(kCatalogueFile, bytes);
    {
        CursorNotingForm form(nullptr, std::make_unique<RecordingShell>(),
                              std::make_unique<RecordingWebView>());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* searchButton = form.findChild<QPushButton*>("BitBtn1");
        QVERIFY(searchButton != nullptr);
        QTest::mouseClick(searchButton, Qt::LeftButton);
        QTest::mouseClick(searchButton, Qt::LeftButton);
        QCOMPARE(form.busyAtResult, (std::vector<bool>{true, false}));
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }
    std::filesystem::current_path(previousDir);
}

void Form1BusyTest::searchWaitingForAnotherProgramShowsTheBusyCursorThenReportsItBriefly() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const auto previousDir = std::filesystem::current_path();
    std::filesystem::current_path(dir.path().toStdString());
    const auto bytes = catalogueBytes();
    test::writeFile(kCatalogueFile, bytes);

    {
        TForm1 form(nullptr, std::make_unique<RecordingShell>(),
                    std::make_unique<RecordingWebView>());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* tabs = form.findChild<QTabWidget*>("PageControl2");
        auto* searchButton = form.findChild<QPushButton*>("BitBtn1");
        QVERIFY(tabs != nullptr && searchButton != nullptr);
        const QString captionBefore = tabs->tabText(0);

        LockHolder other;
        QVERIFY(other.holding());
        test::MessageBoxAnswerer answerer;
        // The window's thread is inside the search while it waits; the cursor is looked at from
        // beside it.
        std::atomic<bool> searching{true};
        std::atomic<bool> busyCursorSeen{false};
        std::thread watcher([&] {
            while (searching) {
                const QCursor* cursor = QGuiApplication::overrideCursor();
                if (cursor != nullptr && cursor->shape() == Qt::WaitCursor)
                    busyCursorSeen = true;
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
        const auto started = std::chrono::steady_clock::now();
        QTest::mouseClick(searchButton, Qt::LeftButton);
        const auto waited = std::chrono::steady_clock::now() - started;
        searching = false;
        watcher.join();

        QVERIFY(busyCursorSeen);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QVERIFY2(waited < std::chrono::seconds(10),
                 "the window waited as long as the command line does");
        QCOMPARE(answerer.seen().size(), 1);
        QVERIFY2(answerer.seen().front().contains(QString::fromUtf8("“bde.mdb”正被另一个查询使用")),
                 qPrintable(answerer.seen().front()));
        QCOMPARE(tabs->tabText(0), captionBefore);
        QCOMPARE(readWholeFile(kCatalogueFile), bytes);
        QVERIFY(!std::filesystem::exists(kTemporaryFile));

        // Once the other search is done, the next one goes through without waiting.
        other.release();
        QTest::mouseClick(searchButton, Qt::LeftButton);
        QCOMPARE(answerer.seen().size(), 1);
        QCOMPARE(tabs->tabText(0), QString::fromStdString(ResultCaption(1)));
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }
    std::filesystem::current_path(previousDir);
}

QTEST_MAIN(Form1BusyTest)
#include "form1_busy_test.moc"

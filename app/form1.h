// TForm1: the main window, its search page, status row and the handlers that forward to search/.
#pragma once

#include "app/anchors.h"
#include "browse/desktop_shell.h"
#include "browse/engine_web_view.h"
#include "platform/connection.h"
#include "platform/result_set.h"
#include "search/search_run.h"

#include <QMainWindow>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;

namespace bearing {

class NewsPage;
class ResultGridModel;

inline constexpr const char* kWindowCaption = "轴承型号查询V2.01";

class TForm1 : public QMainWindow, private SearchRunView {
  public:
    // `shell` opens the vendor links, `webBrowser` shows the news page.
    explicit TForm1(QWidget* parent = nullptr,
                    std::unique_ptr<Shell> shell = std::make_unique<DesktopShell>(),
                    std::unique_ptr<WebView> webBrowser = std::make_unique<EngineWebView>());
    ~TForm1() override;

    void FormCreate();

    void FormResize();
    void FormShow();
    void TabSheet1Show();
    void BitBtn1Click();
    // `column` is the grid column whose title was clicked.
    void DBGrid1TitleClick(int column);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void showConnectionFailure() override;
    void setResultCaption(const std::string& caption) override;

    void buildSearchPage(QWidget* page);
    void buildResultPages(QWidget* page);
    void buildStatusRow(QWidget* client);
    void buildTabOrder();
    void keepClientSize();

    std::unique_ptr<Shell> m_shell;
    Connection m_connection;
    ResultSet m_resultSet{m_connection};

    QWidget* m_client = nullptr;
    Anchors* m_anchors = nullptr;
    QTabWidget* m_pageControl1 = nullptr;
    QWidget* m_tabSheet1 = nullptr;
    NewsPage* m_tabSheet6 = nullptr;
    QComboBox* m_comboBox3 = nullptr;
    QLineEdit* m_edit1 = nullptr;
    QLineEdit* m_edit3 = nullptr;
    QLineEdit* m_edit4 = nullptr;
    QLineEdit* m_edit5 = nullptr;
    QComboBox* m_comboBox1 = nullptr;
    QComboBox* m_comboBox2 = nullptr;
    QPushButton* m_bitBtn1 = nullptr;
    QPushButton* m_bitBtn2 = nullptr;
    QTabWidget* m_pageControl2 = nullptr;
    QWidget* m_ccfind = nullptr;
    QTableView* m_dbGrid1 = nullptr;
    ResultGridModel* m_gridModel = nullptr;
};

} // namespace bearing

// TForm1: the main window, its search page, status row and the handlers that forward to search/.
#pragma once

#include "app/anchors.h"
#include "app/result_grid.h"
#include "browse/desktop_shell.h"
#include "browse/engine_web_view.h"
#include "db/connection.h"
#include "db/result_set.h"
#include "search/search_run.h"

#include <QMainWindow>

#include <memory>

class QKeyEvent;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace bearing {

class CaptionTabs;
class DropDownBox;
class NewsPage;

inline constexpr const char* kWindowCaption = "轴承型号查询V2.01";

class TForm1 : public QMainWindow, private SearchRunView {
  public:
    // `shell` opens the vendor links, `webBrowser` shows the news page, `chooseSaveFile` asks
    // where an export goes.
    explicit TForm1(QWidget* parent = nullptr,
                    std::unique_ptr<Shell> shell = std::make_unique<DesktopShell>(),
                    std::unique_ptr<WebView> webBrowser = std::make_unique<EngineWebView>(),
                    SaveFileChooser chooseSaveFile = askForCsvFile);
    ~TForm1() override;

    void FormCreate();

    void FormResize();
    void FormShow();
    void TabSheet1Show();
    void BitBtn1Click();
    void BitBtn2Click();
    // `column` is the grid column whose title was clicked.
    void DBGrid1TitleClick(int column);

    // The result grid's context menu PopupMenu1, shown at `at` on the screen, and its entries.
    void DBGrid1ContextPopup(QPoint at);
    void Copy1Click();
    void Export1Click();
    void SameSize1Click();

    // The keyboard commands of the hidden menu entry N12.
    void a1Click();
    void S1Click();
    void D1Click();
    void H1Click();
    void J1Click();
    void k1Click();
    void F81Click();
    void EXC1Click();

    // Key-press rules of the text boxes: `key` is the typed character; setting it to 0
    // discards it, anything else goes on to the box.
    void Edit1KeyPress(char16_t& key);
    void Edit3KeyPress(char16_t& key);
    void Edit4KeyPress(char16_t& key);
    void Edit5KeyPress(char16_t& key);

    void ComboBox1Change();
    void ComboBox2Change();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void showConnectionFailure() override;
    void setResultCaption(const std::string& caption) override;
    // Shows the busy cursor until the search ends.
    void waitingForOtherRun() override;
    void showBusyCursor();

    void buildSearchPage(QWidget* page);
    void buildResultPages(QWidget* page, SaveFileChooser chooseSaveFile);
    void buildStatusRow(QWidget* client);
    void buildTabOrder();
    // Appends the hidden entry N12 with the keyboard commands to the menu bar MainMenu1, which
    // it creates if need be. Entries ahead of N12 come first when a key is matched.
    void buildKeyboardCommands();
    void connectInputRules();
    // Runs the key-press rule of `box` on a typed character; true when the key is consumed.
    bool keyPressed(QObject* box, QKeyEvent* event);
    void filterDimensionKey(char16_t& key);
    // Shows the search page if another page is showing, then focuses `control` on it.
    void focusSearchControl(QWidget* control);
    void keepClientSize();
    // Gives the window back its design size if it is neither maximised nor minimised.
    void keepDesignSize();
    // Runs the form's handlers from the grid's title clicks and menu entries.
    void connectResultGrid();

    std::unique_ptr<Shell> m_shell;
    Connection m_connection;
    ResultSet m_resultSet{m_connection};
    bool m_busyCursor = false;
    bool m_searched = false;

    QWidget* m_client = nullptr;
    Anchors* m_anchors = nullptr;
    QTabWidget* m_pageControl1 = nullptr;
    QWidget* m_tabSheet1 = nullptr;
    NewsPage* m_tabSheet6 = nullptr;
    DropDownBox* m_comboBox3 = nullptr;
    QLineEdit* m_edit1 = nullptr;
    QLineEdit* m_edit3 = nullptr;
    QLineEdit* m_edit4 = nullptr;
    QLineEdit* m_edit5 = nullptr;
    DropDownBox* m_comboBox1 = nullptr;
    DropDownBox* m_comboBox2 = nullptr;
    QPushButton* m_bitBtn1 = nullptr;
    QPushButton* m_bitBtn2 = nullptr;
    CaptionTabs* m_pageControl2 = nullptr;
    QWidget* m_ccfind = nullptr;
    ResultGrid* m_dbGrid1 = nullptr;
};

} // namespace bearing

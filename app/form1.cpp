// The main window: layout, hints, start-up events and the search handler.
#include "app/form1.h"

#include "app/caption_tabs.h"
#include "app/drop_down_box.h"
#include "app/error_report.h"
#include "app/wrapping_menu_bar.h"
#include "browse/brands_page.h"
#include "browse/charts.h"
#include "browse/news_page.h"
#include "browse/picture_page.h"
#include "browse/vendor_link_panel.h"
#include "browse/vendor_menu.h"
#include "browse/vendor_page.h"
#include "search/catalogue.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include <iterator>
#include <utility>

namespace bearing {

namespace {

constexpr QSize kClientSize{794, 608};
constexpr int kBoxHeight = 21;

const QStringList kFontFamilies{"SimSun", "Noto Sans CJK SC", "WenQuanYi Micro Hei"};

QFont windowFont(int pixelSize) {
    QFont font;
    font.setFamilies(kFontFamilies);
    font.setPixelSize(pixelSize);
    return font;
}

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

template <typename Widget> Widget* make(QWidget* parent, const char* name) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* fieldLabel(QWidget* parent, const char* name, const char* caption, QPoint at) {
    auto* label = make<QLabel>(parent, name);
    label->setText(QString::fromUtf8(caption));
    label->setFont(windowFont(12));
    label->move(at);
    label->adjustSize();
    return label;
}

DropDownBox* listBox(QWidget* parent, const char* name, QRect geometry) {
    auto* box = make<DropDownBox>(parent, name);
    box->setMaxVisibleItems(20);
    box->setGeometry(geometry);
    return box;
}

// The two bevels of the status row: a lowered outer bevel alone, or a lowered inner bevel inside
// the panel's usual raised outer one.
enum class Bevel { LoweredOuter, LoweredInner };

QLabel* statusPanel(QWidget* parent, const char* name, const char* caption, Bevel bevel) {
    auto* panel = make<QLabel>(parent, name);
    panel->setText(QString::fromUtf8(caption));
    // A raised box is drawn light outside and dark inside: raised outer, lowered inner.
    panel->setFrameStyle(bevel == Bevel::LoweredOuter ? QFrame::Panel | QFrame::Sunken
                                                      : QFrame::Box | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setMidLineWidth(0);
    panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return panel;
}

} // namespace

TForm1::TForm1(QWidget* parent, std::unique_ptr<Shell> shell, std::unique_ptr<WebView> webBrowser,
               SaveFileChooser chooseSaveFile)
    : QMainWindow(parent), m_shell(std::move(shell)) {
    setObjectName("Form1");
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    setWindowIcon(QIcon(":/icons/window_icon.png"));
    setFont(windowFont(13));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    m_client = make<QWidget>(this, "client");
    setCentralWidget(m_client);
    keepClientSize();
    m_anchors = new Anchors(m_client, kClientSize);

    m_pageControl1 = make<QTabWidget>(m_client, "PageControl1");
    m_anchors->add(m_pageControl1, {0, 0, 794, 581}, AnchorAll);
    m_tabSheet1 = make<QWidget>(m_pageControl1, "TabSheet1");
    m_pageControl1->addTab(m_tabSheet1, QString::fromUtf8("轴承型号查询"));
    m_pageControl1->addTab(new BrandsPage(m_pageControl1), QString::fromUtf8("轴承品牌浏览"));
    m_pageControl1->addTab(new PicturePage("TabSheet5", "Image3", kCategoriesChart, m_pageControl1),
                           QString::fromUtf8("轴承分类浏览"));
    m_tabSheet6 =
        new NewsPage(std::move(webBrowser), QUrl(QString::fromLatin1(kVendorPage)), m_pageControl1);
    m_pageControl1->addTab(m_tabSheet6, QString::fromUtf8("最新动态"));
    m_pageControl1->setCurrentWidget(m_tabSheet1);
    m_tabSheet1->installEventFilter(this);

    // Before anything asks for the menu bar, so that Qt does not make a plain one.
    setMenuBar(new WrappingMenuBar(this));

    buildSearchPage(m_tabSheet1);
    buildResultPages(m_tabSheet1, std::move(chooseSaveFile));
    connectResultGrid();
    buildStatusRow(m_client);
    buildTabOrder();
    buildKeyboardCommands();
    connectInputRules();
    new VendorMenu(menuBar(), *m_shell, this);

    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    resize(sizeHint());
    move(desktop.center() - rect().center());
    FormCreate();
}

TForm1::~TForm1() {
    m_resultSet.setChangeListener(nullptr);
}

void TForm1::keepClientSize() {
    m_client->setFixedSize(kClientSize);
}

void TForm1::buildSearchPage(QWidget* page) {
    auto* bevel1 = make<QFrame>(page, "Bevel1");
    bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    m_anchors->add(bevel1, {18, 13, 747, 62}, AnchorLeft | AnchorTop | AnchorRight);

    m_comboBox3 = make<DropDownBox>(page, "ComboBox3");
    m_comboBox3->setFrame(false);
    m_comboBox3->addItems({QString::fromUtf8("所有型号(F1):"), QString::fromUtf8("新型号(F1):"),
                           QString::fromUtf8("旧型号(F1):"), QString::fromUtf8("品牌型号(F1):")});
    m_comboBox3->setGeometry(40, 18, 121, kBoxHeight);

    m_edit1 = make<QLineEdit>(page, "Edit1");
    m_edit1->setGeometry(40, 40, 121, kBoxHeight);

    fieldLabel(page, "Label3", "外径(F2)：", {199, 22});
    m_edit3 = make<QLineEdit>(page, "Edit3");
    m_edit3->setGeometry(199, 40, 50, kBoxHeight);
    fieldLabel(page, "Label4", "内径(F3):", {257, 22});
    m_edit4 = make<QLineEdit>(page, "Edit4");
    m_edit4->setGeometry(257, 40, 50, kBoxHeight);
    fieldLabel(page, "Label5", "高度(F4):", {315, 22});
    m_edit5 = make<QLineEdit>(page, "Edit5");
    m_edit5->setGeometry(315, 40, 50, kBoxHeight);

    fieldLabel(page, "Label2", "轴承品牌(F5)：", {404, 22});
    m_comboBox1 = listBox(page, "ComboBox1", {404, 40, 89, kBoxHeight});
    for (const std::string_view brand : catalogue::kBrands)
        m_comboBox1->addItem(text(brand));
    m_comboBox1->setCurrentIndex(-1);

    fieldLabel(page, "Label6", "轴承类型(F6)：", {499, 22});
    m_comboBox2 = listBox(page, "ComboBox2", {499, 40, 150, kBoxHeight});
    for (const std::string_view type : catalogue::kTypes)
        m_comboBox2->addItem(text(type));
    m_comboBox2->setCurrentIndex(-1);

    m_bitBtn2 = make<QPushButton>(page, "BitBtn2");
    m_bitBtn2->setText(QString::fromUtf8("清空(Esc)"));
    m_bitBtn2->setGeometry(674, 16, 75, 25);
    connect(m_bitBtn2, &QPushButton::clicked, this,
            [this] { runHandler(this, [this] { BitBtn2Click(); }); });

    m_bitBtn1 = make<QPushButton>(page, "BitBtn1");
    m_bitBtn1->setText(QString::fromUtf8("查询(F8)"));
    m_bitBtn1->setGeometry(674, 44, 75, 25);
    connect(m_bitBtn1, &QPushButton::clicked, this,
            [this] { runHandler(this, [this] { BitBtn1Click(); }); });
}

void TForm1::buildResultPages(QWidget* page, SaveFileChooser chooseSaveFile) {
    m_pageControl2 = make<CaptionTabs>(page, "PageControl2");
    m_anchors->add(m_pageControl2, {18, 81, 751, 462}, AnchorAll);
    m_ccfind = make<QWidget>(m_pageControl2, "CCFIND");
    m_pageControl2->addTab(m_ccfind, QString::fromUtf8("轴承查询"));

    m_dbGrid1 = new ResultGrid(m_resultSet, std::move(chooseSaveFile), m_ccfind);
    m_anchors->add(m_dbGrid1, {7, 3, 724, 419}, AnchorAll);
}

void TForm1::buildStatusRow(QWidget* client) {
    auto* panel1 = statusPanel(client, "Panel1", " 研发商：示例软件公司", Bevel::LoweredOuter);
    m_anchors->add(panel1, {4, 584, 246, 20}, AnchorLeft | AnchorBottom);
    auto* panel2 = statusPanel(client, "Panel2", " 联系电话：0000-00000000", Bevel::LoweredInner);
    m_anchors->add(panel2, {256, 584, 334, 20}, AnchorLeft | AnchorRight | AnchorBottom);
    auto* panel3 = statusPanel(client, "Panel3", " http://www.example.com", Bevel::LoweredInner);
    panel3->setCursor(Qt::PointingHandCursor);
    new VendorLinkPanel(panel3, *m_shell);
    m_anchors->add(panel3, {596, 584, 194, 20}, AnchorRight | AnchorBottom);
}

void TForm1::buildTabOrder() {
    QWidget* const order[]{m_edit1,     m_edit3,   m_edit4,        m_edit5,   m_comboBox1,
                           m_comboBox2, m_bitBtn1, m_pageControl2, m_bitBtn2, m_comboBox3};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TForm1::FormCreate() {
    m_tabSheet6->load();
}

void TForm1::FormResize() {
    m_dbGrid1->setToolTip(QString::fromUtf8("点击表头可进行升降排序"));
    for (QLineEdit* edit : {m_edit1, m_edit3, m_edit4, m_edit5})
        edit->setToolTip(QString::fromUtf8("按回车查询，Esc清空文本框"));
    for (QComboBox* box : {m_comboBox1, m_comboBox2})
        box->setToolTip(QString::fromUtf8("Esc清空下拉框"));
    m_bitBtn1->setToolTip(QString::fromUtf8("按F8查询轴承信息"));
    m_bitBtn2->setToolTip(QString::fromUtf8("按Esc清空文本框及下拉框"));
}

void TForm1::FormShow() {
    m_comboBox3->setCurrentIndex(1);
}

void TForm1::TabSheet1Show() {
    // Entered as from the keyboard, so the box's text is selected and typing replaces it.
    m_edit1->setFocus(Qt::ShortcutFocusReason);
}

void TForm1::BitBtn1Click() {
    SearchCriteria criteria;
    criteria.modelText = m_edit1->text().toStdString();
    criteria.searchMode = m_comboBox3->currentIndex();
    criteria.outerDiameter = m_edit3->text().toStdString();
    criteria.innerDiameter = m_edit4->text().toStdString();
    criteria.height = m_edit5->text().toStdString();
    criteria.brand = m_comboBox1->currentText().toStdString();
    criteria.type = m_comboBox2->currentText().toStdString();
    SearchRun search(m_connection, m_resultSet, *this);
    search.setLockTimeout(kWindowLockTimeout);
    const auto restoreCursor = qScopeGuard([this] {
        if (std::exchange(m_busyCursor, false))
            QApplication::restoreOverrideCursor();
    });
    // The first search may decode the whole catalogue, which takes a moment
    // on a large one; later searches reuse it.
    if (!std::exchange(m_searched, true))
        showBusyCursor();
    search.run(criteria);
}

void TForm1::showConnectionFailure() {
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kConnectionFailureTitle),
                    QString::fromUtf8(kConnectionFailureText), QMessageBox::Ok, this);
    box.exec();
}

void TForm1::waitingForOtherRun() {
    showBusyCursor();
}

void TForm1::showBusyCursor() {
    if (!std::exchange(m_busyCursor, true))
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void TForm1::setResultCaption(const std::string& caption) {
    m_pageControl2->setCaption(m_pageControl2->indexOf(m_ccfind), QString::fromStdString(caption));
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // A spontaneous show is the window coming back from minimised: the page was showing all along.
    if (watched == m_tabSheet1 && event->type() == QEvent::Show && !event->spontaneous())
        runHandler(this, [this] { TabSheet1Show(); });
    if (event->type() == QEvent::KeyPress && keyPressed(watched, static_cast<QKeyEvent*>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Restoring a minimised window shows it again spontaneously; the user's search mode stays.
    if (!event->spontaneous())
        runHandler(this, [this] { FormShow(); });
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    runHandler(this, [this] { FormResize(); });
    // The border is not sizeable, but a window manager still lets the user drag it: the design
    // size comes back. Looked at once the window manager has settled, since a maximise may
    // report the new size before the new state.
    if (event->spontaneous() && event->size() != sizeHint())
        QTimer::singleShot(100, this, [this] { keepDesignSize(); });
}

void TForm1::keepDesignSize() {
    if (windowState() == Qt::WindowNoState && isVisible() && size() != sizeHint())
        resize(sizeHint());
}

void TForm1::changeEvent(QEvent* event) {
    // The border does not let the user size the window, but maximising does
    // resize it; the client area is fixed only while the window is not maximised.
    if (event->type() == QEvent::WindowStateChange) {
        if (isMaximized()) {
            m_client->setMinimumSize(0, 0);
            m_client->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else {
            keepClientSize();
        }
    }
    QMainWindow::changeEvent(event);
}

} // namespace bearing

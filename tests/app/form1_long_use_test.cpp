// A thousand searches of varied inputs in one window, with failures and sorting between them, keep
// resident memory flat.
#include "app/form1.h"
#include "tests/browse/recorders.h"
#include "tests/support/catalogue_file.h"
#include "tests/support/window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <unistd.h>

using namespace bearing;

namespace {

void writeCatalogue(const char* path) {
    test::writeCatalogue(path, test::fourBearings(), test::kMixedDimensions);
}

long residentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

struct Inputs {
    const char* model;
    int mode;
    const char* outer;
    const char* inner;
    const char* height;
    const char* brand;
    const char* type;
    // The caption's record count; -1 when the run is refused with a report.
    int records;
};

// Varied so that each run takes another path: no condition, each condition alone, several at
// once, characters with a meaning in the statement, and text beyond the BMP.
const Inputs kInputs[]{
    {"", 1, "", "", "", "", "", 4},
    {"62", 1, "", "", "", "", "", 2},
    {"2", 0, "", "", "", "", "", 4},
    {"72", 2, "", "", "", "", "", 1},
    {"KOYO", 3, "", "", "", "", "", 1},
    {"", 1, "52", "", "", "", "", 1},
    {"", 1, "", "25", "", "", "", 1},
    {"", 1, "", "", "15", "", "", 1},
    {"", 1, "", "", "", "SKF", "", 2},
    {"", 1, "", "", "", "", "深沟球轴承 0类", 2},
    {"6", 1, "5%", "2%", "1%", "SKF", "深沟球轴承 0类", 1},
    {"%", 0, "_", "", "", "", "", 0},
    {"\"", 1, "", "", "", "", "", 0},
    {"[", 1, "", "", "", "\"", "", 0},
    {"😀𠀀", 0, "", "", "", "", "", 0},
    // No mode selected leaves no condition for the model text: the statement is refused.
    {"N", -1, "", "", "", "", "", -1},
};

} // namespace

class Form1LongUseTest : public QObject {
    Q_OBJECT

  private slots:
    void thousandSearchesKeepMemoryFlat();
};

void Form1LongUseTest::thousandSearchesKeepMemoryFlat() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::filesystem::path previousDir = std::filesystem::current_path();
    std::filesystem::current_path(dir.path().toStdString());
    writeCatalogue("bde.mdb");
    {
        TForm1 form(nullptr, std::make_unique<RecordingShell>(),
                    std::make_unique<RecordingWebView>());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* model = form.findChild<QLineEdit*>("Edit1");
        auto* outer = form.findChild<QLineEdit*>("Edit3");
        auto* inner = form.findChild<QLineEdit*>("Edit4");
        auto* height = form.findChild<QLineEdit*>("Edit5");
        auto* mode = form.findChild<QComboBox*>("ComboBox3");
        auto* brand = form.findChild<QComboBox*>("ComboBox1");
        auto* type = form.findChild<QComboBox*>("ComboBox2");
        auto* button = form.findChild<QPushButton*>("BitBtn1");
        auto* results = form.findChild<QTabWidget*>("PageControl2");
        QHeaderView* titles = form.findChild<QTableView*>("DBGrid1")->horizontalHeader();
        test::MessageBoxAnswerer answerer(5);

        long residentAt100 = 0;
        long residentAt1000 = 0;
        for (int run = 1; run <= 1000; ++run) {
            const Inputs& in = kInputs[std::size_t(run) % std::size(kInputs)];
            model->setText(QString::fromUtf8(in.model));
            mode->setCurrentIndex(in.mode);
            outer->setText(QString::fromUtf8(in.outer));
            inner->setText(QString::fromUtf8(in.inner));
            height->setText(QString::fromUtf8(in.height));
            brand->setEditText(QString::fromUtf8(in.brand));
            type->setEditText(QString::fromUtf8(in.type));
            // Every so often the catalogue is missing, so the failure path runs as well.
            const bool missing = run % 37 == 0;
            if (missing)
                std::filesystem::rename("bde.mdb", "away.mdb");
            const qsizetype answeredBefore = answerer.texts().size();
            QTest::mouseClick(button, Qt::LeftButton);
            if (missing)
                std::filesystem::rename("away.mdb", "bde.mdb");
            if (missing || in.records < 0) {
                QVERIFY2(answerer.texts().size() > answeredBefore, "the refused run is reported");
            } else {
                QVERIFY2(answerer.texts().size() == answeredBefore,
                         qPrintable(QString::number(run) + ": " +
                                    answerer.texts().value(answerer.texts().size() - 1)));
                QCOMPARE(results->tabText(0),
                         QString::fromUtf8("轴承信息查询结果：%1条记录相符").arg(in.records));
                QVERIFY(!std::filesystem::exists(kTemporaryFile));
            }
            if (run % 7 == 0) {
                const int column = (run / 7) % 7;
                QTest::mouseClick(
                    titles->viewport(), Qt::LeftButton, {},
                    {titles->sectionViewportPosition(column) + 10, titles->height() / 2});
            }
            if (run == 100)
                residentAt100 = residentKilobytes();
            if (run == 1000)
                residentAt1000 = residentKilobytes();
        }
        std::cout << "resident memory at run 100: " << residentAt100
                  << " kB, at run 1000: " << residentAt1000 << " kB, growth "
                  << residentAt1000 - residentAt100 << " kB" << std::endl;
        QVERIFY2(residentAt1000 - residentAt100 < 20 * 1024, "resident memory grows over runs");
    }
    std::filesystem::current_path(previousDir);
}

QTEST_MAIN(Form1LongUseTest)
#include "form1_long_use_test.moc"

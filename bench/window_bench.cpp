// bench-window: times the window's search command, from the click to the grid
// painted with the rows, offscreen, on bde.mdb in the current directory.
#include "app/form1.h"
#include "browse/shell.h"
#include "browse/web_view.h"

#include <QApplication>
#include <QTableView>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

namespace {

// The bench measures the search page only: no browser engine, no shell.
class NoShell : public bearing::Shell {
  public:
    void open(const QUrl&) override {}
};

class NoWebView : public bearing::WebView {
  public:
    void navigate(const QUrl&) override {}
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    int reps = 5;
    int warmup = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view arg = argv[i];
        if (arg == "--reps")
            reps = std::atoi(argv[i + 1]);
        else if (arg == "--warmup")
            warmup = std::atoi(argv[i + 1]);
    }
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    bearing::TForm1 form(nullptr, std::make_unique<NoShell>(), std::make_unique<NoWebView>());
    form.show();
    QApplication::processEvents();
    auto* grid = form.findChild<QTableView*>("DBGrid1");
    if (!grid) {
        std::fprintf(stderr, "bench-window: no grid DBGrid1 in the window\n");
        return 1;
    }
    std::vector<double> times;
    for (int i = 0; i < warmup + reps; ++i) {
        const auto start = std::chrono::steady_clock::now();
        form.BitBtn1Click();
        grid->viewport()->repaint();
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        if (i >= warmup)
            times.push_back(elapsed.count());
    }
    std::printf("window workload=list-all ms=%.3f reps=%d records=%d\n", median(times), reps,
                grid->model() ? grid->model()->rowCount() : -1);
    return 0;
}

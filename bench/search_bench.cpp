// bench-search: times the search run inside one process on bde.mdb in the current directory, and
// counts the bytes each run sends to storage.
#include "db/connection.h"
#include "db/result_set.h"
#include "search/search_criteria.h"
#include "search/search_run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Workload {
    std::string_view name;
    bearing::SearchCriteria criteria;
};

// The three searches the benchmark follows: everything, a model number typed
// with the all-columns mode, and a brand and a type picked from the boxes.
const std::vector<Workload>& workloads() {
    static const std::vector<Workload> all = [] {
        bearing::SearchCriteria model;
        model.modelText = "6204";
        model.searchMode = 0;
        bearing::SearchCriteria brandType;
        brandType.searchMode = 1;
        brandType.brand = "SKF";
        brandType.type = "深沟球轴承 0类";
        return std::vector<Workload>{{"list-all", {}}, {"model", model}, {"brand-type", brandType}};
    }();
    return all;
}

// Bytes this process has sent to storage so far: those written, less those
// discarded before they reached the disk (a file removed while still only in
// memory, as temp.mdb usually is); -1 when the kernel does not keep count.
long long bytesWrittenToStorage() {
    std::ifstream io("/proc/self/io");
    long long written = -1;
    long long cancelled = -1;
    std::string key;
    long long value = 0;
    while (io >> key >> value) {
        if (key == "write_bytes:")
            written = value;
        else if (key == "cancelled_write_bytes:")
            cancelled = value;
    }
    return written < 0 || cancelled < 0 ? -1 : written - cancelled;
}

// A connection failure would otherwise time a run that measured nothing.
class BenchView : public bearing::SearchRunView {
  public:
    void showConnectionFailure() override { failed = true; }
    void setResultCaption(const std::string&) override {}
    bool failed = false;
};

// One window's worth of state: the connection and result set live as long as
// the process, so later runs see whatever the first one left behind.
struct Session {
    bearing::Connection connection;
    bearing::ResultSet resultSet{connection};
    BenchView view;
    // The most bytes one run has sent to storage; -1 when not known.
    long long mostWritten = 0;

    double run(const bearing::SearchCriteria& criteria) {
        bearing::SearchRun search(connection, resultSet, view);
        const long long writtenBefore = bytesWrittenToStorage();
        const auto start = std::chrono::steady_clock::now();
        search.run(criteria);
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        const long long writtenAfter = bytesWrittenToStorage();
        if (view.failed)
            throw std::runtime_error("could not connect to bde.mdb");
        if (writtenBefore < 0 || writtenAfter < 0)
            mostWritten = -1;
        else if (mostWritten >= 0)
            mostWritten = std::max(mostWritten, writtenAfter - writtenBefore);
        return elapsed.count();
    }
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int usage() {
    std::cerr
        << "usage: bench-search [--workload list-all|model|brand-type]... [--reps N] [--warmup N] "
           "[--cold]\n"
           "  runs in a directory holding bde.mdb; without --workload, all three.\n"
           "  --cold: exactly one run of one workload, the first in the process.\n"
           "  prints: <cold|warm> workload=NAME ms=MEDIAN reps=N records=COUNT written=BYTES\n"
           "  written: the most bytes one timed run sent to storage (-1: not known).\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<const Workload*> chosen;
    int reps = 5;
    int warmup = 1;
    bool cold = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--cold") {
            cold = true;
        } else if (arg == "--reps" && hasValue) {
            reps = std::atoi(argv[++i]);
        } else if (arg == "--warmup" && hasValue) {
            warmup = std::atoi(argv[++i]);
        } else if (arg == "--workload" && hasValue) {
            const std::string_view name = argv[++i];
            const auto it = std::find_if(workloads().begin(), workloads().end(),
                                         [&](const Workload& w) { return w.name == name; });
            if (it == workloads().end())
                return usage();
            chosen.push_back(&*it);
        } else {
            return usage();
        }
    }
    if (chosen.empty())
        for (const Workload& w : workloads())
            chosen.push_back(&w);
    if (reps < 1 || warmup < 0 || (cold && chosen.size() != 1))
        return usage();

    try {
        Session session;
        if (cold) {
            const double ms = session.run(chosen.front()->criteria);
            std::printf("cold workload=%s ms=%.3f reps=1 records=%zu written=%lld\n",
                        chosen.front()->name.data(), ms, session.resultSet.recordCount(),
                        session.mostWritten);
            return 0;
        }
        for (const Workload* w : chosen) {
            for (int i = 0; i < warmup; ++i)
                (void)session.run(w->criteria);
            session.mostWritten = 0;
            std::vector<double> times;
            for (int i = 0; i < reps; ++i)
                times.push_back(session.run(w->criteria));
            std::printf("warm workload=%s ms=%.3f reps=%d records=%zu written=%lld\n",
                        w->name.data(), median(times), reps, session.resultSet.recordCount(),
                        session.mostWritten);
            std::fflush(stdout);
        }
    } catch (const std::exception& e) {
        std::cerr << "bench-search: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

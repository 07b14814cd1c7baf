// Loading the result file into the list: time to a painted list for 300 records, how it grows
// with the number of records, what a 50 MB file costs when only 300 records are wanted, and the
// memory the rows take.

#include "look.h"
#include "message_box.h"
#include "reference_table.h"
#include "result_list_view.h"
#include "scramble.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <optional>

using namespace pellomar;

namespace {

constexpr double LoadBudgetMs = 10.0;
constexpr double MemoryBudgetMb = 4.0;

struct Fixture {
    QTemporaryDir dir;
    ReferenceTable countries
        = ParseCountries("US|United States of America\nDE|Germany\nFR|France\n").table;
    std::map<int, QString> files; // by record count
};
Fixture *fixture = nullptr;

// A record of the size the directory sends: 17 fields, about 250 bytes.
std::string record(int n)
{
    static const char *const codes[] = { "US", "DE", "FR" };
    const std::string k = std::to_string(n);
    return "Blue Bottle Coffee " + k + "<>Free<>Boingo Wireless<>http://www.example.com/" + k
        + "<>+1 415 555 0100<>info@example.com<>Cafe<>" + k
        + " Market Street<>94103<>San Francisco<>" + codes[n % 3]
        + "<>37.7749<>-122.4194<>1<>BlueBottle-Guest<>Free wireless for customers, ask "
          "the staff for the code.<>images/hotspots/"
        + k + ".jpg";
}

QString resultFile(int records)
{
    if (auto it = fixture->files.find(records); it != fixture->files.end())
        return it->second;
    std::string text;
    text.reserve(std::size_t(records) * 260);
    for (int i = 1; i <= records; ++i)
        text += record(i) + "\r\n-\r\n";
    Scramble(text);
    const QString path = fixture->dir.filePath(QStringLiteral("tmp-%1.txt").arg(records));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), qint64(text.size())) < 0)
        qFatal("cannot write %s", qPrintable(path));
    fixture->files.emplace(records, path);
    return path;
}

qint64 residentKb()
{
    // /proc/self/status reports size 0: read it whole instead of line by line to the end.
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// A shown list with the limit's message answered at once, on a window that already shows text
// in the list's fonts, as the main window's headings and status line do.
struct ShownList {
    QWidget window;
    ResultListView view;
    QLabel heading;
    QLabel status;
    explicit ShownList()
        : view(fixture->countries, &window)
        , heading(QStringLiteral("Location Name Country City Type Access Operator"), &window)
        , status(QStringLiteral("Welcome to Pellomar. 0123456789"), &window)
    {
        heading.setFont(verdana(8.25));
        status.setFont(verdana(9.75, true));
        status.move(0, view.height());
        heading.move(0, view.height() + 20);
        window.resize(view.width(), view.height() + 40);
        window.show();
        window.repaint();
        QCoreApplication::processEvents();
    }
};

void loadAndPaint(ShownList &list, const QString &path, benchmark::State &state)
{
    const LoadSummary summary = list.view.loadFile(path);
    list.window.repaint();
    if (!summary.error.isEmpty())
        state.SkipWithError(qPrintable(summary.error));
    state.counters["rows"] = summary.rows;
    state.counters["read_kB"] = double(summary.bytesRead) / 1024.0;
}

void BM_MemoryOf300Rows(benchmark::State &state)
{
    for (auto _ : state) {
        ShownList list;
        const QString path = resultFile(300);
        const qint64 before = residentKb();
        loadAndPaint(list, path, state);
        const qint64 after = residentKb();
        state.counters["rss_empty_MB"] = double(before) / 1024.0;
        state.counters["rss_300_rows_MB"] = double(after) / 1024.0;
        state.counters["rss_delta_MB"] = double(after - before) / 1024.0;
    }
}

void BM_LoadAndPaint(benchmark::State &state)
{
    const QString path = resultFile(int(state.range(0)));
    ShownList list;
    for (auto _ : state)
        loadAndPaint(list, path, state);
}

void BM_Load50MegabyteFile(benchmark::State &state)
{
    const QString path = resultFile(200'000);
    state.counters["file_MB"] = double(QFile(path).size()) / (1024.0 * 1024.0);
    ShownList list;
    for (auto _ : state)
        loadAndPaint(list, path, state);
}

// The console table, and the medians kept for the budget lines at the end.
class BudgetReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> medianMs;
    std::optional<double> memoryDeltaMb;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.aggregate_name == "median")
                medianMs[run.run_name.function_name + "/" + run.run_name.args]
                    = run.GetAdjustedRealTime();
            if (auto it = run.counters.find("rss_delta_MB"); it != run.counters.end())
                memoryDeltaMb = it->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

BENCHMARK(BM_MemoryOf300Rows)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndPaint)
    ->Arg(50)
    ->Arg(100)
    ->Arg(200)
    ->Arg(300)
    ->Iterations(1)
    ->Repetitions(40)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load50MegabyteFile)
    ->Iterations(1)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
        qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    installFontSubstitutions();
    MessageBox::setResponder([](const MessageBox::Request &) { return QMessageBox::Ok; });
    Fixture data;
    fixture = &data;

    benchmark::Initialize(&argc, argv);
    BudgetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    auto median = [&](const std::string &name) {
        auto it = reporter.medianMs.find(name);
        return it == reporter.medianMs.end() ? -1.0 : it->second;
    };
    const double load300 = median("BM_LoadAndPaint/300");
    const double load50mb = median("BM_Load50MegabyteFile/");
    std::printf("\nResult list figures (this machine):\n");
    std::printf("  300 records, load + first paint, median: %7.2f ms  (budget %.0f ms)  %s\n",
        load300, LoadBudgetMs, load300 >= 0 && load300 < LoadBudgetMs ? "OK" : "OVER");
    if (reporter.memoryDeltaMb)
        std::printf("  resident memory, 300 rows over empty:    %7.2f MB  (budget %.0f MB)  %s\n",
            *reporter.memoryDeltaMb, MemoryBudgetMb,
            *reporter.memoryDeltaMb < MemoryBudgetMb ? "OK" : "OVER");
    std::printf(
        "  50 MB file (200,000 records), median:    %7.2f ms  (%.2fx the 300-record file)\n",
        load50mb, load300 > 0 ? load50mb / load300 : 0.0);
    for (int n : { 50, 100, 200, 300 })
        std::printf("  %3d records, median:                     %7.2f ms\n", n,
            median("BM_LoadAndPaint/" + std::to_string(n)));
    fixture = nullptr;
    return 0;
}

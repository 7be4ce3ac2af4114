// Opening the design gallery on 200 designs until every cell in sight
// shows its preview (BM_OpenGallery), and making all 200 previews
// (BM_AllPreviews), each first with an empty preview cache and then with
// a filled one, as a ratio to listing the design folders' names alone
// (counter ratio_to_listing). ui_max_stall_ms is the longest the window's
// thread was kept from its event loop while the previews came in.
#include "design/DesignPreviewQueue.h"
#include "design/DesignRoots.h"
#include "design/ui/DesignSelectDialog.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

constexpr int kDesigns = 200;
constexpr int kListingRepeats = 20;

QString ShippedRoot() { return QStringLiteral(SNAPSTORM_BIN_DIR "/design/"); }

void CopyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    for (const QString &name : QDir(from).entryList(QDir::Files))
        QFile::copy(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name);
}

// A root with the shipped Default and 200 designs: every second one a
// copy of each shipped design in turn, the rest a colour and Default's
// pictures, each with an author of its own.
class TGalleryRoot
{
public:
    TGalleryRoot()
    {
        const QStringList shipped = QDir(ShippedRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        CopyFolder(ShippedRoot() + QStringLiteral("Default"), Root() + QStringLiteral("Default"));
        for (int i = 0; i < kDesigns; ++i) {
            const QString dir = Root() + QStringLiteral("Design%1/").arg(i, 3, 10, QLatin1Char('0'));
            if (i % 2 == 0 && !shipped.isEmpty())
                CopyFolder(ShippedRoot() + shipped.at((i / 2) % shipped.size()), dir);
            QDir().mkpath(dir);
            QFile ini(dir + QStringLiteral("!design.ini"));
            ini.open(QIODevice::Append);
            ini.write(QStringLiteral("\r\nAuthor=Player %1\r\nBackgroundColor=%2\r\n")
                          .arg(i)
                          .arg((i * 2654435761u) & 0xFFFFFF)
                          .toLatin1());
        }
    }

    QString Root() const { return mTemp.path() + QStringLiteral("/design/"); }

private:
    QTemporaryDir mTemp;
};

const TGalleryRoot &Designs()
{
    static const TGalleryRoot root;
    return root;
}

bool InSightHavePreviews(const QListWidget &list)
{
    const QRect sight = list.viewport()->rect();
    for (int i = 0; i < list.count(); ++i) {
        const QListWidgetItem *item = list.item(i);
        if (list.visualItemRect(item).intersects(sight) && item->data(Qt::DecorationRole).isNull())
            return false;
    }
    return true;
}

// Shows the gallery and runs the event loop until the cells in sight
// have their previews, looking every few milliseconds; gives the longest
// the window's thread was late for a look, in ms.
double OpenGallery(const QString &root)
{
    constexpr int kLookMs = 2;
    TDesignSelectDialog dialog(nullptr, root);
    QEventLoop loop;
    QTimer look;
    look.setInterval(kLookMs);
    QElapsedTimer sinceLook;
    double latest = 0;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        latest = std::max(latest, sinceLook.nsecsElapsed() / 1e6 - kLookMs);
        sinceLook.restart();
        if (InSightHavePreviews(*dialog.ListBox1()))
            loop.quit();
    });
    dialog.show();
    sinceLook.start();
    look.start();
    loop.exec();
    dialog.hide();
    return latest;
}

// How long listing the design folders' names takes, the mean of a few.
double ListingSeconds(const QString &root)
{
    const auto t0 = TClock::now();
    for (int i = 0; i < kListingRepeats; ++i)
        benchmark::DoNotOptimize(TDesignRoots(root).Names(true).size());
    return std::chrono::duration<double>(TClock::now() - t0).count() / kListingRepeats;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Times `open(cacheDir)` with a new, empty preview cache in each round;
// a cached run fills it first, untimed. The listing baseline is timed in
// every round too, outside the measured time; the ratio is of medians,
// as the machine may be busy with other work.
template <class Open>
void RunAgainstListing(benchmark::State &state, Open &&open)
{
    const bool cached = state.range(0) != 0;
    const QString root = Designs().Root();
    std::vector<double> ours, baseline;
    for (auto _ : state) {
        state.PauseTiming();
        const QTemporaryDir cache;
        if (cached)
            open(cache.path());
        state.ResumeTiming();
        const auto t0 = TClock::now();
        open(cache.path());
        ours.push_back(std::chrono::duration<double>(TClock::now() - t0).count());
        state.PauseTiming();
        baseline.push_back(ListingSeconds(root));
        state.ResumeTiming();
    }
    state.counters["ratio_to_listing"] = Median(baseline) > 0 ? Median(ours) / Median(baseline) : 0;
    state.counters["listing_ms"] = Median(baseline) * 1000;
}

void BM_OpenGallery(benchmark::State &state)
{
    double stall = 0;
    RunAgainstListing(state, [&stall](const QString &cacheHome) {
        setenv("XDG_CACHE_HOME", QFile::encodeName(cacheHome).constData(), 1);
        stall = std::max(stall, OpenGallery(Designs().Root()));
    });
    state.counters["ui_max_stall_ms"] = stall;
}
BENCHMARK(BM_OpenGallery)->ArgName("cached")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(7);

// Every one of the 200 previews through the queue alone, as scrolling
// through the whole gallery would ask for them.
void BM_AllPreviews(benchmark::State &state)
{
    const QString root = Designs().Root();
    const QStringList names = TDesignRoots(root).Names(true);
    RunAgainstListing(state, [&](const QString &cacheDir) {
        TDesignPreviewQueue queue(root, cacheDir);
        qsizetype ready = 0;
        QEventLoop loop;
        QObject::connect(&queue, &TDesignPreviewQueue::Ready, &loop, [&] {
            if (++ready == names.size())
                loop.quit();
        });
        for (const QString &name : names)
            queue.Request(name);
        loop.exec();
    });
}
BENCHMARK(BM_AllPreviews)->ArgName("cached")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

// Opening the design gallery on 200 designs until every cell in sight
// shows its preview, first with an empty preview cache and then with a
// filled one, as a ratio to listing the design folders' names alone
// (counter ratio_to_listing). ui_max_stall_ms is the longest the window's
// thread was kept from its event loop while the previews came in.
#include "design/DesignRoots.h"
#include "design/DesignSelectDialog.h"

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

void ListNames(const QString &root)
{
    for (int i = 0; i < kListingRepeats; ++i)
        benchmark::DoNotOptimize(TDesignRoots(root).Names(true).size());
}

void BM_OpenGallery(benchmark::State &state)
{
    const bool cached = state.range(0) != 0;
    const QString root = Designs().Root();
    double ours = 0, baseline = 0, stall = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir cache;
        setenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()).constData(), 1);
        if (cached)
            OpenGallery(root);
        state.ResumeTiming();
        const auto t0 = TClock::now();
        stall = std::max(stall, OpenGallery(root));
        ours += std::chrono::duration<double>(TClock::now() - t0).count();
        state.PauseTiming();
        const auto b0 = TClock::now();
        ListNames(root);
        baseline += std::chrono::duration<double>(TClock::now() - b0).count() / kListingRepeats;
        state.ResumeTiming();
    }
    state.counters["ratio_to_listing"] = baseline > 0 ? ours / baseline : 0;
    state.counters["ui_max_stall_ms"] = stall;
}
BENCHMARK(BM_OpenGallery)->ArgName("cached")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

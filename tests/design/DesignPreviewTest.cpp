#include "DesignFixture.h"

#include "design/DesignGalleryDelegate.h"
#include "design/DesignPreviewMaker.h"
#include "design/DesignPreviewQueue.h"
#include "design/DesignSelectDialog.h"
#include "design/PreviewCache.h"

#include <QDateTime>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A ship whose see-through corner is white and whose body is `color`.
void WriteShip(const QString &path, QRgb color)
{
    QImage ship(40, 30, QImage::Format_RGB32);
    ship.fill(color);
    ship.setPixel(0, 29, qRgb(255, 255, 255));
    TDesignRoot::WriteText(path, {});
    ship.save(path, "BMP");
}

bool HasColor(const QImage &image, QRgb color)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qRed(image.pixel(x, y)) == qRed(color) && qGreen(image.pixel(x, y)) == qGreen(color)
                && qBlue(image.pixel(x, y)) == qBlue(color))
                return true;
    return false;
}

} // namespace

TEST(PreviewCache, KeyFollowsTheFilesOfTheDesignAndOfDefault)
{
    TDesignRoot root;
    const QString sea = root.Dir(QStringLiteral("Sea"));
    const QString defaults = root.Dir(QStringLiteral("Default"));
    TDesignRoot::WriteBmp(sea + "Image6.bmp", 20, 10);
    TDesignRoot::WriteBmp(defaults + "Image4.bmp", 20, 10);
    const QString first = TPreviewCache::Key(sea, defaults);
    EXPECT_EQ(TPreviewCache::Key(sea, defaults), first);

    // Redrawn in place: same name and size, a later change time.
    QFile ship(sea + "Image6.bmp");
    ASSERT_TRUE(ship.open(QIODevice::ReadWrite));
    ship.setFileTime(ship.fileTime(QFileDevice::FileModificationTime).addSecs(5), QFileDevice::FileModificationTime);
    ship.close();
    const QString touched = TPreviewCache::Key(sea, defaults);
    EXPECT_NE(touched, first);

    // A picture borrowed from Default, and a file added.
    TDesignRoot::WriteBmp(defaults + "Image4.bmp", 30, 10);
    const QString borrowed = TPreviewCache::Key(sea, defaults);
    EXPECT_NE(borrowed, touched);
    TDesignRoot::WriteText(sea + "Photo_1.bmp", "x");
    EXPECT_NE(TPreviewCache::Key(sea, defaults), borrowed);
}

TEST(PreviewCache, APreviewServesOnlyTheFilesItWasDrawnFromAndIsThenReplaced)
{
    TempDir dir;
    const TPreviewCache cache(dir.File(QStringLiteral("previews")));
    const QString sea = dir.File(QStringLiteral("design/Sea"));
    QImage image(16, 12, QImage::Format_RGB32);
    image.fill(Qt::red);
    cache.Store(sea, QStringLiteral("old"), {image, QStringLiteral("Ann")});
    const std::optional<TDesignPreview> found = cache.Find(sea, QStringLiteral("old"));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Author, QStringLiteral("Ann"));
    EXPECT_EQ(found->Image.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_FALSE(cache.Find(sea, QStringLiteral("new")));
    cache.Store(sea, QStringLiteral("new"), {image, QStringLiteral("Bea")});
    EXPECT_EQ(cache.Find(sea, QStringLiteral("new"))->Author, QStringLiteral("Bea"));
    EXPECT_EQ(QDir(cache.Dir()).entryList(QDir::Files).size(), 1);
}

TEST(DesignPreviewMaker, DrawsShipsOnTheDesignsColourAndSurvivesMissingPictures)
{
    TDesignRoot root;
    WriteShip(root.Dir(QStringLiteral("Default")) + "Image6.bmp", qRgb(0, 200, 0));
    // Colours are stored as 0x00BBGGRR: this one is blue. The photo is
    // not a picture at all, and Default has no cannon, home or background.
    TDesignRoot::WriteText(root.Dir(QStringLiteral("Bare")) + "!design.ini",
                           "Author=Ann\r\nBackgroundColor=16711680\r\nPhotoCount=2\r\n");
    TDesignRoot::WriteText(root.Dir(QStringLiteral("Bare")) + "Photo_1.bmp", "not a picture");
    WriteShip(root.Dir(QStringLiteral("Bare")) + "Photo_2.bmp", qRgb(200, 0, 200));

    const TDesignPreview preview = TDesignPreviewMaker(root.Root()).Make(QStringLiteral("Bare"));
    EXPECT_EQ(preview.Author, QStringLiteral("Ann"));
    ASSERT_FALSE(preview.Image.isNull());
    EXPECT_LE(preview.Image.width(), TDesignPreviewMaker::MaxSize.width());
    EXPECT_LE(preview.Image.height(), TDesignPreviewMaker::MaxSize.height());
    EXPECT_EQ(preview.Image.pixelColor(preview.Image.width() - 1, preview.Image.height() - 1), QColor(Qt::blue));
    EXPECT_TRUE(HasColor(preview.Image, qRgb(200, 0, 200))) << "the photo that could be read";

    // A root with nothing in it at all.
    TDesignRoot empty;
    EXPECT_FALSE(TDesignPreviewMaker(empty.Root()).Make(QStringLiteral("Gone")).Image.isNull());
}

TEST(DesignPreviewQueue, AFailedCacheWriteStillShowsThePreviewAndLeavesNothingBehind)
{
    TDesignRoot root;
    root.MakeDefault();
    TempDir cacheDir;
    // A folder stands where the preview would be written.
    const QString defaultDir = root.Dir(QStringLiteral("Default"));
    const QString entry = QFileInfo(TPreviewCache(cacheDir.Path()).FileOf(defaultDir)).fileName();
    cacheDir.Write(entry + "/kept", "kept");

    TDesignPreviewQueue queue(root.Root(), cacheDir.Path());
    QSignalSpy ready(&queue, &TDesignPreviewQueue::Ready);
    queue.Request(QStringLiteral("Default"));
    ASSERT_TRUE(ready.wait(10000));
    EXPECT_EQ(ready.first().at(0).toString(), QStringLiteral("Default"));
    EXPECT_FALSE(ready.first().at(1).value<QImage>().isNull());
    EXPECT_EQ(QDir(cacheDir.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{entry});
    EXPECT_EQ(cacheDir.Read(entry + "/kept"), QByteArray("kept"));
}

// A FIFO at the cache name used to block the worker in open(): every later
// preview stayed blank and closing the gallery waited for ever. A link to
// a device gave the new preview the device's mode, and the parts of killed
// writes piled up.
TEST(DesignPreviewQueue, PlantedFifosLinksAndLeftoversInTheCacheNeitherStallNorLeak)
{
    TDesignRoot root;
    root.MakeDefault();
    TDesignRoot::WriteText(root.Dir(QStringLiteral("Sea")) + "!design.ini", "Author=Sea\n");
    TempDir cacheDir;
    const TPreviewCache cache(cacheDir.Path());
    const QByteArray fifo = QFile::encodeName(cache.FileOf(root.Dir(QStringLiteral("Default"))));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), cache.FileOf(root.Dir(QStringLiteral("Sea")))));
    const QString old = cacheDir.Write(".0123.png.0badf00d.part", "killed long ago");
    {
        QFile part(old);
        part.open(QIODevice::ReadWrite);
        part.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime);
    }
    const QString fresh = cacheDir.Write(".4567.png.0badf00d.part", "being written");

    auto queue = std::make_unique<TDesignPreviewQueue>(root.Root(), cacheDir.Path());
    QSignalSpy ready(queue.get(), &TDesignPreviewQueue::Ready);
    queue->Request(QStringLiteral("Default"));
    queue->Request(QStringLiteral("Sea"));
    const bool both = ready.wait(10000) && (ready.size() == 2 || ready.wait(10000));
    // Unblocks a worker stuck in the FIFO, so that a failure ends.
    const int writer = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0)
        ::close(writer);
    EXPECT_TRUE(both);
    queue.reset();
    EXPECT_TRUE(QFileInfo(QString::fromLocal8Bit(fifo)).isFile());
    const QFileInfo sea(cache.FileOf(root.Dir(QStringLiteral("Sea"))));
    EXPECT_FALSE(sea.isSymLink());
    EXPECT_NE(sea.permissions() & QFile::WriteOther, QFile::WriteOther);
    EXPECT_FALSE(QFileInfo::exists(old));
    EXPECT_TRUE(QFileInfo::exists(fresh));
}

// Only the cells in sight are drawn, and only those ask for previews.
TEST(DesignGallery, CellsInSightGetPreviewAndAuthorAndNoOthersAreMade)
{
    TDesignRoot root;
    root.MakeDefault();
    constexpr int designs = 60;
    for (int i = 0; i < designs; ++i)
        TDesignRoot::WriteText(root.Dir(QStringLiteral("Design%1").arg(i, 2, 10, QLatin1Char('0'))) + "!design.ini",
                               "Author=Ann\r\n");
    TDesignSelectDialog dialog(nullptr, root.Root());
    QTimer::singleShot(0, &dialog, [&dialog] {
        QListWidget *list = dialog.ListBox1();
        QList<QListWidgetItem *> inSight;
        for (int i = 0; i < list->count(); ++i)
            if (list->visualItemRect(list->item(i)).intersects(list->viewport()->rect()))
                inSight << list->item(i);
        ASSERT_LT(inSight.size(), designs / 2);
        EXPECT_TRUE(QTest::qWaitFor([&inSight] {
            return std::all_of(inSight.begin(), inSight.end(),
                               [](auto *item) { return item->data(TDesignGalleryDelegate::FreshRole).toBool(); });
        }, 10000));
        EXPECT_EQ(inSight.at(1)->text(), QStringLiteral("Design00"));
        EXPECT_EQ(inSight.at(1)->data(TDesignGalleryDelegate::AuthorRole).toString(), QStringLiteral("Ann"));
        EXPECT_FALSE(inSight.at(1)->data(Qt::DecorationRole).isNull());
        QTest::qWait(300);
        EXPECT_TRUE(list->item(list->count() - 1)->data(Qt::DecorationRole).isNull());
        EXPECT_EQ(QDir(TPreviewCache::StandardDir()).entryList(QDir::Files).size(), inSight.size());
        dialog.reject();
    });
    dialog.Execute(false);
}

#include "WindowFixture.h"

#include "design/GamePar.h"
#include "exchange/DesignArchive.h"
#include "game/DragComp.h"
#include "play/AttractScreen.h"
#include "sprites/ui/SpriteBox.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWindow>

namespace {

class DropTest : public WindowFixture
{
protected:
    // A design archive holding only its settings file.
    QString MakeArchive(const QString &fileName)
    {
        mSource.Write("!design.ini", "Author=Dropper\r\n");
        const QString path = mArchives.File(fileName);
        PackDesignFolder(mSource.Path(), path);
        return path;
    }

    // A drop as the desktop delivers it, handled as the event loop goes on.
    void Drop(const QStringList &files)
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString &file : files)
            urls << QUrl::fromLocalFile(file);
        mime.setUrls(urls);
        const QPoint at = mForm->centralWidget()->geometry().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(mForm->windowHandle(), &enter);
        QApplication::sendEvent(mForm->windowHandle(), &drop);
        QCoreApplication::processEvents();
    }

    bool OnAttractScreen() { return !AttractBox().isHidden() && PlayBox().isHidden(); }

    TempDir mSource, mArchives;
};

} // namespace

TEST_F(DropTest, DroppedArchiveBecomesTheDesignOnTheAttractScreen)
{
    Open();
    const QString sea = MakeArchive("Sea.ZIP");
    const QString other = MakeArchive("Other.zip");
    Drop({sea, other, mArchives.Write("notes.txt", "text")});
    EXPECT_EQ(GamePar().DesignName(), "Sea");
    EXPECT_EQ(Settings().Value("Design"), "Sea");
    EXPECT_FALSE(QFileInfo::exists(mRoot.File("Other")));
    EXPECT_TRUE(OnAttractScreen());
    EXPECT_TRUE(Timer1().isActive());

    // Passes the filter but is no ".zip": the window ignores it.
    Drop({QFile::copy(other, mArchives.File("Bay.zipx")) ? mArchives.File("Bay.zipx") : QString()});
    EXPECT_EQ(DragComp1().DroppedFiles().size(), 1);
    EXPECT_FALSE(QFileInfo::exists(mRoot.File("Bay")));

    // A text file alone is filtered out and fires nothing.
    Drop({mArchives.File("notes.txt")});
    EXPECT_TRUE(DragComp1().DroppedFiles().isEmpty());
    EXPECT_EQ(GamePar().DesignName(), "Sea");
}

TEST_F(DropTest, DropDuringAGameEndsItKeepingTheDesignWhenTheImportFails)
{
    Open();
    mForm->NewGameClick();
    ASSERT_EQ(Cycle().GameState(), gsPlaying);
    Drop({mArchives.Write("Broken.zip", "no archive")});
    EXPECT_NE(Cycle().GameState(), gsPlaying);
    EXPECT_TRUE(OnAttractScreen());
    EXPECT_TRUE(GamePar().IsDefault());
    EXPECT_TRUE(Timer1().isActive());
}

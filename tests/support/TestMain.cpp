#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char **argv)
{
    // Test binaries are also run by hand and by test discovery, where the
    // environment may lack these.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // Design previews are cached in a folder of this run, never the user's.
    const QTemporaryDir cache;
    setenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()).constData(), 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

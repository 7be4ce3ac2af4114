#pragma once

#include "game/DragComp.h"
#include "game/FramePump.h"
#include "game/MainForm.h"
#include "game/dialogs/ScoreDialog.h"
#include "lang/ui/Language.h"
#include "play/AttractScreen.h"
#include "play/GameCycle.h"
#include "play/GameRound.h"
#include "session/GameSession.h"
#include "session/ReplayRunner.h"
#include "sprites/ui/SpriteBox.h"
#include "support/TempDir.h"

#include <QAction>
#include <QDir>
#include <QTextStream>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

// A real main window, unattended, on a scratch design root holding a copy
// of the shipped Default design, driven like the scripted run.
class GameFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CopyFolder(QStringLiteral(SNAPSTORM_BIN_DIR "/design/Default"), mRoot.File("Default"));
        mSettingsPath = mSettingsDir.File("snapstorm.ini");
    }

    void Start()
    {
        mForm = std::make_unique<TMainForm>(
            TMainFormOptions{mSettingsPath, true, nullptr, mRoot.Path()});
        mForm->FormShow();
        AttachRunner();
    }

    // The scripted run's runner on the window's session: names answer the
    // name entry, snaps show the visible box.
    void AttachRunner()
    {
        mRunner = std::make_unique<TReplayRunner>(Session(), mTrace, [this] {
            TSpriteBox &box = PlayBox().isHidden() ? AttractBox() : PlayBox();
            return box.BackBuffer();
        });
        mForm->ScoreDialog().SetAnswerHook([this](TScoreDialog &) { return mRunner->TakeName(); });
    }

    void Run(const QString &script) { mRunner->Run(script.split(QLatin1Char('\n'))); }

    // The session the window forwards to, and what it holds.
    TGameSession &Session() { return mForm->Session(); }
    TGameCycle &Cycle() { return Session().Cycle(); }
    TGameRound &Round() { return Session().Round(); }
    TAttractScreen &Attract() { return Session().Cycle().Attract(); }
    TKeyState &Keys() { return Session().Keys(); }
    TKeyValueList &Settings() { return Session().Settings(); }
    const TGamePar &GamePar() { return Session().Design(); }

    // The window's parts, found as a user of the window sees them.
    QTimer &Timer1() { return Child<QTimer>("Timer1"); }
    TSpriteBox &PlayBox() { return Child<TSpriteBox>("PlayBox"); }
    TSpriteBox &AttractBox() { return mForm->AttractBox(); }
    QAction &Pause1() { return Child<QAction>("Pause1"); }
    QAction &Sound1() { return Child<QAction>("Sound1"); }
    QAction &SmoothMotion1() { return Child<QAction>("SmoothMotion1"); }
    TLanguage &Language1() { return Child<TLanguage>("Language1"); }
    TDragComp &DragComp1() { return Child<TDragComp>("DragComp1"); }
    TFramePump &FramePump() { return Child<TFramePump>(nullptr); }

    template <class T>
    T &Child(const char *name)
    {
        T *child = mForm->findChild<T *>(name ? QString::fromLatin1(name) : QString());
        if (!child)
            throw std::logic_error(std::string("the window has no ") + (name ? name : "such part"));
        return *child;
    }

    // A design folder in the scratch root holding the given files.
    QString MakeDesign(const QString &name, const QMap<QString, QByteArray> &files = {})
    {
        QDir().mkpath(mRoot.File(name));
        for (auto it = files.begin(); it != files.end(); ++it)
            mRoot.Write(name + QLatin1Char('/') + it.key(), it.value());
        return mRoot.File(name);
    }

    static QByteArray ReadFile(const QString &path)
    {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    static void CopyFolder(const QString &from, const QString &to)
    {
        QDir().mkpath(to);
        const QStringList names = QDir(from).entryList(QDir::Files);
        for (const QString &name : names)
            QFile::copy(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name);
    }

    TempDir mRoot;
    TempDir mSettingsDir;
    QString mSettingsPath;
    QString mTraceText;
    QTextStream mTrace{&mTraceText};
    std::unique_ptr<TMainForm> mForm;
    std::unique_ptr<TReplayRunner> mRunner;
};

#pragma once

#include "play/GameRound.h"
#include "game/MainForm.h"
#include "game/dialogs/ScoreDialog.h"
#include "session/ReplayRunner.h"
#include "sprites/ui/SpriteBox.h"
#include "support/TempDir.h"

#include <QDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <memory>

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
        mRunner = std::make_unique<TReplayRunner>(mForm->Session(), mTrace, [this] {
            TSpriteBox &box = mForm->PlayBox().isHidden() ? mForm->AttractBox() : mForm->PlayBox();
            return box.BackBuffer();
        });
        mForm->ScoreDialog().SetAnswerHook([this](TScoreDialog &) { return mRunner->TakeName(); });
    }

    void Run(const QString &script) { mRunner->Run(script.split(QLatin1Char('\n'))); }
    TGameRound &Round() { return mForm->Round(); }

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

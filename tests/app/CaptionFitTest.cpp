#include "CaptionFit.h"

#include "game/MainForm.h"
#include "game/dialogs/ScoreDialog.h"
#include "lang/ui/Language.h"
#include "lang/LanguageCatalog.h"
#include "lang/ui/SelLanguageDialog.h"
#include "setup/SetupForm.h"
#include "support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Readable parameter names in test listings.
void PrintTo(const QString &text, std::ostream *out)
{
    *out << text.toStdString();
}

// Every window of the game in every shipped language, at its default size:
// no caption may be cut short. The languages are the files beside the
// program, so a new one is measured without a word here.
namespace {

const QString ProgramDir = QStringLiteral(SNAPSTORM_BIN_DIR);

// Runs `open`, which shows a modal window, measures that window once it
// shows and closes it again.
QStringList CutShortInModal(const std::function<void()> &open)
{
    QStringList cut;
    bool seen = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || seen)
            return;
        seen = true;
        cut = CutShortCaptions(*modal);
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    });
    poll.start();
    open();
    poll.stop();
    if (!seen)
        cut << QStringLiteral("no modal window showed");
    return cut;
}

class CaptionsFit : public ::testing::TestWithParam<QString>
{
protected:
    void SetUp() override
    {
        const QString design = mRoot.File("Default");
        QDir().mkpath(design);
        for (const QString &name : QDir(ProgramDir + "/design/Default").entryList(QDir::Files))
            QFile::copy(ProgramDir + "/design/Default/" + name, design + "/" + name);
        const QString settings =
            mSettingsDir.Write("snapstorm.ini", ("Language=" + GetParam() + ".lng\n").toUtf8());
        mForm = std::make_unique<TMainForm>(
            TMainFormOptions{.SettingsPath = settings, .Unattended = false, .DesignRoot = mRoot.Path(),
                             .ProgramDir = ProgramDir});
        mForm->show();
        QCoreApplication::processEvents();
    }

    void TearDown() override
    {
        mForm->close();
        mForm.reset();
    }

    // Opens a menu command's modal window and measures it.
    QStringList ThroughCommand(const char *action)
    {
        QAction *command = mForm->findChild<QAction *>(QString::fromLatin1(action));
        if (!command)
            return {QStringLiteral("no command ") + action};
        return CutShortInModal([command] { command->trigger(); });
    }

    TempDir mRoot;
    TempDir mSettingsDir;
    std::unique_ptr<TMainForm> mForm;
};

TEST_P(CaptionsFit, InTheMainWindowAndItsDialogs)
{
    QStringList cut = CutShortCaptions(*mForm);
    for (const char *command : {"Keys1", "Volume1", "Gallery1", "Language2", "HighScores1"})
        cut << ThroughCommand(command);
    cut << CutShortInModal([this] {
        mForm->ScoreDialog().AskFor(TScoreTitle::InTopTwenty, 12340, [this](const QString &key) {
            return mForm->findChild<TLanguage *>(QStringLiteral("Language1"))->LookupMessage(key);
        });
    });
    EXPECT_TRUE(cut.isEmpty()) << qPrintable(cut.join('\n'));
}

TEST_P(CaptionsFit, InTheDesignEditor)
{
    const QStringList cut = ThroughCommand("Game2");
    EXPECT_TRUE(cut.isEmpty()) << qPrintable(cut.join('\n'));
}

TEST_P(CaptionsFit, InTheSetupAndLanguageWindows)
{
    TSetupForm setup(nullptr, ProgramDir);
    const QList<QListWidgetItem *> items = setup.ListBox1->findItems(QStringLiteral("*"), Qt::MatchWildcard);
    for (QListWidgetItem *item : items) {
        if (item->data(Qt::UserRole).toString() == GetParam()) {
            setup.ListBox1->setCurrentItem(item);
            Q_EMIT setup.ListBox1->itemClicked(item);
        }
    }
    setup.show();
    QStringList cut = CutShortCaptions(setup);

    TSelLanguageDialog choice(nullptr, ProgramDir);
    choice.SetSelectedLanguage(GetParam());
    choice.show();
    cut << CutShortCaptions(choice);
    EXPECT_TRUE(cut.isEmpty()) << qPrintable(cut.join('\n'));
}

INSTANTIATE_TEST_SUITE_P(Shipped, CaptionsFit, ::testing::ValuesIn(LanguageFileNames(ProgramDir)),
                         [](const auto &info) {
                             QString name = info.param;
                             return name.replace('-', '_').toStdString();
                         });

} // namespace

#include "game/dialogs/GameDialogs.h"

#include "design/DesignFolder.h"
#include "design/GamePar.h"
#include "design/SoundRefusalText.h"
#include "sound/SoundImport.h"
#include "design/ui/DesignSelectDialog.h"
#include "editor/ui/EditDesign.h"
#include "game/dialogs/DesktopServices.h"
#include "game/dialogs/HelpOpener.h"
#include "game/dialogs/HighScoresDialog.h"
#include "lang/ui/Language.h"
#include "session/CuePlayer.h"
#include "session/GameSession.h"
#include "setup/AboutBox.h"

#include "base/ErrorReport.h"

#include <QMessageBox>
#include <QScopeGuard>

#include <algorithm>
#include <stdexcept>

TGameDialogs::TGameDialogs(TGameDialogsContext context)
    : mContext(std::move(context))
    , mHelp(std::make_unique<THelpOpener>(mContext.Window, mContext.Desktop, mContext.Language.Messages()))
{
    mDesignSelectDialog.Defer([this] {
        auto *dialog = new TDesignSelectDialog(&mContext.Window, mContext.Roots);
        mContext.Language.TranslateWindow(dialog->objectName());
        return dialog;
    });
    mHighScoresDialog.Defer(
        [this] { return new THighScoresDialog(&mContext.Window, mContext.Language.Messages()); });
}

TGameDialogs::~TGameDialogs() = default;

void TGameDialogs::Gallery()
{
    // A scripted run has no one to choose.
    if (mContext.Unattended)
        return;
    TDesignSelectDialog *gallery = mDesignSelectDialog.Get();
    gallery->SetDesignName(mContext.Session.Design().DesignName());
    if (!gallery->Execute(false))
        return;
    // Default goes by the empty name, as its menu item does.
    const QString chosen = gallery->DesignName();
    mContext.Session.ChooseDesign(IsDefaultDesignName(chosen) ? QString() : chosen);
}

void TGameDialogs::HighScores()
{
    TGameSession &session = mContext.Session;
    THighScoresDialog *dialog = mHighScoresDialog.Get();
    std::optional<int> chosen;
    for (;;) {
        const std::vector<THighScoreRow> rows = session.HighScoreRows();
        chosen = dialog->Choose(rows, chosen);
        if (!chosen)
            return;
        const TWatchRefusal refusal = session.WatchHighScore(*chosen);
        if (refusal == TWatchRefusal::None)
            return;
        const auto row = std::find_if(rows.begin(), rows.end(),
                                      [&](const THighScoreRow &r) { return r.Index == *chosen; });
        const QString text = session.RefusalText(refusal, row == rows.end() ? QString() : row->Entry.design);
        // The list opens again, so that another game can be chosen.
        if (mContext.Unattended)
            ErrorReport::Show(text);
        else
            QMessageBox::information(dialog, dialog->windowTitle(), text);
    }
}

void TGameDialogs::EditDesign()
{
    TGameSession &session = mContext.Session;
    session.BeginEditing();
    const auto restart = qScopeGuard([&] { session.EndEditing(); });
    const QString edited = ::EditDesign(
        {.Parent = &mContext.Window,
         .DesignName = session.Design().DesignName(),
         .Settings = &session.Settings(),
         .LanguageFile = mContext.Language.LanguageFile(),
         .Roots = mContext.Roots,
         .SelectDialog = mDesignSelectDialog.Get(),
         .Unattended = mContext.Unattended,
         .PlaySound = [this](const QString &file) { PlayPreview(file); },
         .OpenOrTell = [this](QWidget *over, const QString &target, const QString &message, const QString &path) {
             mHelp->OpenOrTell(over, target, message, path);
         }});
    session.ApplyEdited(edited);
}

void TGameDialogs::PlayPreview(const QString &file)
{
    // A design's own wave made elsewhere that fails is named, in the
    // player's language.
    try {
        mContext.Session.Cues().PlayPreview(file);
    } catch (const ESoundRefused &refusal) {
        throw std::runtime_error(SoundRefusalText(refusal, mContext.Language.Messages()).toStdString());
    }
}

void TGameDialogs::Help()
{
    mHelp->OpenHelp(mContext.ProgramDir, mContext.Language.LookupMessage(QStringLiteral("HelpFile")));
}

void TGameDialogs::Info()
{
    TAboutBox(&mContext.Window).exec();
}

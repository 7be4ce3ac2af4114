#include "game/dialogs/GameDialogs.h"

#include "design/DesignFolder.h"
#include "design/GamePar.h"
#include "design/ui/DesignSelectDialog.h"
#include "editor/ui/EditDesign.h"
#include "game/dialogs/DesktopServices.h"
#include "game/dialogs/HelpOpener.h"
#include "lang/ui/Language.h"
#include "session/CuePlayer.h"
#include "session/GameSession.h"
#include "setup/AboutBox.h"

#include <QScopeGuard>

TGameDialogs::TGameDialogs(TGameDialogsContext context)
    : mContext(std::move(context))
    , mHelp(std::make_unique<THelpOpener>(mContext.Window, mContext.Desktop))
{
    mDesignSelectDialog.Defer([this] {
        auto *dialog = new TDesignSelectDialog(&mContext.Window, mContext.Roots);
        mContext.Language.TranslateWindow(dialog->objectName());
        return dialog;
    });
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
         .PlaySound = [&session](const QString &file) { session.Cues().PlayPreview(file); },
         .OpenFile = [this](const QString &path) { return mHelp->Desktop().OpenFile(path); }});
    session.ApplyEdited(edited);
}

void TGameDialogs::Help()
{
    mHelp->OpenHelp(mContext.ProgramDir, mContext.Language.LookupMessage(QStringLiteral("HelpFile")));
}

void TGameDialogs::Info()
{
    TAboutBox(&mContext.Window).exec();
}

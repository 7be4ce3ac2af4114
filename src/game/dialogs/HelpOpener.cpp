#include "game/dialogs/HelpOpener.h"

#include "game/dialogs/DesktopServices.h"
#include "game/dialogs/HelpWindow.h"


#include <stdexcept>

THelpOpener::THelpOpener(QWidget &parent, TDesktopServices *desktop)
    : mParent(parent)
    , mGiven(desktop)
{
}

THelpOpener::~THelpOpener() = default;

TDesktopServices &THelpOpener::Desktop()
{
    if (mGiven)
        return *mGiven;
    if (!mSystem)
        mSystem = std::make_unique<TSystemDesktopServices>();
    return *mSystem;
}

void THelpOpener::OpenHelp(const QString &programDir, const QString &name)
{
    const QString helpFile = HelpFilePath(programDir, name);
    if (helpFile.isEmpty())
        throw std::runtime_error(QStringLiteral("The help file \"%1\" was not found in %2.")
                                     .arg(name, programDir)
                                     .toStdString());
    if (Desktop().OpenFile(helpFile))
        return;
    // No program to open it with: show it ourselves.
    if (!mWindow)
        mWindow = new THelpWindow(&mParent);
    mWindow->ShowFile(helpFile);
}

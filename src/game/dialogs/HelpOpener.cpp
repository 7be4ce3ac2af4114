#include "game/dialogs/HelpOpener.h"

#include "design/ui/PathNotice.h"
#include "game/dialogs/DesktopServices.h"
#include "game/dialogs/HelpWindow.h"
#include "game/dialogs/ProcessOpener.h"

#include <QDir>
#include <QPointer>
#include <QUrl>

#include <stdexcept>

THelpOpener::THelpOpener(QWidget &parent, TDesktopServices *desktop, TLookup lookup)
    : mParent(parent)
    , mGiven(desktop)
    , mLookup(std::move(lookup))
{
}

THelpOpener::~THelpOpener() = default;

TDesktopServices &THelpOpener::Desktop()
{
    if (mGiven)
        return *mGiven;
    if (!mSystem)
        mSystem = std::make_unique<TProcessOpener>();
    return *mSystem;
}

void THelpOpener::OpenHelp(const QString &programDir, const QString &name)
{
    const QString helpFile = HelpFilePath(programDir, name);
    if (helpFile.isEmpty())
        throw std::runtime_error(QStringLiteral("The help file \"%1\" was not found in %2.")
                                     .arg(name, programDir)
                                     .toStdString());
    if (!mWindow)
        mWindow = new THelpWindow(&mParent, [this](const QUrl &url) {
            OpenOrTell(mWindow, url.toString(), mLookup(QStringLiteral("LinkNotOpened")));
        });
    mWindow->ShowFile(helpFile, mLookup(QStringLiteral("HelpTitle")));
}

void THelpOpener::OpenOrTell(QWidget *parent, const QString &target, const QString &message,
                             const QString &path)
{
    const TPathNoticeText text{message, path.isEmpty() ? QDir::toNativeSeparators(target) : path,
                               mLookup(QStringLiteral("CopyPath"))};
    Desktop().Open(target, [over = QPointer<QWidget>(parent), text](bool opened) {
        if (!opened)
            ShowPathNotice(over, text);
    });
}

#include "session/DesignSwitcher.h"

#include "session/CuePlayer.h"

#include "base/ErrorReport.h"
#include "base/KeyValueList.h"
#include "base/TextFile.h"
#include "design/GamePar.h"

#include <stdexcept>
#include <utility>

TDesignSwitcher::TDesignSwitcher(TDesignRoots designRoot, TCuePlayer &cues, TKeyValueList &settings,
                                 TShowDesign showDesign)
    : mDesignRoot(std::move(designRoot))
    , mCues(cues)
    , mSettings(settings)
    , mShowDesign(std::move(showDesign))
    , mCurrent(std::make_unique<TGamePar>(mDesignRoot))
{
}

TDesignSwitcher::~TDesignSwitcher() = default;

void TDesignSwitcher::Apply(const QString &name)
{
    // The name becomes a settings line and part of high-score lines.
    if (HasLineBreakOrControl(name))
        throw std::runtime_error("A design whose name holds a line break or a control character "
                                 "cannot be used.");
    auto candidate = std::make_unique<TGamePar>(mDesignRoot);
    candidate->Load(name);
    candidate->ComputeLayout();
    LoadSoundsOf(*candidate);
    mCurrent = std::move(candidate);
    mApplied = true;
    mShowDesign(*mCurrent);
    // Only a design that applied whole is worth coming back to.
    mSettings.SetValue(QStringLiteral("Design"), name);
}

void TDesignSwitcher::ApplyStored()
{
    QString failure;
    try {
        Apply(mSettings.Value(QStringLiteral("Design")));
        return;
    } catch (const std::exception &e) {
        failure = QString::fromUtf8(e.what());
    }
    // A design that cannot be loaded must not stop every later start. When
    // the Default design fails the same way, the caller's report says it all.
    try {
        Apply(QString());
    } catch (const std::exception &e) {
        if (QString::fromUtf8(e.what()) != failure)
            ErrorReport::Show(failure);
        throw;
    }
    ErrorReport::Show(failure);
}

void TDesignSwitcher::ApplyEdited(const QString &name)
{
    try {
        Apply(name);
    } catch (...) {
        // The editor released them; a failed candidate may have put them back.
        if (!mSoundsLoaded)
            RestoreSounds();
        throw;
    }
}

void TDesignSwitcher::OpenDeferredSound()
{
    try {
        mCues.OpenDeferred();
        return;
    } catch (const std::exception &e) {
        mSoundsLoaded = false;
        ErrorReport::Show(QString::fromUtf8(e.what()));
    }
    // Default failing too leaves the game silent, with that one report.
    if (mCurrent->DesignName().compare(QLatin1String("Default"), Qt::CaseInsensitive) != 0)
        ErrorReport::Guard([this] { Apply(QString()); });
}

void TDesignSwitcher::LoadSounds()
{
    mCues.LoadSounds(*mCurrent);
    mSoundsLoaded = true;
}

void TDesignSwitcher::ReleaseSounds()
{
    mCues.ReleaseSounds();
    mSoundsLoaded = false;
}

void TDesignSwitcher::LoadSoundsOf(const TGamePar &candidate)
{
    ReleaseSounds();
    try {
        mCues.LoadSounds(candidate);
        mSoundsLoaded = true;
    } catch (...) {
        // A design whose sounds fail is not applied: the game goes on with
        // the design it had, sounds included, instead of failing at every F2.
        if (mApplied)
            RestoreSounds();
        throw;
    }
}

void TDesignSwitcher::RestoreSounds()
{
    ReleaseSounds();
    try {
        LoadSounds();
    } catch (...) {
        // They loaded before; the failure to apply is the news.
    }
}

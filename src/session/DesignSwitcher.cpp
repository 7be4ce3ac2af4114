#include "session/DesignSwitcher.h"

#include "session/CuePlayer.h"

#include "base/ErrorReport.h"
#include "base/KeyValueList.h"
#include "base/TextFile.h"
#include "design/GamePar.h"
#include "sound/SoundImport.h"
#include "sprites/PictureError.h"

#include <QDir>

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
    try {
        ApplyUntranslated(name);
    } catch (const ESoundRefused &) {
        throw std::runtime_error(Explain(name).toStdString());
    } catch (const EPictureError &) {
        throw std::runtime_error(Explain(name).toStdString());
    }
}

void TDesignSwitcher::ApplyUntranslated(const QString &name)
{
    // The name becomes a settings line and part of high-score lines.
    if (HasLineBreakOrControl(name))
        throw std::runtime_error("A design whose name holds a line break or a control character "
                                 "cannot be used.");
    auto candidate = std::make_unique<TGamePar>(mDesignRoot);
    candidate->Load(name);
    candidate->ComputeLayout();
    // Before anything is released: even a design whose sounds wait for
    // the output to open is refused now, not at its first sound.
    mCues.CheckSounds(*candidate);
    LoadSoundsOf(*candidate);
    mCurrent = std::move(candidate);
    mApplied = true;
    mShowDesign(*mCurrent);
    // Only a design that applied whole is worth coming back to.
    mSettings.SetValue(QStringLiteral("Design"), name);
}

void TDesignSwitcher::ApplyStored()
{
    // The window's language is not read yet: the message is made when it
    // is reported.
    const QString stored = mSettings.Value(QStringLiteral("Design"));
    try {
        ApplyUntranslated(stored);
        return;
    } catch (const std::exception &) {
        mStartFailure = std::current_exception();
        mStartDesign = stored;
    }
    // A design that cannot be loaded must not stop every later start. When
    // Default fails too, the caller reports that failure alone.
    Apply(QString());
}

void TDesignSwitcher::ReportStartFailure()
{
    if (!mStartFailure)
        return;
    const std::exception_ptr failure = std::exchange(mStartFailure, nullptr);
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception &) {
        ErrorReport::Show(Explain(mStartDesign));
    }
}

QString TDesignSwitcher::Explain(const QString &name) const
{
    const QString design = name.isEmpty() ? QStringLiteral("Default") : name;
    try {
        throw;
    } catch (const ESoundRefused &e) {
        return LookupOr(mLookup, "DesignSoundRefused",
                        "The design \"%1\" cannot be used. Its sound \"%2\" cannot be played: %3")
            .arg(design, QDir::toNativeSeparators(e.Path()), SoundRefusalReason(e, mLookup));
    } catch (const EPictureError &e) {
        return LookupOr(mLookup, "DesignPictureRefused", "The design \"%1\" cannot be used. %2")
            .arg(design, QString::fromUtf8(e.what()));
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
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
    QString failure;
    try {
        mCues.OpenDeferred();
        return;
    } catch (const std::exception &) {
        mSoundsLoaded = false;
        failure = Explain(mCurrent->DesignName());
    }
    // Default first, then the one report: while it shows, the attract
    // screen goes on and must find sounds it can load.
    if (mCurrent->DesignName().compare(QLatin1String("Default"), Qt::CaseInsensitive) != 0) {
        try {
            Apply(QString());
        } catch (const std::exception &) {
            // Default failing too leaves the game silent, with that one report.
        }
    }
    ErrorReport::Show(failure);
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

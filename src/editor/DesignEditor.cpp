#include "editor/DesignEditor.h"

#include "base/KeyValueList.h"
#include "editor/DesignSaver.h"
#include "design/SoundRefusalText.h"
#include "design/TitleContrast.h"
#include "editor/EditorPrompts.h"
#include "lang/Language.h"
#include "sound/MixSettings.h"
#include "sound/SoundImport.h"
#include "sprites/PictureReader.h"

#include <QDir>
#include <QFileInfo>

TDesignEditor::TDesignEditor(TEditorPrompts &prompts, const TLanguage &language, TKeyValueList &settings,
                             const TDesignRoots &roots)
    : mPrompts(prompts), mLanguage(language), mSettings(settings),
      mDesign(std::make_unique<TGamePar>(roots)), mPhotos(mModified), mImages(*mDesign, mModified),
      mSounds(*mDesign, mModified), mMixerRate(ConfiguredMixerRate())
{
    mHistory.SetState([this] { return TEditorState::Of(*mDesign, mImages, mPhotos, mSounds); },
                      [this](const TEditorState &state, int slot) {
                          state.ApplyTo(*mDesign, mImages, mPhotos, mSounds, slot);
                      });
    for (int i = 0; i < TImageSlots::Count; ++i)
        mPictureNames << QStringLiteral("Image%1").arg(i);
    for (int n = 1; n <= TSoundFiles::Count; ++n)
        mCueNames << QStringLiteral("Sound%1").arg(n);
}

TDesignEditor::~TDesignEditor() = default;

QString TDesignEditor::Caption(const QString &baseCaption) const
{
    const QString &name = mDesign->DesignName();
    return name.isEmpty() ? baseCaption : baseCaption + QStringLiteral(" [") + name + QLatin1Char(']');
}

void TDesignEditor::SetModified(bool modified)
{
    if (!modified)
        mHistory.MarkSaved();
    mModified = modified;
}

void TDesignEditor::SetNames(const QStringList &pictures, const QStringList &cues)
{
    if (pictures.size() >= TImageSlots::Count)
        mPictureNames = pictures;
    if (cues.size() >= TSoundFiles::Count)
        mCueNames = cues;
}

void TDesignEditor::Load(const QString &name)
{
    mDesign->Load(name);
    mPhotos.Fill(*mDesign);
    mSounds.Fill();
    mImages.Forget();
    mImages.Select(0);
    mHistory.Clear();
}

void TDesignEditor::Change(TStep step, int index, const std::function<void()> &change)
{
    const bool typed = step == TStep::Size || step == TStep::Delay || step == TStep::Author || step == TStep::Info;
    const bool onPicture = step < TStep::AddPhotos;
    mHistory.Record(StepText(step, index), typed ? int(step) : -1, onPicture ? mImages.Current() : -1, change);
}

QString TDesignEditor::StepText(TStep step, int index) const
{
    // In the order of TStep.
    static const char *const keys[] = {"UndoPicture",   "UndoSize",         "UndoAnimated",   "UndoFit",
                                       "UndoLoop",      "UndoDelay",        "UndoColour",     "UndoReload",
                                       "UndoAddPhotos", "UndoRemovePhotos", "UndoMovePhotos", "UndoSound",
                                       "UndoAuthor",    "UndoInfo"};
    static_assert(std::size(keys) == std::size_t(TStep::Info) + 1);
    const QString text = mLanguage.LookupMessage(QLatin1String(keys[int(step)]));
    const QStringList &names = step == TStep::Sound ? mCueNames : mPictureNames;
    if (!text.contains(QLatin1String("%1")) || index < 0 || index >= names.size())
        return text;
    return text.arg(names.at(index));
}

QString TDesignEditor::TitleHint() const
{
    QStringList failing;
    for (int i : TTitleContrast::FailingPictures(*mDesign))
        failing << QString::number(i);
    if (failing.isEmpty())
        return {};
    return mLanguage.LookupMessage(QStringLiteral("TitleContrast")).arg(failing.join(QStringLiteral(", ")));
}

QString TDesignEditor::Setting(const char *key) const
{
    return mSettings.Value(QLatin1String(key));
}

void TDesignEditor::RememberFolder(const char *key, const QString &file)
{
    mSettings.SetValue(QLatin1String(key), QFileInfo(file).absolutePath() + QLatin1Char('/'));
}

int TDesignEditor::AddPhotos(int currentIndex)
{
    const QStringList files = mPrompts.ChoosePictures(Setting(PictureDirKey), true);
    Change(TStep::AddPhotos, -1, [&] {
        for (const QString &file : files)
            currentIndex = mPhotos.AddPhoto(file, currentIndex);
    });
    if (!files.isEmpty())
        RememberFolder(PictureDirKey, files.first());
    return currentIndex;
}

bool TDesignEditor::RemovePhotos(const QList<int> &rows)
{
    bool removed = false;
    Change(TStep::RemovePhotos, -1, [&] { removed = mPhotos.Remove(rows); });
    return removed;
}

void TDesignEditor::ReorderPhotos(const QStringList &order)
{
    QStringList now = mPhotos.Entries(), wanted = order;
    now.sort();
    wanted.sort();
    if (now == wanted)
        Change(TStep::MovePhotos, -1, [&] { mPhotos.SetEntries(order); });
}

bool TDesignEditor::MovePhoto(int from, int to)
{
    QStringList order = mPhotos.Entries();
    if (from < 0 || to < 0 || from >= order.size() || to >= order.size())
        return false;
    order.move(from, to);
    ReorderPhotos(order);
    return true;
}

bool TDesignEditor::LoadPicture()
{
    const QStringList files = mPrompts.ChoosePictures(Setting(PictureDirKey), false);
    if (files.isEmpty())
        return false;
    Change(TStep::Picture, mImages.Current(), [&] { mImages.LoadFile(files.first()); });
    RememberFolder(PictureDirKey, files.first());
    return true;
}

bool TDesignEditor::LoadSound(int n)
{
    const QString file = mPrompts.ChooseSound(Setting(SoundDirKey), mSounds.File(n));
    if (file.isEmpty())
        return false;
    RememberFolder(SoundDirKey, file);
    // A long song takes a moment to convert.
    TBusy busy(mPrompts);
    try {
        Change(TStep::Sound, n - 1, [&] { mSounds.Choose(n, file, mMixerRate); });
    } catch (const ESoundRefused &refusal) {
        throw EDesignError(SoundRefusalText(refusal, [this](const QString &key) {
            return mLanguage.LookupMessage(key);
        }));
    }
    return true;
}

void TDesignEditor::SetSoundToDefault(int n)
{
    Change(TStep::Sound, n - 1, [&] { mSounds.SetToDefault(n); });
}

bool TDesignEditor::ChooseColour()
{
    const std::optional<QColor> colour = mPrompts.ChooseColor(mImages.Backdrop());
    if (!colour)
        return false;
    PickColour(*colour);
    return true;
}

void TDesignEditor::PickColour(const QColor &colour)
{
    Change(TStep::Colour, mImages.Current(), [&] { mImages.PickColour(colour); });
}

void TDesignEditor::ResizePicture(const QString &sizeText)
{
    Change(TStep::Size, mImages.Current(), [&] { mImages.Resize(sizeText); });
}

void TDesignEditor::MakeStill(const QString &sizeText)
{
    Change(TStep::Animated, mImages.Current(), [&] { mImages.Resize(sizeText); });
}

void TDesignEditor::FitPicture()
{
    Change(TStep::Fit, mImages.Current(), [&] { mImages.Fit(); });
}

void TDesignEditor::SetLoop(bool loop)
{
    Change(TStep::Loop, mImages.Current(), [&] { mImages.SetLoop(loop); });
}

void TDesignEditor::SetDelay(const QString &text)
{
    Change(TStep::Delay, mImages.Current(), [&] { mImages.SetDelay(text); });
}

void TDesignEditor::ReloadPicture()
{
    Change(TStep::Reload, mImages.Current(), [&] { mImages.Undo(); });
}

QString TDesignEditor::FitNote() const
{
    const TImageView &view = mImages.View();
    if (!view.FitTo)
        return {};
    const QString key = mImages.Current() != 0 ? QStringLiteral("FitLarger")
                        : view.BeyondField     ? QStringLiteral("FitBeyondLimit")
                                               : QStringLiteral("FitField");
    return mLanguage.LookupMessage(key)
        .arg(view.SizeLabel, QStringLiteral("%1 x %2").arg(view.FitTo->width()).arg(view.FitTo->height()));
}

bool TDesignEditor::CanPlaySounds() const
{
    return Setting("NoDirectSound") != QLatin1String("1");
}

QString TDesignEditor::Author() const { return mDesign->Params().Value(QStringLiteral("Author")); }
QString TDesignEditor::Info() const { return mDesign->Params().Value(QStringLiteral("Info")); }
QString TDesignEditor::Version() const { return mDesign->Params().Value(QStringLiteral("Version")); }

void TDesignEditor::SetAuthor(const QString &text)
{
    Change(TStep::Author, -1, [&] {
        mDesign->Params().SetValue(QStringLiteral("Author"), text);
        mModified = true;
    });
}

void TDesignEditor::SetInfo(const QString &text)
{
    Change(TStep::Info, -1, [&] {
        mDesign->Params().SetValue(QStringLiteral("Info"), text);
        mModified = true;
    });
}

QString TDesignEditor::FieldSizeText() const
{
    return QStringLiteral("%1 x %2").arg(mDesign->ClientWidth()).arg(mDesign->ClientHeight());
}

bool TDesignEditor::New()
{
    if (!QuerySave())
        return false;
    Load(QString());
    mModified = false;
    return true;
}

bool TDesignEditor::Open()
{
    if (!QuerySave())
        return false;
    const std::optional<QString> name = mPrompts.ChooseDesign(mDesign->DesignName(), false);
    if (!name)
        return false;
    Load(*name);
    mModified = false;
    return true;
}

bool TDesignEditor::QuerySave()
{
    if (!mModified)
        return true;
    switch (mPrompts.Question(mLanguage.LookupMessage(QStringLiteral("Save changes")))) {
    case TDesignPrompts::TAnswer::Yes:
        return SaveDesign(false);
    case TDesignPrompts::TAnswer::No:
        return true;
    case TDesignPrompts::TAnswer::Cancel:
        break;
    }
    return false;
}

// The name chosen for Save as; nothing when the save must not go ahead.
std::optional<QString> TDesignEditor::AskSaveName()
{
    const std::optional<QString> name = mPrompts.ChooseDesign(mDesign->DesignName(), true);
    if (!name)
        return std::nullopt;
    if (LooksLikeDefaultName(*name)) {
        mPrompts.Error(mLanguage.LookupMessage(QStringLiteral("CannotsavetoDefault")));
        return std::nullopt;
    }
    return name;
}

bool TDesignEditor::SaveDesign(bool askName)
{
    QString name = mDesign->DesignName();
    bool inPlace = true;
    if (askName || mDesign->IsDefault()) {
        const std::optional<QString> chosen = AskSaveName();
        if (!chosen)
            return false;
        if (chosen->compare(name, Qt::CaseInsensitive) != 0) {
            if (!PrepareDesignFolder(*chosen, mLanguage, mPrompts, mDesign->RootDir()))
                return false;
            name = *chosen;
            inPlace = false;
        }
    }
    TBusy busy(mPrompts);
    if (inPlace)
        mHistory.KeepFilesOf(mDesign->DesignDir());
    TDesignSaver(*mDesign, mPhotos, mSounds).Save(name, inPlace, TPhotoList::SizeOf(mPhotoSizeText));
    mImages.Saved();
    mHistory.MarkSaved();
    return true;
}

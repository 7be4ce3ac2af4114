#include "editor/DesignEditor.h"

#include "base/KeyValueList.h"
#include "editor/DesignSaver.h"
#include "design/SoundRefusalText.h"
#include "design/TitleContrast.h"
#include "editor/EditorPrompts.h"
#include "editor/TitleMaker.h"
#include "sound/MixSettings.h"
#include "sound/SoundImport.h"
#include "sprites/PictureReader.h"

#include <QDir>
#include <QFileInfo>

TDesignEditor::TDesignEditor(TEditorPrompts &prompts, TMessageLookup messages, TKeyValueList &settings,
                             const TDesignRoots &roots)
    : mPrompts(prompts), mMessages(std::move(messages)), mSettings(settings),
      mDesign(std::make_unique<TGamePar>(roots)), mPhotos(mModified), mImages(*mDesign, mModified),
      mSounds(*mDesign, mModified), mMixerRate(ConfiguredMixerRate())
{
    mHistory.SetState([this] { return TEditorState::Of(*mDesign, mImages, mPhotos, mSounds); },
                      [this](const TEditorState &state, int slot) {
                          state.ApplyTo(*mDesign, mImages, mPhotos, mSounds, slot);
                      });
    mImages.SetFieldSource([this] { return SavedFieldSize(); });
    for (int i = 0; i < TImageSlots::Count; ++i)
        mPictureNames << QStringLiteral("Image%1").arg(i);
    for (int n = 1; n <= TSoundFiles::Count; ++n)
        mCueNames << QStringLiteral("Sound%1").arg(n);
}

TDesignEditor::~TDesignEditor() = default;

QString TDesignEditor::Caption(const QString &baseCaption) const
{
    const QString name = mIsNew ? mMessages(QStringLiteral("NewDesign")) : mDesign->DesignName();
    return name.isEmpty() ? baseCaption : baseCaption + QStringLiteral(" [") + name + QLatin1Char(']');
}

QString TDesignEditor::RefusalText(const EPictureError &error) const
{
    const QString key = EPictureError::ReasonKey(error.Problem());
    if (key.isEmpty() || error.Path().isEmpty())
        return QString::fromUtf8(error.what());
    QString reason = mMessages(key);
    for (const QString &arg : error.Args())
        reason = reason.arg(arg);
    if (!error.Detail().isEmpty())
        reason += QStringLiteral(" (") + error.Detail() + QLatin1Char(')');
    return mMessages(QStringLiteral("PictureRefused"))
        .arg(QDir::toNativeSeparators(QFileInfo(error.Path()).fileName()), reason);
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
    mIsNew = false;
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
    // A title made while one is shown is shown again on undo, resized from its own original.
    const bool onPicture = step < TStep::AddPhotos
                           || (step == TStep::Title && mImages.Current() >= TImageSlots::FirstTitle);
    mHistory.Record(StepText(step, index), typed ? int(step) : -1, onPicture ? mImages.Current() : -1, change);
    FollowField(-1);
}

void TDesignEditor::FollowField(int mergeId)
{
    const bool background = mImages.NeedsToFollowField();
    const bool titles = mImages.TitlesNeedToFollowField();
    if (!background && !titles)
        return;
    // Both in one step, named after every picture that follows.
    const auto name = [this](int i) { return i < mPictureNames.size() ? mPictureNames.at(i) : QString::number(i); };
    QStringList names;
    if (background)
        names << name(0);
    for (int i = TImageSlots::FirstTitle; titles && i < TImageSlots::Count; ++i)
        names << name(i);
    QString text = StepText(TStep::Follow, -1);
    if (text.contains(QLatin1String("%1")))
        text = text.arg(names.join(QStringLiteral(", ")));
    mHistory.Record(text, mergeId, -1, [this, titles] {
        mImages.FollowField();
        if (titles)
            SetMadeTitles(mImages.MadeTitles().Text);
    });
}

void TDesignEditor::SetPhotoSizeText(const QString &text)
{
    mPhotoSizeText = text;
    // Typing a size moves the field at every key: those follows are one step.
    FollowField(int(TStep::Follow));
}

QSize TDesignEditor::SavedFieldSize() const
{
    return mDesign->FieldSize(mPhotos.ShipCell(*mDesign, TPhotoList::SizeOf(mPhotoSizeText)));
}

QString TDesignEditor::StepText(TStep step, int index) const
{
    // In the order of TStep.
    static const char *const keys[] = {"UndoPicture",   "UndoSize",         "UndoAnimated",   "UndoFit",
                                       "UndoLoop",      "UndoDelay",        "UndoColour",     "UndoReload",
                                       "UndoAddPhotos", "UndoRemovePhotos", "UndoMovePhotos", "UndoSound",
                                       "UndoAuthor",    "UndoInfo",         "UndoTitle",      "UndoFollow"};
    static_assert(std::size(keys) == std::size_t(TStep::Follow) + 1);
    const QString text = mMessages(QLatin1String(keys[int(step)]));
    const QStringList &names = step == TStep::Sound ? mCueNames : mPictureNames;
    if (!text.contains(QLatin1String("%1")) || index < 0 || index >= names.size())
        return text;
    return text.arg(names.at(index));
}

QString TDesignEditor::TitleHint() const
{
    QStringList failing;
    for (int i : TTitleContrast::FailingPictures(*mDesign, SavedFieldSize().height()))
        failing << QString::number(i);
    if (failing.isEmpty())
        return {};
    return mMessages(QStringLiteral("TitleContrast")).arg(failing.join(QStringLiteral(", ")));
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
    if (files.isEmpty())
        return currentIndex;
    RememberFolder(PictureDirKey, files.first());
    // Each photo is read now, so that one that cannot be is refused here
    // and not when the design is saved.
    QStringList readable, refusals;
    {
        TBusy busy(mPrompts);
        for (const QString &file : files) {
            try {
                ::LoadPicture(file);
                readable << file;
            } catch (const EPictureError &e) {
                refusals << RefusalText(e);
            }
        }
    }
    Change(TStep::AddPhotos, -1, [&] {
        for (const QString &file : readable)
            currentIndex = mPhotos.AddPhoto(file, currentIndex);
    });
    if (!refusals.isEmpty())
        mPrompts.Error(refusals.join(QStringLiteral("\n\n")));
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
        Change(TStep::MovePhotos, -1, [&] { mPhotos.Reorder(order); });
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
    RememberFolder(PictureDirKey, files.first());
    try {
        Change(TStep::Picture, mImages.Current(), [&] { mImages.LoadFile(files.first()); });
    } catch (const EPictureError &e) {
        // The reader refuses before anything changes.
        mPrompts.Error(RefusalText(e));
        return false;
    }
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
            return mMessages(key);
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

bool TDesignEditor::MakeTitle()
{
    const QString proposed = mDesign->IsDefault() ? QString() : mDesign->DesignName();
    const std::optional<QString> text = mPrompts.AskText(mMessages(QStringLiteral("TitleText")), proposed);
    if (!text || text->trimmed().isEmpty())
        return false;
    Change(TStep::Title, -1, [&] { SetMadeTitles(text->trimmed()); });
    return true;
}

void TDesignEditor::SetMadeTitles(const QString &text)
{
    std::vector<TPicture> photos;
    for (const QString &entry : mPhotos.Entries()) {
        TPicture photo = TPhotoList::Preview(entry, TTitleMaker::PhotoSide);
        if (!photo.IsEmpty())
            photos.push_back(std::move(photo));
    }
    if (photos.empty())
        photos.push_back(mDesign->Image(6).Picture());
    const QSize field = SavedFieldSize();
    mImages.SetTitles(TTitleMaker(field).Make(text, photos), TTitleMaker::FrameDelay, {text, field, {}});
}

QString TDesignEditor::FitNote() const
{
    const TImageView &view = mImages.View();
    if (!view.FitTo)
        return {};
    const QSize size = mImages.Current() == 0 ? mDesign->Image(0).Picture().Size() : QSize();
    const bool smaller = size.width() <= view.FitTo->width() && size.height() <= view.FitTo->height();
    const QString key = mImages.Current() != 0 ? QStringLiteral("FitLarger")
                        : view.BeyondField     ? QStringLiteral("FitBeyondLimit")
                        : smaller              ? QStringLiteral("FitSmaller")
                                               : QStringLiteral("FitField");
    return mMessages(key)
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
    const QSize field = SavedFieldSize();
    return QStringLiteral("%1 x %2").arg(field.width()).arg(field.height());
}

bool TDesignEditor::New()
{
    if (!QuerySave())
        return false;
    Load(QString());
    // Default's own photos are not the new design's: photos are never
    // taken from Default.
    mPhotos.SetEntries({});
    mIsNew = true;
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
    switch (mPrompts.Question(mMessages(QStringLiteral("Save changes")))) {
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
    // A new design has no name yet to offer.
    const std::optional<QString> name = mPrompts.ChooseDesign(mIsNew ? QString() : mDesign->DesignName(), true);
    if (!name)
        return std::nullopt;
    if (LooksLikeDefaultName(*name)) {
        mPrompts.Error(mMessages(QStringLiteral("CannotsavetoDefault")));
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
            if (!PrepareDesignFolder(*chosen, mMessages, mPrompts, mDesign->RootDir()))
                return false;
            name = *chosen;
            inPlace = false;
        }
    }
    // A Background fitted to an older field would show bands in the game.
    FollowField(-1);
    TBusy busy(mPrompts);
    if (inPlace)
        mHistory.KeepFilesOf(mDesign->DesignDir());
    TDesignSaver(*mDesign, mPhotos, mSounds).Save(name, inPlace, TPhotoList::SizeOf(mPhotoSizeText));
    mImages.Saved();
    mHistory.MarkSaved();
    mIsNew = false;
    return true;
}

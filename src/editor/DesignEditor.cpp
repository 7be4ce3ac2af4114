#include "editor/DesignEditor.h"

#include "base/KeyValueList.h"
#include "editor/DesignSaver.h"
#include "design/TitleContrast.h"
#include "editor/EditorPrompts.h"
#include "lang/Language.h"
#include "sprites/PictureReader.h"

#include <QDir>
#include <QFileInfo>

TDesignEditor::TDesignEditor(TEditorPrompts &prompts, const TLanguage &language, TKeyValueList &settings,
                             const TDesignRoots &roots)
    : mPrompts(prompts), mLanguage(language), mSettings(settings),
      mDesign(std::make_unique<TGamePar>(roots)), mPhotos(mModified), mImages(*mDesign, mModified),
      mSounds(*mDesign, mModified)
{
}

TDesignEditor::~TDesignEditor() = default;

QString TDesignEditor::Caption(const QString &baseCaption) const
{
    const QString &name = mDesign->DesignName();
    return name.isEmpty() ? baseCaption : baseCaption + QStringLiteral(" [") + name + QLatin1Char(']');
}

void TDesignEditor::Load(const QString &name)
{
    mDesign->Load(name);
    mPhotos.Fill(*mDesign);
    mSounds.Fill();
    mImages.Select(0);
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
    for (const QString &file : files)
        currentIndex = mPhotos.AddPhoto(file, currentIndex);
    if (!files.isEmpty())
        RememberFolder(PictureDirKey, files.first());
    return currentIndex;
}

bool TDesignEditor::LoadPicture()
{
    const QStringList files = mPrompts.ChoosePictures(Setting(PictureDirKey), false);
    if (files.isEmpty())
        return false;
    mImages.LoadFile(files.first());
    RememberFolder(PictureDirKey, files.first());
    return true;
}

bool TDesignEditor::LoadSound(int n)
{
    const QString file = mPrompts.ChooseSound(Setting(SoundDirKey), mSounds.File(n));
    if (file.isEmpty())
        return false;
    mSounds.SetFile(n, file);
    RememberFolder(SoundDirKey, file);
    return true;
}

bool TDesignEditor::ChooseColour()
{
    const std::optional<QColor> colour = mPrompts.ChooseColor(mImages.Backdrop());
    if (!colour)
        return false;
    mImages.PickColour(*colour);
    return true;
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
    mDesign->Params().SetValue(QStringLiteral("Author"), text);
    mModified = true;
}

void TDesignEditor::SetInfo(const QString &text)
{
    mDesign->Params().SetValue(QStringLiteral("Info"), text);
    mModified = true;
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
        mPrompts.Message(mLanguage.LookupMessage(QStringLiteral("CannotsavetoDefault")));
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
    TDesignSaver(*mDesign, mPhotos, mSounds).Save(name, inPlace, TPhotoList::SizeOf(mPhotoSizeText));
    mModified = false;
    return true;
}

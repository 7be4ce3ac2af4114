#include "editor/ui/QtEditorPrompts.h"

#include "design/ui/DesignSelectDialog.h"
#include "editor/ui/PictureFileDialog.h"
#include "sound/SoundImport.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>


TQtEditorPrompts::TQtEditorPrompts(TDesignSelectDialog &select, bool unattended)
    : mSelect(select), mUnattended(unattended), mBoxes(nullptr, unattended)
{
}

void TQtEditorPrompts::SetWindow(QWidget *window)
{
    mWindow = window;
    mBoxes.SetParent(window);
}

void TQtEditorPrompts::Message(const QString &text)
{
    mBoxes.Message(text);
}

void TQtEditorPrompts::Error(const QString &text)
{
    mBoxes.Error(text);
}

bool TQtEditorPrompts::Ask(const QString &text)
{
    if (mUnattended)
        return false;
    return QMessageBox::question(mWindow, QApplication::applicationName(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes)
           == QMessageBox::Yes;
}

std::optional<QString> TQtEditorPrompts::AskText(const QString &label, const QString &preset)
{
    if (mUnattended)
        return std::nullopt;
    bool ok = false;
    const QString text =
        QInputDialog::getText(mWindow, QApplication::applicationName(), label, QLineEdit::Normal, preset, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

TDesignPrompts::TAnswer TQtEditorPrompts::Question(const QString &text)
{
    return mBoxes.Question(text);
}

std::optional<QString> TQtEditorPrompts::ChooseDesign(const QString &current, bool allowNew)
{
    if (mUnattended)
        return std::nullopt;
    mSelect.SetDesignName(current);
    if (!mSelect.Execute(allowNew))
        return std::nullopt;
    return mSelect.DesignName();
}

QStringList TQtEditorPrompts::ChoosePictures(const QString &startDir, bool several)
{
    if (mUnattended)
        return {};
    TPictureFileDialog dialog(mWindow, startDir, several);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

QString TQtEditorPrompts::ChooseSound(const QString &startDir, const QString &preset)
{
    if (mUnattended)
        return {};
    // Opened on the folder with an empty name: a preset name would take
    // whatever the player types after it. The current sound's folder is
    // the start when no folder was chosen before.
    const QString folder = startDir.isEmpty() && !preset.isEmpty() ? QFileInfo(preset).path() : startDir;
    QStringList patterns;
    for (const QString &extension : SoundImport::Patterns())
        patterns << AnyCasePattern(extension);
    // Names of formats only: the label reads the same in every language.
    QFileDialog dialog(mWindow, QString(), folder,
                       QStringLiteral("Audio: WAV, FLAC, Ogg, MP3 (%1)").arg(patterns.join(QLatin1Char(' '))));
    // The any-case patterns work but read badly: show the label alone.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                   : QString();
}

QString TQtEditorPrompts::ChooseArchive(const QString &startDir, const QString &proposedName, bool forSaving)
{
    if (mUnattended)
        return {};
    QFileDialog dialog(mWindow, QString(), startDir, mLanguage.LookupMessage(QStringLiteral("ZipFilter")) + QStringLiteral(" (%1)").arg(AnyCasePattern("zip")));
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Saving over an archive asks nothing; a typed name to open need not exist.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setDefaultSuffix(QStringLiteral("zip"));
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                   : QString();
}

std::optional<QColor> TQtEditorPrompts::ChooseColor(const QColor &initial)
{
    if (mUnattended)
        return std::nullopt;
    const QColor colour = QColorDialog::getColor(initial, mWindow);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

void TQtEditorPrompts::SetBusy(bool busy)
{
    if (busy) {
        if (mBusy++ == 0)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (mBusy > 0 && --mBusy == 0) {
        QGuiApplication::restoreOverrideCursor();
    }
}

#pragma once

#include "design/ui/MessageBoxPrompts.h"
#include "editor/EditorPrompts.h"
#include "lang/ui/Language.h"

class QWidget;
class TDesignSelectDialog;

// The editor's questions as the user sees them: message boxes, file and
// colour dialogs, the design selection and the busy cursor. Unattended
// (the scripted run and tests) nothing waits for a person: messages go to
// standard error, questions are cancelled, choosers chose nothing.
class TQtEditorPrompts : public TEditorPrompts
{
public:
    // `select` asks for design names; not owned.
    TQtEditorPrompts(TDesignSelectDialog &select, bool unattended);

    // The window the dialogs belong to.
    void SetWindow(QWidget *window);
    // The language of the file dialogs' own texts (their filters).
    void SetLanguageFile(const QString &path) { mLanguage.SetLanguageFile(path); }

    void Message(const QString &text) override;
    void Error(const QString &text) override;
    bool Ask(const QString &text) override;
    std::optional<QString> AskText(const QString &label, const QString &preset) override;
    TAnswer Question(const QString &text) override;
    std::optional<QString> ChooseDesign(const QString &current, bool allowNew) override;
    QStringList ChoosePictures(const QString &startDir, bool several) override;
    QString ChooseSound(const QString &startDir, const QString &preset) override;
    std::optional<QColor> ChooseColor(const QColor &initial) override;
    QString ChooseArchive(const QString &startDir, const QString &proposedName, bool forSaving) override;
    void SetBusy(bool busy) override;

private:
    TDesignSelectDialog &mSelect;
    bool mUnattended = false;
    QWidget *mWindow = nullptr;
    // Messages and questions, shared with the game window's prompts.
    TMessageBoxPrompts mBoxes;
    int mBusy = 0;
    TLanguage mLanguage;
};

#pragma once

#include "lang/LanguageCatalog.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

// Lets the user pick one of the language files ("*.lng") in the program's
// folder, each shown by its own name. The caller presets SelectedLanguage (a
// file name without ".lng"), runs Execute and, on true, reads the choice
// back. Its title and prompt speak the highlighted language, so a player
// who finds their own language can read what is asked.
class TSelLanguageDialog : public QDialog
{
    Q_OBJECT

public:
    // `folder` is where the language files lie; empty means beside the executable.
    explicit TSelLanguageDialog(QWidget *parent = nullptr, const QString &folder = QString());

    const QString &SelectedLanguage() const { return mSelectedLanguage; }
    void SetSelectedLanguage(const QString &language) { mSelectedLanguage = language; }

    const QString &Folder() const { return mFolder; }
    void SetFolder(const QString &folder);

    // Shows the dialog modally; true when it was closed with "Ok".
    bool Execute();

    QLabel *Label1 = nullptr;
    QListWidget *ListBox1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FillList();
    void CenterOnScreen();
    void SelectionStep();
    void ListBox1DblClick();
    void ShowQuestionIn(const TOfferedLanguage *language);

    QString mFolder;
    QString mSelectedLanguage;
    QString mPresetLanguage;
    QList<TOfferedLanguage> mOffered;
};

#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QListWidget;
class QPushButton;

// Lets the user pick one of the language files ("*.lng") in the program's
// folder. The caller presets SelectedLanguage (a file name without ".lng"),
// runs Execute and, on true, reads the choice back.
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

    // The display names of the language files in `folder`, sorted.
    static QStringList ListLanguages(const QString &folder);

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

    QString mFolder;
    QString mSelectedLanguage;
    QString mPresetLanguage;
};

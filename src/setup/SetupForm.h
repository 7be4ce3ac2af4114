#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TInstaller;
class TLanguage;
class TShortcutLink;

// The installer window started by the argument "setup": the language, the
// destination and the launcher entries to make. The work itself is done by
// TInstaller; closing the window ends the program.
class TSetupForm : public QDialog
{
    Q_OBJECT

public:
    // `programDir` holds the program to install (empty: the executable's
    // folder), `exeName` its executable (empty: this executable's name).
    explicit TSetupForm(QWidget *parent = nullptr, const QString &programDir = QString(),
                        const QString &exeName = QString());
    ~TSetupForm() override;

    TInstaller &Installer() { return *mInstaller; }
    const QString &LanguageFileName() const { return mLanguageFileName; }

    QLabel *Label1 = nullptr;
    QListWidget *ListBox1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QCheckBox *CheckBox2 = nullptr;
    QCheckBox *CheckBox3 = nullptr;
    QCheckBox *CheckBox4 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

private:
    void CreateControls();
    void FormShow();
    void ListBox1Click();
    void Button3Click();
    void Button1Click();

    QString mProgramDir;
    // Where the language files and designs are: the program folder, or an install's share/snapstorm/.
    QString mDataDir;
    QString mProgramFilesDir;
    QString mLanguageFileName;
    TLanguage *mLanguage = nullptr;
    TShortcutLink *mLink = nullptr;
    std::unique_ptr<TInstaller> mInstaller;
};

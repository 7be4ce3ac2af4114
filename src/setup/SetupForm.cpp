#include "setup/SetupForm.h"

#include "base/ErrorReport.h"
#include "base/FileNames.h"
#include "lang/ui/Language.h"
#include "lang/LanguageCatalog.h"
#include "lang/LocaleLanguage.h"
#include "setup/Installer.h"
#include "setup/ShortcutLink.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <unistd.h>

namespace {

template <class T>
T *Named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The nearest folder above `path` (or `path` itself) that exists, so the
// folder dialog can open there before the programs folder is made.
QString ExistingFolderAt(QString path)
{
    while (!path.isEmpty() && !QFileInfo(path).isDir() && QFileInfo(path).path() != path)
        path = QFileInfo(path).path();
    return path;
}

} // namespace

TSetupForm::TSetupForm(QWidget *parent, const QString &programDir, const QString &exeName)
    : QDialog(parent),
      mProgramDir(WithTrailingSlash(programDir.isEmpty() ? QCoreApplication::applicationDirPath() : programDir)),
      mDataDir(programDir.isEmpty() ? ProgramDataDir() : mProgramDir),
      mInstaller(std::make_unique<TInstaller>(
          mProgramDir, exeName.isEmpty() ? QFileInfo(QCoreApplication::applicationFilePath()).fileName() : exeName,
          mDataDir))
{
    setObjectName(QStringLiteral("SetupForm"));
    setWindowTitle(QStringLiteral("Snapstorm Setup"));
    CreateControls();
    mLanguage = new TLanguage(this);
    mLanguage->SetProperties({QStringLiteral("SetupForm.Label1.Caption"), QStringLiteral("SetupForm.Label2.Caption"),
                              QStringLiteral("SetupForm.Button1.Caption"), QStringLiteral("SetupForm.Button2.Caption"),
                              QStringLiteral("SetupForm.CheckBox1.Caption"), QStringLiteral("SetupForm.CheckBox2.Caption"),
                              QStringLiteral("SetupForm.CheckBox3.Caption"), QStringLiteral("SetupForm.CheckBox4.Caption")});
    mLink = new TShortcutLink(this);
    mLink->SetHotKey(QStringLiteral(" "));
    mLink->SetIconNumber(0);
    connect(ListBox1, &QListWidget::itemClicked, this, &TSetupForm::ListBox1Click);
    connect(Button3, &QPushButton::clicked, this, &TSetupForm::Button3Click);
    connect(Button1, &QPushButton::clicked, this, &TSetupForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    FormShow();
}

TSetupForm::~TSetupForm() = default;

void TSetupForm::CreateControls()
{
    Label1 = Named(new QLabel(QStringLiteral("Select a language"), this), "Label1");
    ListBox1 = Named(new QListWidget(this), "ListBox1");
    ListBox1->setAccessibleName(QStringLiteral("Languages"));
    CheckBox1 = Named(new QCheckBox(QStringLiteral("link to desktop"), this), "CheckBox1");
    CheckBox2 = Named(new QCheckBox(QStringLiteral("link to programs"), this), "CheckBox2");
    CheckBox3 = Named(new QCheckBox(QStringLiteral("link to start"), this), "CheckBox3");
    CheckBox4 = Named(new QCheckBox(QStringLiteral("start program"), this), "CheckBox4");
    CheckBox1->setChecked(true);
    CheckBox3->setChecked(true);
    CheckBox4->setChecked(true);
    Label2 = Named(new QLabel(QStringLiteral("Destination folder"), this), "Label2");
    Edit1 = Named(new QLineEdit(this), "Edit1");
    Edit1->setAccessibleName(QStringLiteral("Destination folder"));
    Button3 = Named(new QPushButton(QStringLiteral("..."), this), "Button3");
    Button3->setAccessibleName(QStringLiteral("Browse"));
    Button3->setFixedWidth(36);
    Button1 = Named(new QPushButton(QStringLiteral("Ok"), this), "Button1");
    Button1->setDefault(true);
    Button2 = Named(new QPushButton(QStringLiteral("Cancel"), this), "Button2");

    auto *checks = new QVBoxLayout;
    for (QCheckBox *box : {CheckBox1, CheckBox2, CheckBox3, CheckBox4})
        checks->addWidget(box);
    checks->addStretch();
    auto *destination = new QHBoxLayout;
    destination->addWidget(Edit1, 1);
    destination->addWidget(Button3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto *grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(ListBox1, 1, 0);
    grid->addLayout(checks, 1, 1);
    grid->addWidget(Label2, 2, 0, 1, 2);
    grid->addLayout(destination, 3, 0, 1, 2);
    grid->addLayout(buttons, 4, 0, 1, 2);
    setFixedSize(460, 320);
}

void TSetupForm::FormShow()
{
    const QString destination = TInstaller::DefaultDestination();
    mProgramFilesDir = QFileInfo(destination).path();
    Edit1->setText(destination);
    // Each language by its own name; the system's language comes preselected.
    const QList<TOfferedLanguage> offered = OfferedLanguages(mDataDir);
    QString wanted = LanguageForLocales(offered, SystemLocaleNames());
    if (wanted.isEmpty())
        wanted = QStringLiteral("english");
    for (const TOfferedLanguage &language : offered) {
        auto *item = new QListWidgetItem(language.OwnName, ListBox1);
        item->setData(Qt::UserRole, language.Name);
        if (language.Name.compare(wanted, Qt::CaseInsensitive) == 0)
            ListBox1->setCurrentItem(item);
    }
    ListBox1Click();
}

void TSetupForm::ListBox1Click()
{
    const QListWidgetItem *item = ListBox1->currentItem();
    if (!item)
        return;
    const QString name = item->data(Qt::UserRole).toString();
    mLanguageFileName = name + QStringLiteral(".lng");
    mLanguage->SetLanguageFile(TLanguage::LanguageFilePath(mDataDir, name));
    ErrorReport::Guard([this] { mLanguage->Translate(); });
}

void TSetupForm::Button3Click()
{
    const QString folder = QFileDialog::getExistingDirectory(this, QString(), ExistingFolderAt(mProgramFilesDir),
                                                             QFileDialog::DontUseNativeDialog);
    if (!folder.isEmpty())
        Edit1->setText(QDir::toNativeSeparators(folder));
}

void TSetupForm::Button1Click()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TInstallChoices choices{CheckBox1->isChecked(), CheckBox2->isChecked(), CheckBox3->isChecked(),
                                  CheckBox4->isChecked(), ::geteuid() == 0};
    const bool done = ErrorReport::Guard(
        [&] { mInstaller->Install(Edit1->text(), mLanguageFileName, choices, *mLink); },
        [] { QApplication::restoreOverrideCursor(); });
    if (!done)
        return;
    QApplication::restoreOverrideCursor();
    accept();
}

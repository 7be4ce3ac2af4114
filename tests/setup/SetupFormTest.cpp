#include "setup/SetupForm.h"
#include "setup/Installer.h"

#include "base/ErrorReport.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

TEST(SetupForm, LanguageStepTranslatesAtOnceAndOkInstallsThatLanguage)
{
    TempDir dir;
    dir.Write(QStringLiteral("src/snapstorm"), "program");
    dir.Write(QStringLiteral("src/English.lng"), "[Translations]\nSetupForm.Label1.Caption=Pick one\n");
    dir.Write(QStringLiteral("src/deutsch.lng"),
              "[Translations]\nSetupForm.Label1.Caption=Sprache\nSetupForm.CheckBox4.Caption=Starten\n");
    dir.Write(QStringLiteral("src/design/default/!design.ini"), "x");
    TSetupForm form(nullptr, dir.File(QStringLiteral("src")), QStringLiteral("snapstorm"));
    QStringList started;
    form.Installer().SetLauncher([&](const QString &program, const QString &) { started << program; });
    QStringList errors;
    ErrorReport::SetHandler([&](const QString &message) { errors << message; });
    form.show();

    EXPECT_EQ(form.Label1->text(), QStringLiteral("Pick one"));
    EXPECT_EQ(form.LanguageFileName(), QStringLiteral("English.lng"));
    EXPECT_TRUE(form.CheckBox1->isChecked() && !form.CheckBox2->isChecked() && form.CheckBox3->isChecked());
    QListWidgetItem *deutsch = form.ListBox1->findItems(QStringLiteral("deutsch"), Qt::MatchExactly).value(0);
    ASSERT_NE(deutsch, nullptr);
    form.ListBox1->setCurrentItem(deutsch);
    Q_EMIT form.ListBox1->itemClicked(deutsch);
    EXPECT_EQ(form.Label1->text(), QStringLiteral("Sprache"));
    EXPECT_EQ(form.CheckBox4->text(), QStringLiteral("Starten"));

    form.Edit1->clear();
    form.Button1->click();
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(form.isVisible());

    for (QCheckBox *box : {form.CheckBox1, form.CheckBox2, form.CheckBox3})
        box->setChecked(false);
    form.Edit1->setText(dir.File(QStringLiteral("dest")));
    form.Button1->click();
    EXPECT_EQ(errors.size(), 1) << qPrintable(errors.join('\n'));
    EXPECT_EQ(dir.Read(QStringLiteral("dest/snapstorm.ini")), QByteArray("Language=deutsch.lng\n"));
    EXPECT_EQ(started, QStringList{dir.File(QStringLiteral("dest/snapstorm"))});
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    ErrorReport::SetHandler({});
}

#include "lang/ui/Language.h"
#include "lang/LocaleLanguage.h"

#include "TestWindows.h"
#include "support/TempDir.h"

#include <QDialog>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class LanguageTest : public ::testing::Test
{
protected:
    // Writes a language file and points the component at it.
    void UseFile(const QByteArray &text)
    {
        mLanguage.SetLanguageFile(mDir.Write(QStringLiteral("test.lng"), text));
    }

    TempDir mDir;
    TLanguage mLanguage;
};

TEST_F(LanguageTest, TranslatesMenuCaptionWhateverTheLetterCaseOfThePath)
{
    TTestMainForm form;
    UseFile("[Translations]\n"
            "MainForm.Game1.Caption=&Spiel\n"
            "mainform.NEW1.caption=Neues Spiel\n");
    mLanguage.SetProperties({"MainForm.Game1.Caption", "MAINFORM.new1.CAPTION"});
    mLanguage.Translate();
    EXPECT_EQ(form.Game1->title(), "&Spiel");
    EXPECT_EQ(form.Game1->menuAction()->text(), "&Spiel");
    EXPECT_EQ(form.New1->text(), "Neues Spiel");
}

TEST_F(LanguageTest, TranslatedActionKeepsItsShortcut)
{
    TTestMainForm form;
    UseFile("[Translations]\nMainForm.Pause1.Caption=&Pause\n");
    mLanguage.SetProperties({"MainForm.Pause1.Caption"});
    mLanguage.Translate();
    EXPECT_EQ(form.Pause1->text(), "&Pause");
    EXPECT_EQ(form.Pause1->shortcut(), QKeySequence(Qt::Key_P));
    EXPECT_EQ(form.Pause1->iconText(), "Pause");
}

TEST_F(LanguageTest, ReachesControlsNestedInPanelsAndTabPages)
{
    TTestEditor editor;
    UseFile("[Translations]\n"
            "DesignParamDialog.Caption=Design Editor\n"
            "DesignParamDialog.TabSheet2.Caption=Klang\n"
            "DesignParamDialog.Label4.Caption=Datei:\n"
            "DesignParamDialog.Button1.Caption=abspielen\n");
    mLanguage.SetProperties({"DesignParamDialog.Caption", "DesignParamDialog.TabSheet2.Caption",
                             "DesignParamDialog.Label4.Caption",
                             "DesignParamDialog.Button1.Caption"});
    mLanguage.Translate();
    EXPECT_EQ(editor.Window->windowTitle(), "Design Editor");
    EXPECT_EQ(editor.PageControl1->tabText(1), "Klang");
    EXPECT_EQ(editor.PageControl1->tabText(0), "Images");
    EXPECT_EQ(editor.Label4->text(), "Datei:");
    EXPECT_EQ(editor.Button1->text(), "abspielen");
}

TEST_F(LanguageTest, EmptyTranslationKeepsTheDesignedText)
{
    TTestMainForm form;
    UseFile("[Translations]\nMainForm.New1.Caption=\nMainForm.Pause1.Caption=   \n");
    mLanguage.SetProperties({"MainForm.New1.Caption", "MainForm.Pause1.Caption",
                             "MainForm.Game1.Caption"});
    mLanguage.Translate();
    EXPECT_EQ(form.New1->text(), "New Game");
    EXPECT_EQ(form.Pause1->text(), "Pause Game");
    EXPECT_EQ(form.Game1->title(), "&Game");
}

TEST_F(LanguageTest, UnknownWindowsComponentsAndPropertiesArePassedOver)
{
    TTestMainForm form;
    UseFile("[Translations]\n"
            "NoSuchForm.Game1.Caption=x\n"
            "MainForm.NoSuchItem.Caption=x\n"
            "MainForm.New1.NoSuchProperty=x\n"
            "NoSuchForm.Deeper.Still.Caption=x\n"
            "Caption=x\n"
            "MainForm.Pause1.Caption=Pause\n");
    mLanguage.SetProperties({"NoSuchForm.Game1.Caption", "MainForm.NoSuchItem.Caption",
                             "MainForm.New1.NoSuchProperty", "NoSuchForm.Deeper.Still.Caption",
                             "Caption", "", "   ", "MainForm.Pause1.Caption"});
    EXPECT_NO_THROW(mLanguage.Translate());
    EXPECT_EQ(form.New1->text(), "New Game");
    EXPECT_EQ(form.Pause1->text(), "Pause");
}

TEST_F(LanguageTest, PathPartsAreTrimmed)
{
    TTestMainForm form;
    mLanguage.ApplyTranslation(QStringLiteral("  MainForm . New1 .  Caption "),
                               QStringLiteral("Los!"));
    EXPECT_EQ(form.New1->text(), "Los!");
}

TEST_F(LanguageTest, EmptyPartOfAPathMatchesNoUnnamedObject)
{
    TTestEditor editor;
    editor.Label4->setObjectName(QString());
    mLanguage.ApplyTranslation(QStringLiteral("DesignParamDialog..Caption"), QStringLiteral("x"));
    mLanguage.ApplyTranslation(QStringLiteral(".Caption"), QStringLiteral("x"));
    EXPECT_EQ(editor.Label4->text(), "File:");
    EXPECT_EQ(editor.Window->windowTitle(), "DesignParamDialog");
}

TEST_F(LanguageTest, WindowParentedToAnotherIsReachedByItsOwnNameOnly)
{
    TTestMainForm form;
    QDialog dialog(form.Window.get());
    dialog.setObjectName(QStringLiteral("DesignSelectDialog"));
    auto *button = new QPushButton(QStringLiteral("Ok"), &dialog);
    button->setObjectName(QStringLiteral("Button1"));
    mLanguage.ApplyTranslation(QStringLiteral("MainForm.Button1.Caption"), QStringLiteral("x"));
    EXPECT_EQ(button->text(), "Ok");
    mLanguage.ApplyTranslation(QStringLiteral("DesignSelectDialog.Button1.Caption"),
                               QStringLiteral("OK"));
    EXPECT_EQ(button->text(), "OK");
}

TEST_F(LanguageTest, ListTextReplacesItemsWithoutBlanksAroundThem)
{
    TTestEditor editor;
    mLanguage.SetSeparator(QStringLiteral(";"));
    UseFile("[Translations]\nDesignParamDialog.Listbox2.Items=Shot;  Explosion  ;Descent\n");
    mLanguage.SetProperties({"DesignParamDialog.Listbox2.Items"});
    mLanguage.Translate();
    ASSERT_EQ(editor.ListBox2->count(), 3);
    EXPECT_EQ(editor.ListBox2->item(0)->text(), "Shot");
    EXPECT_EQ(editor.ListBox2->item(1)->text(), "Explosion");
    EXPECT_EQ(editor.ListBox2->item(2)->text(), "Descent");
}

TEST_F(LanguageTest, ListTranslationKeepsTheCurrentEntryAndTellsNoHandler)
{
    TTestEditor editor;
    editor.ListBox2->setCurrentRow(2);
    QSignalSpy rowChanges(editor.ListBox2, &QListWidget::currentRowChanged);
    mLanguage.SetSeparator(QStringLiteral(";"));
    mLanguage.ApplyTranslation(QStringLiteral("DesignParamDialog.ListBox2.Items"),
                               QStringLiteral("a;b;c"));
    EXPECT_EQ(editor.ListBox2->currentRow(), 2);
    EXPECT_EQ(rowChanges.count(), 0);
}

TEST_F(LanguageTest, IntegerPropertyTakesTheNumber)
{
    TTestEditor editor;
    mLanguage.ApplyTranslation(QStringLiteral("DesignParamDialog.SpinEdit1.Value"),
                               QStringLiteral("-42"));
    EXPECT_EQ(editor.SpinEdit1->value(), -42);
}

TEST_F(LanguageTest, BadIntegerStopsTranslationAtThatEntry)
{
    TTestEditor editor;
    UseFile("[Translations]\n"
            "DesignParamDialog.Label4.Caption=Datei:\n"
            "DesignParamDialog.SpinEdit1.Value=twelve\n"
            "DesignParamDialog.Button1.Caption=abspielen\n");
    mLanguage.SetProperties({"DesignParamDialog.Label4.Caption",
                             "DesignParamDialog.SpinEdit1.Value",
                             "DesignParamDialog.Button1.Caption"});
    bool afterCalled = false;
    mLanguage.SetOnAfterTranslation([&](TLanguage &) { afterCalled = true; });
    try {
        mLanguage.Translate();
        FAIL() << "a bad number must raise the conversion error";
    } catch (const EConversionError &e) {
        EXPECT_NE(std::string(e.what()).find("twelve"), std::string::npos);
    }
    EXPECT_EQ(editor.Label4->text(), "Datei:");
    EXPECT_EQ(editor.SpinEdit1->value(), 5);
    EXPECT_EQ(editor.Button1->text(), "play");
    EXPECT_FALSE(afterCalled);
}

TEST_F(LanguageTest, EventsRunAroundTheTranslationAndMayReplaceTheText)
{
    TTestMainForm form;
    UseFile("[Translations]\nMainForm.New1.Caption=Neues Spiel\n"
            "MainForm.Pause1.Caption=Pause\n");
    mLanguage.SetProperties({"MainForm.New1.Caption", "MainForm.Pause1.Caption"});
    QStringList calls;
    mLanguage.SetOnBeforeTranslation([&](TLanguage &sender) {
        EXPECT_EQ(&sender, &mLanguage);
        calls << "before";
    });
    mLanguage.SetOnAfterTranslation([&](TLanguage &) { calls << "after"; });
    mLanguage.SetOnTranslate([&](TLanguage &, QObject *component, const QString &property,
                                 const QString &oldValue, QString &newValue) {
        calls << component->objectName() + "." + property + ":" + oldValue + "->" + newValue;
        if (component == form.Pause1)
            newValue = "Halt";
    });
    mLanguage.Translate();
    EXPECT_EQ(calls, QStringList({"before", "New1.Caption:New Game->Neues Spiel",
                                  "Pause1.Caption:Pause Game->Pause", "after"}));
    EXPECT_EQ(form.Pause1->text(), "Halt");
}

TEST_F(LanguageTest, TranslateHandlerSeesNoOldTextForListProperties)
{
    TTestEditor editor;
    QString seen = "unset";
    mLanguage.SetOnTranslate([&](TLanguage &, QObject *, const QString &, const QString &oldValue,
                                 QString &) { seen = oldValue; });
    mLanguage.ApplyTranslation(QStringLiteral("DesignParamDialog.ListBox2.Items"),
                               QStringLiteral("a,b"));
    EXPECT_EQ(seen, "");
}

TEST_F(LanguageTest, MissingFileChangesNothing)
{
    TTestMainForm form;
    mLanguage.SetLanguageFile(mDir.File(QStringLiteral("gone.lng")));
    mLanguage.SetProperties({"MainForm.New1.Caption"});
    mLanguage.Translate();
    EXPECT_EQ(form.New1->text(), "New Game");
    EXPECT_EQ(mLanguage.LookupMessage(QStringLiteral("Highscores")), "Highscores");
}

TEST_F(LanguageTest, LookupMessageReadsMessagesAndFallsBackToTheKey)
{
    UseFile("[Translations]\nHelpFile=wrong section\n"
            "[messages]\n  last score  =  Letzte Punktzahl  \nEnter name=\n");
    EXPECT_EQ(mLanguage.LookupMessage(QStringLiteral("Last Score")), "Letzte Punktzahl");
    EXPECT_EQ(mLanguage.LookupMessage(QStringLiteral("HelpFile")), "HelpFile");
    EXPECT_EQ(mLanguage.LookupMessage(QStringLiteral("Enter name")), "");
}

TEST_F(LanguageTest, LongValueIsAppliedCutTo1023Characters)
{
    TTestMainForm form;
    const QByteArray text(1100, 'x');
    UseFile("[Translations]\nMainForm.New1.Caption=" + text + "\n[Messages]\nLong=" + text + "\n");
    mLanguage.SetProperties({"MainForm.New1.Caption"});
    mLanguage.Translate();
    EXPECT_EQ(form.New1->text(), QString(1023, QLatin1Char('x')));
    EXPECT_EQ(mLanguage.LookupMessage(QStringLiteral("Long")).size(), 1023);
}

TEST_F(LanguageTest, FileIsReadAfreshOnEveryCall)
{
    TTestMainForm form;
    mLanguage.SetProperties({"MainForm.New1.Caption"});
    UseFile("[Translations]\nMainForm.New1.Caption=First\n[Messages]\nOK=Gut\n");
    mLanguage.Translate();
    EXPECT_EQ(mLanguage.LookupMessage(QStringLiteral("OK")), "Gut");
    UseFile("[Translations]\nMainForm.New1.Caption=Second\n[Messages]\nOK=Schön\n");
    EXPECT_EQ(mLanguage.LookupMessage(QStringLiteral("OK")), "Schön");
    mLanguage.Translate();
    EXPECT_EQ(form.New1->text(), "Second");
}

TEST_F(LanguageTest, WindowsCodePageFileIsReadAsSuch)
{
    UseFile("[Messages]\nCancel=Schlie\xdf" "en\n");
    EXPECT_EQ(mLanguage.LookupMessage(QStringLiteral("Cancel")), QString::fromUtf8("Schließen"));
}

TEST(LanguageSeparator, StartsEmptyAndStoresCommaForBlankValues)
{
    TLanguage language;
    EXPECT_EQ(language.Separator(), "");
    language.SetSeparator(QStringLiteral(";"));
    EXPECT_EQ(language.Separator(), ";");
    language.SetSeparator(QStringLiteral("   "));
    EXPECT_EQ(language.Separator(), ",");
    language.SetSeparator(QString());
    EXPECT_EQ(language.Separator(), ",");
}

TEST(LanguageSeparator, UnsetSeparatorMakesTheWholeTextOneItem)
{
    TTestEditor editor;
    TLanguage language;
    language.ApplyTranslation(QStringLiteral("DesignParamDialog.ListBox2.Items"),
                              QStringLiteral(" a;b,c "));
    ASSERT_EQ(editor.ListBox2->count(), 1);
    EXPECT_EQ(editor.ListBox2->item(0)->text(), "a;b,c");
}

TEST(LanguageProperties, AssigningCopiesTheLines)
{
    TLanguage language;
    QStringList paths{"MainForm.New1.Caption"};
    language.SetProperties(paths);
    paths.append("MainForm.Stop1.Caption");
    EXPECT_EQ(language.Properties(), QStringList({"MainForm.New1.Caption"}));
}

TEST(LanguageFilePath, FindsTheFileWhateverItsLetterCase)
{
    TempDir dir;
    dir.Write(QStringLiteral("Deutsch.LNG"), "[Messages]\n");
    EXPECT_EQ(TLanguage::LanguageFilePath(dir.Path(), QStringLiteral("deutsch")),
              dir.File(QStringLiteral("Deutsch.LNG")));
    EXPECT_EQ(TLanguage::LanguageFilePath(dir.Path(), QStringLiteral("english")),
              dir.File(QStringLiteral("english.lng")));
}

TEST(LanguageFilePath, StoredNameIsFoundByItsBareNameWhateverItsCaseElseEnglish)
{
    TempDir dir;
    dir.Write(QStringLiteral("deutsch.lng"), "[Messages]\n");
    dir.Write(QStringLiteral("English.lng"), "[Messages]\n");
    const auto stored = [&](const char *name) {
        return TLanguage::StoredLanguageFilePath(dir.Path(), QString::fromUtf8(name));
    };
    EXPECT_EQ(stored("DEUTSCH.LNG"), dir.File("deutsch.lng"));
    EXPECT_EQ(stored("../elsewhere/deutsch.lng"), dir.File("deutsch.lng"));
    // A language file that is gone gives English, not the raw message keys.
    EXPECT_EQ(stored("klingon.lng"), dir.File("English.lng"));
    EXPECT_EQ(stored(".."), dir.File("English.lng"));
}

TEST(LanguageForLocale, OffersTheFileOfTheDesktopsLanguage)
{
    const QStringList offered{"english", "Deutsch"};
    EXPECT_EQ(LanguageForLocale(offered, "de_DE.UTF-8"), "Deutsch");
    EXPECT_EQ(LanguageForLocale(offered, "en_GB.UTF-8"), "english");
    EXPECT_EQ(LanguageForLocale({"de", "en"}, "de_CH"), "de");
    for (const char *none : {"fr_FR.UTF-8", "C.UTF-8", "POSIX", ""})
        EXPECT_EQ(LanguageForLocale(offered, none), "") << none;
}

TEST(LanguageForLocales, PrefersTheVeryLocaleThenItsLanguageThenAFileNamedAfterIt)
{
    const QList<TOfferedLanguage> offered = {{"english", "English", "en"},
                                             {"portugues", "Português", "pt"},
                                             {"portugues-brasil", "Português (Brasil)", "pt_BR"},
                                             {"francais", "Français", "fr"},
                                             {"deutsch", "deutsch", ""}};
    EXPECT_EQ(LanguageForLocales(offered, {"pt_BR.UTF-8"}), "portugues-brasil");
    EXPECT_EQ(LanguageForLocales(offered, {"pt-BR"}), "portugues-brasil");
    EXPECT_EQ(LanguageForLocales(offered, {"pt_PT.UTF-8@euro"}), "portugues");
    EXPECT_EQ(LanguageForLocales(offered, {"fr_CA"}), "francais");
    // The first wanted locale with a file wins; one without a Locale is found by its name.
    EXPECT_EQ(LanguageForLocales(offered, {"sv", "de_AT", "fr"}), "deutsch");
    EXPECT_EQ(LanguageForLocales(offered, {"C", "POSIX", "sv_SE", ""}), "");
}

TEST(SystemLocaleNames, PutTheLanguageListFirstUnlessTheLocaleIsPlainC)
{
    const QStringList variables = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    QList<QByteArray> saved;
    for (const QString &name : variables)
        saved << qgetenv(qPrintable(name));
    qputenv("LANGUAGE", "fr:de");
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qputenv("LANG", "pl_PL.UTF-8");
    const QStringList wanted = SystemLocaleNames();
    qputenv("LANG", "C");
    const QStringList plain = SystemLocaleNames();
    for (qsizetype i = 0; i < variables.size(); ++i)
        saved[i].isNull() ? qunsetenv(qPrintable(variables[i])) : qputenv(qPrintable(variables[i]), saved[i]);
    EXPECT_EQ(wanted.mid(0, 3), QStringList({"fr", "de", "pl_PL.UTF-8"}));
    EXPECT_EQ(plain.value(0), "C");
}

} // namespace

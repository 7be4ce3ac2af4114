#include "LanguageFileCheck.h"

#include "lang/ui/Language.h"
#include "lang/LanguageCatalog.h"

#include "base/IniFile.h"
#include "base/TextFile.h"
#include "lang/ui/ObjectPath.h"
#include "lang/ui/PropertyAdapter.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <QListWidget>
#include <QSet>
#include <QRegularExpression>
#include <QStringDecoder>

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// Readable parameter names in test listings.
void PrintTo(const QString &text, std::ostream *out)
{
    *out << text.toStdString();
}

// Checks the language files we ship: every window text and message the
// program asks for must be there, in every language, in a usable form.
namespace {

const QString AssetsDir = QStringLiteral(SNAPSTORM_LANG_ASSETS);
const QString TestData = QStringLiteral(SNAPSTORM_TEST_DATA);
// Every language file in the assets: a new one is checked without a word here.
const QStringList ShippedLanguages = LanguageFileNames(AssetsDir);

const QStringList MainFormPaths = {
    "MainForm.Game1.Caption",    "MainForm.New1.Caption",      "MainForm.Stop1.Caption",
    "MainForm.Pause1.Caption",   "MainForm.Demo1.Caption",     "MainForm.Sound1.Caption",
    "MainForm.Exit1.Caption",    "MainForm.Info1.Caption",     "MainForm.Design1.Caption",
    "MainForm.Language2.Caption", "MainForm.Load1.Caption",    "MainForm.DesignItem.Caption",
    "MainForm.Game2.Caption",    "MainForm.Index1.Caption",    "MainForm.Help1.Caption",
    "MainForm.Gallery1.Caption", "MainForm.HighScores1.Caption",
    "DesignSelectDialog.Button1.Caption", "DesignSelectDialog.Button2.Caption",
    "DesignSelectDialog.Label1.Caption", "DesignSelectDialog.DesignItem.Caption",
    "MainForm.Volume1.Caption", "VolumeDialog.Caption", "VolumeDialog.Button1.Caption",
    "VolumeDialog.Button2.Caption", "MainForm.Keys1.Caption", "KeysDialog.Caption",
    "KeysDialog.Label1.Caption", "KeysDialog.Label2.Caption", "KeysDialog.Label3.Caption",
    "KeysDialog.Button1.Caption", "KeysDialog.Button2.Caption", "KeysDialog.Label5.Caption", "MainForm.View1.Caption",
    "MainForm.Fullscreen1.Caption", "MainForm.SmoothMotion1.Caption", "MainForm.WholeScaling1.Caption"};

const QStringList EditorPaths = {
    "DesignParamDialog.Caption",           "DesignParamDialog.File1.Caption",
    "DesignParamDialog.New1.Caption",      "DesignParamDialog.Open1.Caption",
    "DesignParamDialog.Save1.Caption",     "DesignParamDialog.Saveas1.Caption",
    "DesignParamDialog.Close1.Caption",    "DesignParamDialog.Exchange1.Caption",
    "DesignParamDialog.SaveasZIP1.Caption", "DesignParamDialog.ImportfromZIP1.Caption",
    "DesignParamDialog.SaveasEMail1.Caption", "DesignParamDialog.TabSheet1.Caption",
    "DesignParamDialog.TabSheet2.Caption", "DesignParamDialog.TabSheet3.Caption",
    "DesignParamDialog.TabSheet4.Caption", "DesignParamDialog.Label4.Caption",
    "DesignParamDialog.Label7.Caption",    "DesignParamDialog.Label12.Caption",
    "DesignParamDialog.Label13.Caption",   "DesignParamDialog.Listbox2.Items",
    "DesignParamDialog.Listbox3.Items",    "DesignParamDialog.Button1.Caption",
    "DesignParamDialog.Button2.Caption",   "DesignParamDialog.BitBtn1.Caption",
    "DesignParamDialog.Button3.Caption",   "DesignParamDialog.Button4.Caption",
    "DesignParamDialog.Label3.Caption",    "DesignParamDialog.Label10.Caption",
    "DesignParamDialog.Label1.Caption",    "DesignParamDialog.CheckBox1.Caption",
    "DesignParamDialog.CheckBox2.Caption", "DesignParamDialog.CheckBox3.Caption",
    "DesignParamDialog.Label9.Caption",    "DesignParamDialog.Label8.Caption",
    "DesignParamDialog.Edit1.Caption",     "DesignParamDialog.Undo1.Caption",
    "DesignParamDialog.Redo1.Caption",     "DesignParamDialog.FitButton.Caption",
    "DesignParamDialog.MakeTitleButton.Caption",
    "DesignParamDialog.SpeedButton5.ToolTip", "DesignParamDialog.SpeedButton6.ToolTip",
    "DesignParamDialog.ComboBox2.ToolTip", "DesignParamDialog.Label18.Caption",
    "DesignParamDialog.Label11.Caption",   "DesignParamDialog.Label17.Caption",
    "DesignParamDialog.Label6.Caption",    "DesignParamDialog.Label14.Caption"};

const QStringList SetupPaths = {
    "SetupForm.Label1.Caption",    "SetupForm.Label2.Caption",    "SetupForm.Button1.Caption",
    "SetupForm.Button2.Caption",   "SetupForm.CheckBox1.Caption", "SetupForm.CheckBox2.Caption",
    "SetupForm.CheckBox3.Caption", "SetupForm.CheckBox4.Caption"};

const QStringList MessageKeys = {
    "ScollText1",    "ScollText2",    "ScollText3", "Last Score",
    "Highscores",    "New Highscore", "In Top Twenty", "Enter name",
    "OK",            "Cancel",        "HelpFile",   "Override Design",
    "CannotsavetoDefault", "DesignFolderIsLink", "Save changes", "NoDesignZip", "Paused",
    "KeyUsedByCommand", "KeyUsedByShortcut", "KeyUsedTwice", "Locale",
    "UndoPicture", "UndoSize", "UndoAnimated", "UndoFit", "UndoLoop", "UndoDelay", "UndoColour",
    "UndoReload", "UndoAddPhotos", "UndoRemovePhotos", "UndoMovePhotos", "UndoSound", "UndoAuthor", "UndoInfo",
    "UndoTitle", "UndoFollow", "FitField", "FitBeyondLimit", "FitSmaller", "FitLarger", "NotDesignArchive", "ZipSaved", "FolderNotShown", "DraftNotOpened",
    "LinkNotOpened", "CopyPath", "HelpTitle", "TitleText", "TitleContrast", "Wave", "DemoSign",
    "NewDesign", "PictureRefused", "PictureMissing", "PictureNotAFile", "PictureUnreadable", "PictureDamaged",
    "PictureTooLarge", "PictureUnknownKind", "PictureMetafile", "PictureNoMemory",
    "SoundRefused", "DesignSoundRefused", "DesignPictureRefused", "SoundCannotOpen", "SoundUnknownFormat",
    "SoundDamaged", "SoundUnplayable", "SoundEmpty", "SoundTooLong", "SoundsTooLong",
    "LanguageName", "LanguageTitle", "LanguagePrompt", "ZipFilter",
    "ReplaySign", "ReplayNotRecorded", "ReplayUnreadable", "ReplayRulesChanged", "ReplayDesignMissing",
    "ReplayDesignChanged", "HighScoresTitle", "HighScoresScore", "HighScoresName", "HighScoresDesign",
    "HighScoresDate", "HighScoresWatch", "HighScoresClose", "ScoreDialogTitle", "DemoSignPad", "PausedPad",
    "PadLetters"};

// Captions that share one menu, whose "&" letters must differ.
const QList<QStringList> MenuGroups = {
    {"MainForm.Game1.Caption", "MainForm.Design1.Caption", "MainForm.View1.Caption",
     "MainForm.Help1.Caption"},
    {"MainForm.Fullscreen1.Caption", "MainForm.SmoothMotion1.Caption", "MainForm.WholeScaling1.Caption"},
    {"MainForm.New1.Caption", "MainForm.Stop1.Caption", "MainForm.Pause1.Caption",
     "MainForm.Demo1.Caption", "MainForm.HighScores1.Caption", "MainForm.Sound1.Caption", "MainForm.Volume1.Caption",
     "MainForm.Keys1.Caption", "MainForm.Exit1.Caption"},
    {"MainForm.Load1.Caption", "MainForm.Gallery1.Caption", "MainForm.Game2.Caption",
     "MainForm.Language2.Caption"},
    {"MainForm.Index1.Caption", "MainForm.Info1.Caption"},
    {"DesignParamDialog.File1.Caption", "DesignParamDialog.Edit1.Caption",
     "DesignParamDialog.Exchange1.Caption"},
    {"DesignParamDialog.Undo1.Caption", "DesignParamDialog.Redo1.Caption"},
    {"DesignParamDialog.New1.Caption", "DesignParamDialog.Open1.Caption",
     "DesignParamDialog.Save1.Caption", "DesignParamDialog.Saveas1.Caption",
     "DesignParamDialog.Close1.Caption"},
    {"DesignParamDialog.SaveasZIP1.Caption", "DesignParamDialog.ImportfromZIP1.Caption",
     "DesignParamDialog.SaveasEMail1.Caption"}};

QString FileOf(const QString &language)
{
    return AssetsDir + "/" + language + ".lng";
}

QString Translation(const QString &language, const QString &path)
{
    return TIniFile(FileOf(language)).ReadString(TLanguage::TranslationsSection, path);
}

QSet<QString> LowerSet(const QStringList &keys)
{
    QSet<QString> set;
    for (const QString &key : keys)
        set.insert(key.toLower());
    return set;
}

// gtest names allow letters, digits and "_" only ("portugues-brasil").
std::string TestName(const ::testing::TestParamInfo<QString> &info)
{
    QString name = info.param;
    return name.replace(QRegularExpression("[^A-Za-z0-9]"), "_").toStdString();
}

class ShippedLanguageFile : public ::testing::TestWithParam<QString>
{
};

TEST_P(ShippedLanguageFile, IsValidUtf8)
{
    QFile file(FileOf(GetParam()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(file.fileName());
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(file.readAll());
    EXPECT_FALSE(decoder.hasError());
}

TEST_P(ShippedLanguageFile, TranslatesEveryPathOfEveryWindow)
{
    for (const QStringList *paths : {&MainFormPaths, &EditorPaths, &SetupPaths}) {
        for (const QString &path : *paths)
            EXPECT_FALSE(Translation(GetParam(), path).isEmpty()) << qPrintable(path);
    }
}

TEST_P(ShippedLanguageFile, HoldsEveryMessageKey)
{
    const TIniFile file(FileOf(GetParam()));
    const QString missing = QStringLiteral("\x01missing");
    for (const QString &key : MessageKeys) {
        const QString text = file.ReadString(TLanguage::MessagesSection, key, missing);
        EXPECT_NE(text, missing) << qPrintable(key);
        EXPECT_FALSE(text.isEmpty()) << qPrintable(key);
    }
}

TEST_P(ShippedLanguageFile, ListsKeepTheNumberOfEntries)
{
    // The editor picks sounds and pictures by row, so a translation must
    // neither add nor drop an entry.
    const auto count = [&](const char *path) {
        return TLanguage::SplitItems(Translation(GetParam(), path), ";").size();
    };
    EXPECT_EQ(count("DesignParamDialog.Listbox2.Items"), 7);
    EXPECT_EQ(count("DesignParamDialog.Listbox3.Items"), 13);
    for (const char *path : {"DesignParamDialog.Listbox2.Items", "DesignParamDialog.Listbox3.Items"})
        EXPECT_FALSE(TLanguage::SplitItems(Translation(GetParam(), path), ";").contains(""));
}

TEST(ShippedLanguageFiles, PictureThreeIsTheCannonsLeftIcon)
{
    const QStringList english =
        TLanguage::SplitItems(Translation("english", "DesignParamDialog.Listbox3.Items"), ";");
    ASSERT_EQ(english.size(), 13);
    EXPECT_EQ(english.at(3), "Cannons left");
}

TEST_P(ShippedLanguageFile, MenuMnemonicsAreUniqueWithinEachMenu)
{
    for (const QStringList &group : MenuGroups) {
        QStringList seen;
        for (const QString &path : group) {
            const QString caption =
                path.startsWith('&') ? path : Translation(GetParam(), path);
            const QString letter = MnemonicOf(caption);
            if (letter.isEmpty())
                continue;
            EXPECT_FALSE(seen.contains(letter))
                << qPrintable(GetParam() + ": \"" + letter + "\" twice, at " + path);
            seen << letter;
        }
    }
}

TEST_P(ShippedLanguageFile, HelpFileLiesBesideIt)
{
    const QString help = TIniFile(FileOf(GetParam())).ReadString("Messages", "HelpFile");
    EXPECT_TRUE(QFileInfo(AssetsDir + "/" + help).isFile()) << qPrintable(help);
    // So does the style sheet every page shares, or the page shows unstyled.
    const QRegularExpression sheet(R"re(<link rel="stylesheet" type="text/css" href="([^"]+)">)re");
    const QRegularExpressionMatch link = sheet.match(ReadTextFile(AssetsDir + "/" + help));
    ASSERT_TRUE(link.hasMatch()) << qPrintable(help);
    EXPECT_TRUE(QFileInfo(AssetsDir + "/" + link.captured(1)).isFile()) << qPrintable(link.captured(1));
}

TLanguageFileCheck CheckFor(const QString &language)
{
    return {FileOf("english"), SameAsEnglishKeys(TestData + "/SameAsEnglish.ini", language), MenuGroups};
}

TEST_P(ShippedLanguageFile, PassesTheTranslatorsCheck)
{
    const QStringList problems = CheckFor(GetParam()).Problems(FileOf(GetParam()));
    EXPECT_TRUE(problems.isEmpty()) << qPrintable(problems.join('\n'));
}

TEST_P(ShippedLanguageFile, QtHasItsOwnTextsInThatLanguage)
{
    // The standard buttons and file dialogs come from Qt's catalogue.
    const QString locale = TIniFile(FileOf(GetParam())).ReadString("Messages", "Locale");
    ASSERT_FALSE(locale.isEmpty());
    if (locale.startsWith("en"))
        return;
    QTranslator catalogue;
    EXPECT_TRUE(catalogue.load("qtbase_" + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        << qPrintable(locale);
}

TEST(LanguageFileCheck, FindsWhatATranslatorCanGetWrong)
{
    // A French file with one key removed, one placeholder dropped, a menu
    // letter taken twice and one text put back into English.
    const TempDir dir;
    QString text = ReadTextFile(FileOf("francais"));
    const auto replaceLine = [&](const QString &key, const QString &line) {
        const QRegularExpression old("^" + QRegularExpression::escape(key) + "=.*$",
                                     QRegularExpression::MultilineOption);
        ASSERT_TRUE(text.contains(old)) << qPrintable(key);
        text.replace(old, line);
    };
    replaceLine("Override Design", "");
    replaceLine("UndoPicture", "UndoPicture=Image");
    replaceLine("MainForm.Stop1.Caption", "MainForm.Stop1.Caption=&Nouvelle pause");
    replaceLine("ScollText3", "ScollText3=Press F2 to play");
    const QString broken = dir.Write("francais.lng", text.toUtf8());
    const QStringList problems = CheckFor("francais").Problems(broken);
    const QString all = problems.join('\n');
    EXPECT_TRUE(all.contains("Override Design: missing")) << qPrintable(all);
    EXPECT_TRUE(all.contains("UndoPicture: placeholders")) << qPrintable(all);
    EXPECT_TRUE(all.contains("MainForm.Stop1.Caption: \"&n\"")) << qPrintable(all);
    EXPECT_TRUE(all.contains("ScollText3: still the English")) << qPrintable(all);
    // Its help page is not beside the copy.
    EXPECT_TRUE(all.contains("snapstorm-fr.html is not beside")) << qPrintable(all);
    EXPECT_EQ(problems.size(), 5) << qPrintable(all);
    EXPECT_EQ(PlaceholdersOf("%2 and %1\\n<br>"), QStringList({"%1", "%2", "<br>", "\\n"}));
}

INSTANTIATE_TEST_SUITE_P(Assets, ShippedLanguageFile, ::testing::ValuesIn(ShippedLanguages),
                         TestName);

TEST(ShippedLanguageFiles, AllHoldTheSameKeys)
{
    const TIniFile english(FileOf("english"));
    for (const QString &language : ShippedLanguages) {
        const TIniFile file(FileOf(language));
        for (const char *section : {TLanguage::TranslationsSection, TLanguage::MessagesSection}) {
            EXPECT_EQ(LowerSet(file.ReadSectionKeys(section)),
                      LowerSet(english.ReadSectionKeys(section)))
                << qPrintable(language) << " [" << section << "]";
        }
    }
}

TEST(ShippedLanguageFiles, HoldNoKeysTheProgramNeverAsksFor)
{
    const QSet<QString> known = LowerSet(MainFormPaths + EditorPaths + SetupPaths);
    for (const QString &key : TIniFile(FileOf("english")).ReadSectionKeys("Translations"))
        EXPECT_TRUE(known.contains(key.toLower())) << qPrintable(key);
    EXPECT_EQ(LowerSet(TIniFile(FileOf("english")).ReadSectionKeys("Messages")),
              LowerSet(MessageKeys));
}

TEST(ShippedLanguageFiles, AreCopiedBesideTheExecutable)
{
    for (const QString &language : ShippedLanguages) {
        const QString copy = QStringLiteral(SNAPSTORM_BIN_DIR) + "/" + language + ".lng";
        EXPECT_EQ(ReadTextFile(copy), ReadTextFile(FileOf(language))) << qPrintable(copy);
    }
}

} // namespace

namespace {

// Builds a window per path prefix with a named control for every path, the
// way the program's windows name theirs, so a whole shipped file can be
// applied and checked.
class TStandInWindows
{
public:
    explicit TStandInWindows(const QStringList &paths)
    {
        for (const QString &path : paths) {
            const QStringList parts = path.split('.');
            QWidget *window = Window(parts[0]);
            if (parts.size() == 3 && parts[2] == "Items") {
                auto *list = new QListWidget(window);
                list->setObjectName(parts[1]);
            } else if (parts.size() == 3) {
                auto *action = new QAction(QStringLiteral("untranslated"), window);
                action->setObjectName(parts[1]);
            }
        }
    }

private:
    QWidget *Window(const QString &name)
    {
        for (const auto &window : mWindows) {
            if (window->objectName() == name)
                return window.get();
        }
        mWindows.push_back(std::make_unique<QWidget>());
        mWindows.back()->setObjectName(name);
        mWindows.back()->setWindowTitle(QStringLiteral("untranslated"));
        return mWindows.back().get();
    }

    std::vector<std::unique_ptr<QWidget>> mWindows;
};

QString ShownText(const QString &path)
{
    const TResolvedPath target = ResolveObjectPath(path);
    if (!target.Object)
        return QStringLiteral("<not found>");
    if (auto *list = qobject_cast<QListWidget *>(target.Object)) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        return items.join(';');
    }
    return TPropertyAdapter(target.Object, target.PropertyName).ReadText();
}

class ShippedFileApplied : public ::testing::TestWithParam<QString>
{
};

TEST_P(ShippedFileApplied, ChangesEveryTextOfEveryWindow)
{
    const QStringList paths = MainFormPaths + EditorPaths + SetupPaths;
    TStandInWindows windows(paths);
    TLanguage language;
    language.SetSeparator(QStringLiteral(";"));
    language.SetLanguageFile(FileOf(GetParam()));
    language.SetProperties(paths);
    language.Translate();
    for (const QString &path : paths) {
        const QString expected = path.endsWith(".Items")
            ? TLanguage::SplitItems(Translation(GetParam(), path), ";").join(';')
            : Translation(GetParam(), path);
        EXPECT_EQ(ShownText(path), expected) << qPrintable(path);
    }
}

INSTANTIATE_TEST_SUITE_P(Assets, ShippedFileApplied, ::testing::ValuesIn(ShippedLanguages),
                         TestName);

} // namespace

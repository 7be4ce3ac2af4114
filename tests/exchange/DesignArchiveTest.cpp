#include "ZipBytes.h"

#include "base/FolderLock.h"
#include "design/DesignFolder.h"
#include "design/PrepareDesignFolder.h"
#include "exchange/DesignArchive.h"
#include "exchange/ZipListing.h"
#include "exchange/ZipReader.h"
#include "lang/Language.h"
#include "support/TempDir.h"

#include <QDirIterator>

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <thread>
#include <map>
#include <optional>

using namespace ZipBytes;
using TAnswer = TDesignPrompts::TAnswer;

namespace {

class TFakePrompts : public TDesignPrompts
{
public:
    QStringList Messages, Questions;
    std::deque<TAnswer> Answers;
    std::function<void()> OnMessage;
    void Message(const QString &text) override
    {
        Messages << text;
        if (OnMessage)
            OnMessage();
    }
    TAnswer Question(const QString &text) override
    {
        Questions << text;
        if (Answers.empty())
            return TAnswer::Cancel;
        const TAnswer a = Answers.front();
        Answers.pop_front();
        return a;
    }
};

// A scratch folder with a design root and archives beside it; message
// texts are their keys.
class DesignArchiveTest : public ::testing::Test
{
protected:
    DesignArchiveTest()
    {
        Temp.Write("design/Default/!design.ini", "Version=1");
        Temp.Write("design/Sea/!design.ini", "old settings");
        Temp.Write("design/Sea/Photo_1.bmp", "old photo");
        Temp.Write("design/Sea/sub/kept.txt", "kept");
    }

    QString Root() const { return Temp.File("design/"); }
    QString Zip(const QString &name) const { return Temp.File(name); }

    bool Import(const QString &path) { return ImportDesignZip(path, Language, Prompts, Root()); }

    // Every file under the scratch folder with its bytes; links marked.
    std::map<QString, QByteArray> Snapshot() const
    {
        std::map<QString, QByteArray> files;
        QDirIterator it(Temp.Path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files[path] = QFileInfo(path).isSymLink() ? QByteArray("link") : ReadFile(path);
        }
        return files;
    }

    QString NoDesign(const QString &path) const { return "\"" + path + "\"\r\nNoDesignZip"; }
    QString NotAnArchive(const QString &path) const { return "\"" + path + "\"\r\nNotDesignArchive"; }

    TempDir Temp;
    TLanguage Language;
    TFakePrompts Prompts;
};

} // namespace

TEST_F(DesignArchiveTest, OnlyARootSettingsFileMakesADesignArchiveAndOnlyDesignFilesLand)
{
    ASSERT_TRUE(Build(Zip("Lake.zip"), {{"!DESIGN.INI", "ini"}, {"img/PHOTO_1.bmp", "bmp"}, {"Photo_1.jpg", "jpg"},
                                        {"Image13.gif", "13"}, {"sound8.wav", "8"}, {"run.sh", "sh"}}));
    ASSERT_TRUE(Build(Zip("Deep.zip"), {{"designs/Deep/!design.ini", "ini"}}));
    EXPECT_TRUE(Import(Zip("Lake.zip")));
    EXPECT_EQ(QDir(Root() + "Lake").entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"!DESIGN.INI", "PHOTO_1.bmp"}));

    EXPECT_FALSE(Import(Zip("Deep.zip")));
    EXPECT_FALSE(Import(Zip("Typed.zip")));
    EXPECT_FALSE(Import(Temp.Write("Text.zip", QByteArray(100, 'x'))));
    EXPECT_EQ(Prompts.Messages,
              (QStringList{NoDesign(Zip("Deep.zip")), NotAnArchive(Zip("Typed.zip")), NotAnArchive(Zip("Text.zip"))}));
    EXPECT_FALSE(QFileInfo::exists(Root() + "Deep"));
    EXPECT_FALSE(Import(QString()));
}

// A second "Default" in Design > Load, or a name that breaks the settings
// line it becomes, must never reach the design root.
TEST_F(DesignArchiveTest, DefaultLookAlikesAndUnusableNamesAreRefused)
{
    const auto before = Snapshot();
    const QStringList lookAlikes = {"Default.zip", "default.ZIP", ".zip", " Default .zip",
                                    QString::fromUtf8("D\xD0\xB5" "fault.zip"), QString::fromUtf8("DEF\xCE\x91ULT.zip"),
                                    QString::fromUtf8("De\xE2\x80\x8B" "fault.zip"), QString::fromUtf8("D\xC3\xA9" "fault.zip"),
                                    // Braille blank, Hangul filler, Cherokee, Lisu, a click letter.
                                    QString::fromUtf16(u"Default\u2800.zip"), QString::fromUtf16(u"Default\u3164.zip"),
                                    QString::fromUtf16(u"\u13A0efault.zip"),
                                    QString::fromUtf16(u"\uA4D3\uA4F0\uA4DD\uA4EE\uA4F4\uA4E1\uA4D4.zip"),
                                    QString::fromUtf16(u"Defau\u01C0t.zip")};
    for (const QString &name : lookAlikes) {
        ASSERT_TRUE(Build(Zip(name), {{"!design.ini", "ini"}}));
        EXPECT_FALSE(Import(Zip(name))) << name.toStdString();
        QFile::remove(Zip(name));
    }
    EXPECT_EQ(Prompts.Messages, QStringList(lookAlikes.size(), "CannotsavetoDefault"));
    Prompts.Messages.clear();
    for (const QString name : {"Se\na.zip", "Se\ra.zip", "Sea\x01.zip"}) {
        ASSERT_TRUE(Build(Zip(name), {{"!design.ini", "ini"}}));
        EXPECT_FALSE(Import(Zip(name)));
        QFile::remove(Zip(name));
    }
    ASSERT_EQ(Prompts.Messages.size(), 3);
    EXPECT_TRUE(Prompts.Messages[0].contains("line break")) << Prompts.Messages[0].toStdString();
    EXPECT_EQ(Snapshot(), before);
    EXPECT_FALSE(LooksLikeDefaultName("Defaults"));
    EXPECT_FALSE(LooksLikeDefaultName(QString::fromUtf8("\xD0\x94\xD0\xB5\xD1\x84")));
}

TEST_F(DesignArchiveTest, ReplacingADesignAsksAndKeepsItsSubFolders)
{
    ASSERT_TRUE(Build(Zip("Sea.zip"), {{"!design.ini", "new settings"}, {"Image1.gif", "gif"}}));
    const auto before = Snapshot();
    Prompts.Answers = {TAnswer::No};
    EXPECT_FALSE(Import(Zip("Sea.zip")));
    EXPECT_EQ(Prompts.Questions, QStringList{"Override Design\n\"Sea\""});
    EXPECT_EQ(Snapshot(), before);

    Prompts.Answers = {TAnswer::Yes};
    EXPECT_TRUE(Import(Zip("Sea.zip")));
    EXPECT_EQ(Temp.Read("design/Sea/!design.ini"), "new settings");
    EXPECT_FALSE(QFileInfo::exists(Root() + "Sea/Photo_1.bmp"));
    EXPECT_EQ(Temp.Read("design/Sea/sub/kept.txt"), "kept");
    EXPECT_EQ(QDir(Root()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"Default", "Sea"}));
}

// The second of two copies importing one name replaced the first's design
// without a question; an error box held the design root's lock, so every
// other copy's save failed until it was closed.
TEST_F(DesignArchiveTest, ADesignThatAppearedMeanwhileIsAskedForAndNoMessageHoldsTheRoot)
{
    ASSERT_TRUE(Build(Zip("Lake.zip"), {{"!design.ini", "mine"}}));
    std::optional<TFolderLock> otherCopy(std::in_place, Root(), TFolderLock::Mode::Exclusive, 0);
    ASSERT_TRUE(otherCopy->Locked());
    Prompts.Answers = {TAnswer::No};
    bool imported = true;
    std::thread importer([&] { imported = Import(Zip("Lake.zip")); });
    // The other copy saves its Lake while this import waits for the root.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    Temp.Write("design/Lake/!design.ini", "theirs");
    otherCopy.reset();
    importer.join();
    EXPECT_FALSE(imported);
    EXPECT_EQ(Prompts.Questions, QStringList{"Override Design\n\"Lake\""});
    EXPECT_EQ(Temp.Read("design/Lake/!design.ini"), "theirs");

    ASSERT_TRUE(Build(Zip("Sea.zip"), {{"!design.ini", "ini", true}, {"Sound1.wav", "hello world", true}}));
    QByteArray crc = ReadFile(Zip("Sea.zip"));
    crc[crc.indexOf("hello")] = 'j';
    WriteFile(Zip("Sea.zip"), crc);
    bool rootFree = false;
    Prompts.OnMessage = [&] {
        rootFree = TFolderLock(Root(), TFolderLock::Mode::Exclusive, 0).Locked()
                   && !QFileInfo::exists(Root() + ".Sea.saving");
    };
    Prompts.Answers = {TAnswer::Yes};
    EXPECT_FALSE(Import(Zip("Sea.zip")));
    ASSERT_EQ(Prompts.Messages.size(), 1);
    EXPECT_TRUE(rootFree) << Prompts.Messages[0].toStdString();
}

// Replace over a linked design folder used to empty the folder outside
// the design root.
TEST_F(DesignArchiveTest, ADesignFolderThatIsALinkIsNotReplaced)
{
    Temp.Write("elsewhere/Lake/!design.ini", "outside");
    Temp.Write("elsewhere/Lake/mine/notes.txt", "the player's own");
    ASSERT_TRUE(QFile::link(Temp.File("elsewhere/Lake"), Root() + "Lake"));
    ASSERT_TRUE(Build(Zip("Lake.zip"), {{"!design.ini", "new"}}));
    const auto before = Snapshot();
    Prompts.Answers = {TAnswer::Yes};
    EXPECT_FALSE(Import(Zip("Lake.zip")));
    EXPECT_TRUE(Prompts.Questions.isEmpty());
    ASSERT_EQ(Prompts.Messages.size(), 1);
    EXPECT_TRUE(Prompts.Messages[0].startsWith("DesignFolderIsLink"));
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(DesignArchiveTest, HostileNamesLandAsBareNamesInsideTheDesign)
{
    ASSERT_TRUE(Build(Zip("Reef.zip"), {{"!design.ini", "ini"},
                                        {"../../Image3.gif", "first"},
                                        {"/etc/Image4.gif", "abs"},
                                        {"C:\\Image3.gif", "second"},
                                        {"..\\..\\Image4.gif", "back"},
                                        {"..", "dots"},
                                        {"dir/.hidden", "hidden"},
                                        {"Sound1.wav", "/etc/passwd", false, true}}));
    auto before = Snapshot();
    EXPECT_TRUE(Import(Zip("Reef.zip")));
    EXPECT_TRUE(Prompts.Messages.isEmpty());
    auto after = Snapshot();
    for (const auto &[path, bytes] : before)
        EXPECT_EQ(after[path], bytes) << path.toStdString();
    QStringList added;
    for (const auto &[path, bytes] : after) {
        if (!before.count(path))
            added << path.mid(Root().size()) + "=" + bytes;
    }
    EXPECT_EQ(added, (QStringList{"Reef/!design.ini=ini", "Reef/Image3.gif=first", "Reef/Image4.gif=abs"}));
}

TEST_F(DesignArchiveTest, BrokenOrOversizedArchivesAreRefusedLeavingTheDesign)
{
    std::vector<TEntry> many{{"!design.ini", "ini"}};
    for (int i = 0; i < 20000; ++i)
        many.push_back({"f" + QByteArray::number(i), "", true});
    ASSERT_TRUE(Build(Zip("many.zip"), many));
    ASSERT_TRUE(Build(Zip("locked.zip"), {{"!design.ini", "ini"}, {"Photo_1.bmp", "bmp", false, false, true}}));

    const QByteArray zeros(1 << 20, '\0');
    ASSERT_TRUE(Build(Zip("bomb.zip"), {{"!design.ini", "ini", true}, {"zeros", zeros}}));
    QByteArray bomb = ReadFile(Zip("bomb.zip"));
    // Both headers of "zeros" claim 1 GiB from the same kilobyte of data.
    const int local = bomb.indexOf("PK\3\4", 10), central = bomb.lastIndexOf("PK\1\2");
    bomb.replace(local + 22, 4, QByteArray("\0\0\0\x40", 4));
    bomb.replace(central + 24, 4, QByteArray("\0\0\0\x40", 4));
    WriteFile(Zip("bomb.zip"), bomb);

    QByteArray expanding = bomb;
    expanding.replace(local + 22, 4, QByteArray("\0\0\x50\0", 4));
    expanding.replace(central + 24, 4, QByteArray("\0\0\x50\0", 4));
    WriteFile(Zip("expanding.zip"), expanding);

    ASSERT_TRUE(Build(Zip("crc.zip"), {{"!design.ini", "ini", true}, {"Sound1.wav", "hello world", true}}));
    QByteArray crc = ReadFile(Zip("crc.zip"));
    crc[crc.indexOf("hello")] = 'j';
    WriteFile(Zip("crc.zip"), crc);
    WriteFile(Zip("cut.zip"), crc.left(crc.size() / 2));

    // The second sound's directory entry points at the first one's data.
    ASSERT_TRUE(Build(Zip("shared.zip"), {{"!design.ini", "ini"}, {"Sound1.wav", "wave"}, {"Sound2.wav", "wave"}}));
    QByteArray shared = ReadFile(Zip("shared.zip"));
    const int second = shared.indexOf("PK\1\2", shared.indexOf("PK\1\2") + 4);
    const int third = shared.indexOf("PK\1\2", second + 4);
    shared.replace(third + 42, 4, shared.mid(second + 42, 4));
    WriteFile(Zip("shared.zip"), shared);

    const auto before = Snapshot();
    const std::pair<const char *, const char *> cases[] = {
        {"many.zip", "at most 10000"}, {"bomb.zip", "more than 256 MiB"},
        {"expanding.zip", "expands more than 1000-fold"}, {"locked.zip", "Photo_1.bmp: encrypted"},
        {"crc.zip", "Sound1.wav: CRC error"}, {"cut.zip", "incomplete or damaged"},
        {"shared.zip", "share the same data"},
    };
    for (const auto &[name, reason] : cases) {
        for (const char *design : {"Sea", "Sea2"}) {
            const QString path = Temp.File(design + QString(".zip"));
            QFile::remove(path);
            QFile::copy(Zip(name), path);
            Prompts.Messages.clear();
            Prompts.Answers = {TAnswer::Yes};
            EXPECT_FALSE(Import(path)) << name;
            ASSERT_EQ(Prompts.Messages.size(), 1) << name;
            EXPECT_TRUE(Prompts.Messages[0].startsWith("\"" + path + "\"\r\n")) << name;
            EXPECT_TRUE(Prompts.Messages[0].contains(reason)) << Prompts.Messages[0].toStdString();
            QFile::remove(path);
        }
    }
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(DesignArchiveTest, ExportPacksTheFolderFilesOnlyOnceEach)
{
    Temp.Write("secret.txt", "not for strangers");
    QFile::link(Temp.File("secret.txt"), Root() + "Sea/Photo_2.bmp");
    PackDesignFolder(Root() + "Sea", Zip("out.zip"));
    PackDesignFolder(Root() + "Sea/", Zip("out.zip"));
    TZipReader reader(Zip("out.zip"));
    QStringList names;
    for (const auto &entry : reader.Entries())
        names << entry.Name;
    EXPECT_EQ(names, (QStringList{"!design.ini", "Photo_1.bmp"}));
    // The desktop tells a design archive from other ZIP files by these bytes.
    QFile raw(Zip("out.zip"));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray head = raw.read(41);
    EXPECT_EQ(head.left(4), QByteArray("PK\x03\x04"));
    EXPECT_EQ(head.mid(30), QByteArray("!design.ini"));

    QDir().mkpath(Root() + "Empty");
    EXPECT_THROW(PackDesignFolder(Root() + "Empty", Zip("out.zip")), std::exception);
    EXPECT_EQ(TZipReader(Zip("out.zip")).Entries().size(), 2u);
}

TEST_F(DesignArchiveTest, ExportStoresOrShortensWhatDeflateCannotShrinkAndItImportsBack)
{
    QByteArray noise(40000, '\0'), grain(40000, '\0');
    quint32 seed = 1;
    for (qsizetype i = 0; i < noise.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        noise[i] = char(seed >> 24);
        grain[i] = char(i / 3 % 200 + (seed >> 28));
    }
    Temp.Write("src/!design.ini", "Version=1");
    Temp.Write("src/Photo_1.bmp", noise);
    Temp.Write("src/Photo_2.bmp", grain);
    PackDesignFolder(Temp.File("src"), Zip("Reef.zip"));
    std::map<QString, std::pair<int, std::uint32_t>> packed;
    std::vector<ZipEntryInfo> entries;
    ListZipEntries(Zip("Reef.zip"), entries, {});
    for (const ZipEntryInfo &entry : entries)
        packed[entry.FileName] = {entry.CompressionMethod, entry.CompressedSize};
    EXPECT_EQ(packed["Photo_1.bmp"], std::make_pair(0, std::uint32_t(noise.size())));
    EXPECT_EQ(packed["Photo_2.bmp"].first, 8);
    EXPECT_LT(packed["Photo_2.bmp"].second, std::uint32_t(grain.size()));

    ASSERT_TRUE(Import(Zip("Reef.zip")));
    EXPECT_EQ(Temp.Read("design/Reef/Photo_1.bmp"), noise);
    EXPECT_EQ(Temp.Read("design/Reef/Photo_2.bmp"), grain);
}

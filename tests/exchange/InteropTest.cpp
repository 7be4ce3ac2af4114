#include "ZipBytes.h"

#include "design/PrepareDesignFolder.h"
#include "exchange/DesignArchive.h"
#include "lang/MessageLookup.h"
#include "support/TempDir.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

class TSilentPrompts : public TDesignPrompts
{
public:
    QStringList Messages;
    void Message(const QString &text) override { Messages << text; }
    TAnswer Question(const QString &) override { return TAnswer::Cancel; }
};

// Runs a tool in `dir`; its exit code, or -1 when it could not start.
int RunTool(const QString &dir, const QString &program, const QStringList &args, QByteArray *output = nullptr)
{
    QProcess process;
    process.setWorkingDirectory(dir);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForFinished(60000))
        return -1;
    if (output)
        *output = process.readAll();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool Have(const char *tool) { return !QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(); }

// A small design: settings, a compressible text, an incompressible photo
// and a grainy one (packed by each of the export's ways).
class InteropTest : public ::testing::Test
{
protected:
    InteropTest()
    {
        QByteArray photo(40000, '\0'), grainy(40000, '\0');
        for (qsizetype i = 0; i < photo.size(); ++i) {
            photo[i] = char(QRandomGenerator::global()->bounded(256));
            grainy[i] = char(i / 3 % 200 + QRandomGenerator::global()->bounded(16));
        }
        Files = {{"!design.ini", "Author=someone\r\nVersion=2\r\n"},
                 {"Photo_1.bmp", photo},
                 {"Photo_2.bmp", grainy},
                 {"Sound1.wav", QByteArray(30000, 'w')}};
        for (const auto &[name, bytes] : Files)
            Temp.Write("src/" + name, bytes);
        QDir().mkpath(Temp.File("design/Default"));
    }

    // Imports `archive` as design "Sea" and compares every file.
    void ExpectImported(const QString &archive)
    {
        const QString path = Temp.File("Sea.zip");
        QFile::remove(path);
        ASSERT_TRUE(QFile::copy(archive, path));
        QDir(Temp.File("design/Sea")).removeRecursively();
        const TMessageLookup messages = LanguageFileMessages(QString());
        TSilentPrompts prompts;
        ASSERT_TRUE(ImportDesignZip(path, messages, prompts, Temp.File("design/"))) << prompts.Messages.join("; ").toStdString();
        for (const auto &[name, bytes] : Files)
            EXPECT_EQ(Temp.Read("design/Sea/" + name), bytes) << archive.toStdString() << " " << name.toStdString();
    }

    QStringList Names() const
    {
        QStringList names;
        for (const auto &[name, bytes] : Files)
            names << name;
        return names;
    }

    TempDir Temp;
    std::map<QString, QByteArray> Files;
};

const char *kPythonCheck = R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
assert z.testzip() is None
for name in sys.argv[2:]:
    sys.stdout.buffer.write(name.encode() + b"=" + str(len(z.read(name))).encode() + b" " + str(hash(z.read(name)) == hash(open("src/" + name, "rb").read())).encode() + b"\n")
)";

const char *kPythonWrite = R"(
import sys, zipfile
method = zipfile.ZIP_STORED if sys.argv[2] == "stored" else zipfile.ZIP_DEFLATED
with zipfile.ZipFile(sys.argv[1], "w", method) as z:
    for name in sys.argv[3:]:
        z.write("src/" + name, name)
)";

} // namespace

TEST_F(InteropTest, ArchivesWeWriteAreReadByOtherTools)
{
    PackDesignFolder(Temp.File("src"), Temp.File("ours.zip"));
    if (Have("unzip"))
        EXPECT_EQ(RunTool(Temp.Path(), "unzip", {"-t", "ours.zip"}), 0);
    if (!Have("python3"))
        GTEST_SKIP() << "python3 missing";
    QByteArray out;
    ASSERT_EQ(RunTool(Temp.Path(), "python3", QStringList{"-c", kPythonCheck, "ours.zip"} + Names(), &out), 0) << out.constData();
    for (const auto &[name, bytes] : Files)
        EXPECT_TRUE(out.contains(name.toUtf8() + "=" + QByteArray::number(bytes.size()) + " True")) << out.constData();
}

TEST_F(InteropTest, ArchivesOfOtherToolsImport)
{
    const QString src = Temp.File("src");
    if (Have("zip")) {
        ASSERT_EQ(RunTool(src, "zip", QStringList{"-9", "-q", "../zip9.zip"} + Names()), 0);
        ExpectImported(Temp.File("zip9.zip"));
    }
    if (Have("python3")) {
        for (const QString method : {"stored", "deflated"}) {
            ASSERT_EQ(RunTool(Temp.Path(), "python3", QStringList{"-c", kPythonWrite, method + ".zip", method} + Names()), 0);
            ExpectImported(Temp.File(method + ".zip"));
        }
    }
    if (!Have("bsdtar"))
        GTEST_SKIP() << "bsdtar missing";
    ASSERT_EQ(RunTool(src, "bsdtar", QStringList{"--format", "zip", "-cf", "../bsd.zip"} + Names()), 0);
    ExpectImported(Temp.File("bsd.zip"));
}

#include "exchange/EmailDraft.h"
#include "exchange/MailError.h"
#include "exchange/MailLines.h"
#include "support/TempDir.h"

#include <QDir>
#include <QProcess>
#include <QSemaphore>
#include <QSignalSpy>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

namespace {

class FakeHost : public TEmailDraftHost
{
public:
    bool QuerySave() override
    {
        if (saveFails)
            throw std::runtime_error("disk full");
        return mayGoOn;
    }
    QString DesignDir() const override { return dir; }
    QString DesignName() const override { return name; }
    void OpenDraft(const QString &path) override { opened << path; }
    void ShowError(const QString &message) override { errors << message; }

    bool mayGoOn = true;
    bool saveFails = false;
    QString dir;
    QString name = QStringLiteral("Sea");
    QStringList opened;
    QStringList errors;
};

// Every file of the folder into a real archive.
void PackWithLibzip(const QString &designDir, const QString &archivePath)
{
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(archivePath).constData(), ZIP_CREATE | ZIP_EXCL, &error);
    ASSERT_NE(archive, nullptr);
    for (const QString &name : QDir(designDir).entryList(QDir::Files)) {
        zip_source_t *source = zip_source_file(archive, QFile::encodeName(designDir + name).constData(), 0, -1);
        ASSERT_GE(zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

class EmailDraftTest : public ::testing::Test
{
protected:
    EmailDraftTest()
    {
        host.dir = design.Path() + QLatin1Char('/');
        design.Write(QStringLiteral("!design.ini"), "Author=Me\r\n");
        design.Write(QStringLiteral("Photo_1.bmp"), QByteArray(5000, 'p'));
    }

    // Runs the command to its end; false when it did not start.
    bool RunToEnd(TEmailDraft &draft)
    {
        QSignalSpy done(&draft, &TEmailDraft::Done);
        if (!draft.Run())
            return false;
        EXPECT_TRUE(done.wait(10000));
        return true;
    }

    QString PrivateFolder() const { return temp.File(QStringLiteral("snapstorm-%1/").arg(::getuid())); }

    TempDir temp;
    TempDir design;
    FakeHost host;
    QByteArray archiveBytes = "archive one";
    TDesignPacker fixedPacker = [this](const QString &, const QString &path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(archiveBytes);
    };
};

} // namespace

TEST_F(EmailDraftTest, DraftForSeaHasThePresetLinesAndOneUnsentMarkAfterTwoUses)
{
    TEmailDraft draft(host, fixedPacker, nullptr, temp.Path(),
                      [](const QString &) { return QStringLiteral("application/zip"); });
    const QString draftPath = PrivateFolder() + QStringLiteral("TmpMail.eml");
    QStringList firstHeader;
    for (const QByteArray &bytes : {QByteArray("archive one"), QByteArray(57 * 2, 'z')}) {
        archiveBytes = bytes;
        ASSERT_TRUE(RunToEnd(draft));
        QFile file(draftPath);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QStringList lines = MailLines(file.readAll());
        const QStringList expected = {
            QStringLiteral("From:     Snapstorm <snapstorm@example.org>"),
            QStringLiteral("To:       Snapstorm <snapstorm@example.org>"),
            QStringLiteral("X-Unsent: 1"),
            QStringLiteral("Subject: Design"),
            QStringLiteral("Mime-Version: 1.0"),
            QStringLiteral("Content-Type: application/zip; name=\"Sea.zip\""),
            QStringLiteral("Content-Transfer-Encoding: Base64"),
            QStringLiteral("Content-Disposition: attachment; filename=\"Sea.zip\""),
            QString(),
        };
        EXPECT_EQ(lines.mid(0, 9), expected);
        EXPECT_EQ(DecodeBase64Lines(lines.mid(9)), bytes);
        EXPECT_EQ(lines.last().isEmpty(), bytes.size() % 57 == 0);
        EXPECT_EQ(draft.Message().Attachments().Count(), 1);
    }
    EXPECT_EQ(host.opened, QStringList({draftPath, draftPath}));
    EXPECT_TRUE(host.errors.isEmpty()) << host.errors.join(QLatin1Char('\n')).toStdString();
    QFile archive(PrivateFolder() + QStringLiteral("Sea.zip"));
    ASSERT_TRUE(archive.open(QIODevice::ReadOnly));
    EXPECT_EQ(archive.readAll(), archiveBytes);
}

TEST_F(EmailDraftTest, CommandDoesNotStartAgainWhileWritingNorWhenSaveIsCancelled)
{
    QSemaphore packing;
    QSemaphore release;
    TEmailDraft draft(host, [&](const QString &dir, const QString &path) {
        packing.release();
        release.acquire();
        fixedPacker(dir, path);
    }, nullptr, temp.Path());
    QSignalSpy done(&draft, &TEmailDraft::Done);
    ASSERT_TRUE(draft.Run());
    packing.acquire();
    EXPECT_TRUE(draft.Busy());
    EXPECT_FALSE(draft.Run());
    release.release();
    ASSERT_TRUE(done.wait(10000));
    EXPECT_FALSE(draft.Busy());
    EXPECT_EQ(host.opened.size(), 1);

    host.mayGoOn = false;
    EXPECT_FALSE(draft.Run());
    EXPECT_FALSE(draft.Busy());
    EXPECT_EQ(host.opened.size(), 1);

    // A save that fails in the question leaves the command free to run again.
    host.saveFails = true;
    EXPECT_THROW(draft.Run(), std::runtime_error);
    EXPECT_FALSE(draft.Busy());
    host.saveFails = false;
    host.mayGoOn = true;
    release.release();
    EXPECT_TRUE(RunToEnd(draft));
    EXPECT_EQ(host.opened.size(), 2);
}

TEST_F(EmailDraftTest, APackThatFailsOrWritesNothingShowsAnErrorAndWritesNoDraft)
{
    const std::vector<TDesignPacker> packers = {
        [](const QString &, const QString &) { throw EMailError(QStringLiteral("zip library missing")); },
        [](const QString &, const QString &) {},
    };
    for (const TDesignPacker &packer : packers) {
        TEmailDraft draft(host, packer, nullptr, temp.Path());
        ASSERT_TRUE(RunToEnd(draft));
    }
    ASSERT_EQ(host.errors.size(), 2);
    EXPECT_TRUE(host.errors.at(0).contains(QStringLiteral("zip library missing")));
    EXPECT_TRUE(host.opened.isEmpty());
    EXPECT_EQ(QDir(PrivateFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList());
}

TEST_F(EmailDraftTest, LinksPlantedForTheDraftAreNeverWrittenThrough)
{
    TempDir victim;
    const QString victimFile = victim.Write(QStringLiteral("precious"), "keep me");
    const QString privateFolder = PrivateFolder();
    TEmailDraft draft(host, fixedPacker, nullptr, temp.Path());

    // A link standing for the whole folder: refused.
    ASSERT_TRUE(QFile::link(victim.Path(), privateFolder.chopped(1)));
    ASSERT_TRUE(RunToEnd(draft));
    EXPECT_EQ(host.errors.size(), 1);
    EXPECT_EQ(QDir(victim.Path()).entryList(QDir::Files), QStringList({QStringLiteral("precious")}));

    // The player's own folder, left open to others, with links at both
    // file names: they are replaced and the folder closed again.
    ASSERT_TRUE(QFile::remove(privateFolder.chopped(1)));
    ASSERT_TRUE(QDir().mkdir(privateFolder));
    ::chmod(QFile::encodeName(privateFolder).constData(), 0777);
    for (const char *name : {"TmpMail.eml", "Sea.zip"})
        ASSERT_TRUE(QFile::link(victimFile, privateFolder + QLatin1String(name)));
    ASSERT_TRUE(RunToEnd(draft));
    EXPECT_EQ(host.opened.size(), 1);
    EXPECT_EQ(victim.Read(QStringLiteral("precious")), QByteArray("keep me"));
    EXPECT_FALSE(QFileInfo(privateFolder + QStringLiteral("TmpMail.eml")).isSymLink());
    struct stat info {};
    ::stat(QFile::encodeName(privateFolder).constData(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    // A folder of that name that belongs to someone else: refused.
    if (::getuid() != 0)
        return;
    QDir(privateFolder).removeRecursively();
    ASSERT_TRUE(QDir().mkdir(privateFolder));
    ASSERT_TRUE(QFile::link(victimFile, privateFolder + QStringLiteral("TmpMail.eml")));
    ASSERT_EQ(::chown(QFile::encodeName(privateFolder).constData(), 65534, 65534), 0);
    ASSERT_TRUE(RunToEnd(draft));
    EXPECT_EQ(host.errors.size(), 2);
    EXPECT_EQ(victim.Read(QStringLiteral("precious")), QByteArray("keep me"));
}

TEST_F(EmailDraftTest, PythonMailReaderFindsTheArchiveWholeInEveryDraft)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    const char *script =
        "import sys, email, email.policy\n"
        "m = email.message_from_binary_file(open(sys.argv[1], 'rb'), policy=email.policy.default)\n"
        "parts = [p for p in m.walk() if not p.is_multipart()]\n"
        "defects = [d for p in m.walk() for d in p.defects]\n"
        "if defects or len(parts) != 1: sys.exit('defects %r, %d parts' % (defects, len(parts)))\n"
        "if (parts[0].get_filename() or '') != sys.argv[2]: sys.exit('name %r' % parts[0].get_filename())\n"
        "if m['X-Unsent'] != '1' or m['Subject'] != 'Design': sys.exit('headers')\n"
        "sys.stdout.buffer.write(parts[0].get_payload(decode=True))\n";
    design.Write(QStringLiteral("Image1.gif"), QByteArray(20000, 'g'));

    for (const QString &name : {QStringLiteral("Sea"), QStringLiteral("_alt")}) {
        host.name = name;
        TEmailDraft draft(host, PackWithLibzip, nullptr, temp.Path());
        ASSERT_TRUE(RunToEnd(draft));
        ASSERT_EQ(host.errors, QStringList());
        QProcess reader;
        const QString fileName = name == QLatin1String("Sea") ? QStringLiteral("Sea.zip") : QString();
        reader.start(python, {QStringLiteral("-c"), QString::fromLatin1(script), host.opened.last(), fileName});
        ASSERT_TRUE(reader.waitForFinished(30000));
        EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
        const QString archive = PrivateFolder() + name + QStringLiteral(".zip");
        QFile packed(archive);
        ASSERT_TRUE(packed.open(QIODevice::ReadOnly));
        const QByteArray decoded = reader.readAllStandardOutput();
        EXPECT_EQ(decoded, packed.readAll()) << name.toStdString();
        if (unzip.isEmpty())
            continue;
        const QString copy = temp.Write(QStringLiteral("decoded.zip"), decoded);
        EXPECT_EQ(QProcess::execute(unzip, {QStringLiteral("-tqq"), copy}), 0);
    }
}

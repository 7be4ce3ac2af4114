// The design archive import, as a drop on the window runs it, into a
// scratch design root that already holds a design "Sea". After every
// input: nothing outside the root changed, no hidden folder is left in it,
// only design files were written, and an import that was refused left Sea
// byte for byte as it was.
//
// Input: the bytes of the archive, imported as "Sea.zip".
#include "FuzzSupport.h"

#include "design/DesignFolder.h"
#include "design/PrepareDesignFolder.h"
#include "exchange/DesignArchive.h"
#include "lang/MessageLookup.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

using TTree = std::map<QString, QByteArray>;

QString RootDir()
{
    return FuzzScratchDir() + QStringLiteral("designs/");
}

QString SeaDir()
{
    return RootDir() + QStringLiteral("Sea/");
}

// Every entry under `dir` with its bytes; folders and links by name only.
TTree Tree(const QString &dir, const QString &skip = QString())
{
    TTree tree;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!skip.isEmpty() && path.startsWith(skip))
            continue;
        const QFileInfo info(path);
        QFile file(path);
        tree[path] = info.isFile() && !info.isSymLink() && file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                                        : QByteArray("-");
    }
    return tree;
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

void ResetRoot()
{
    QDir(RootDir()).removeRecursively();
    QDir().mkpath(SeaDir() + QStringLiteral("notes"));
    WriteFile(SeaDir() + QLatin1String(DesignIniName), "Author=Sea\r\n");
    WriteFile(SeaDir() + QStringLiteral("Sound1.wav"), "the old sound");
    WriteFile(SeaDir() + QStringLiteral("notes/keep.txt"), "a folder of the player's own");
}

// Says Yes to replacing Sea; messages are dropped.
class TYesPrompts : public TDesignPrompts
{
public:
    void Message(const QString &) override {}
    TAnswer Question(const QString &) override { return TAnswer::Yes; }
};

[[noreturn]] void Fault(const char *what)
{
    std::fprintf(stderr, "fuzz_import: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzInitQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const TMessageLookup messages = LanguageFileMessages(QString());
    ResetRoot();
    const QString archive = FuzzWriteFile(QStringLiteral("Sea.zip"), FuzzBytes(data, size));
    const TTree outside = Tree(FuzzScratchDir(), RootDir());
    const TTree seaBefore = Tree(SeaDir());

    TYesPrompts prompts;
    const bool imported = ImportDesignZip(archive, messages, prompts, RootDir());

    if (Tree(FuzzScratchDir(), RootDir()) != outside)
        Fault("the import changed something outside the design root");
    if (QDir(RootDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot) != QStringList{"Sea"})
        Fault("the import left something beside the design");
    if (!imported && Tree(SeaDir()) != seaBefore)
        Fault("a refused import changed the existing design");
    if (imported) {
        for (const QString &name : QDir(SeaDir()).entryList(QDir::Files | QDir::Hidden)) {
            if (!IsDesignFileName(name))
                Fault("the import wrote a file no design uses");
        }
        if (!QFileInfo(SeaDir() + QStringLiteral("notes/keep.txt")).isFile())
            Fault("the import lost the design's own sub-folder");
    }
    return 0;
}

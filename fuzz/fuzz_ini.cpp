// Settings file, design key list and ini file readers on the same bytes:
// text decoding, line splitting, key look-up, high-score lines, sections.
// A key list written back must read back with the same lines.
#include "FuzzSupport.h"

#include "base/FileWriter.h"
#include "base/IniFile.h"
#include "base/KeyValueList.h"
#include "base/TextFile.h"
#include "play/HighScoreTable.h"

#include <cstdio>
#include <cstdlib>

namespace {

void ReadAsKeyList(const QString &path)
{
    TKeyValueList list;
    list.LoadFromFile(path);
    for (const QString &line : list.Lines()) {
        const QString key = TKeyValueList::KeyOf(line);
        if (!key.isEmpty())
            (void)list.Value(key);
    }
    THighScoreTable scores;
    scores.Load(list);
    (void)scores.TitleFor(1000);
    scores.WriteTo(list);

    const QString copyPath = FuzzScratchDir() + QStringLiteral("copy.ini");
    try {
        list.SaveToFile(copyPath, TKeyValueList::LineEnd::CrLf);
    } catch (const EWriteError &) {
        return;
    }
    TKeyValueList back;
    back.LoadFromFile(copyPath);
    // Text that is not valid Unicode (a lone surrogate from a UTF-16 file)
    // is written as its UTF-8 replacement: compare with that.
    QStringList expected;
    for (const QString &line : list.Lines())
        expected.append(QString::fromUtf8(line.toUtf8()));
    if (back.Lines() != expected) {
        std::fprintf(stderr, "key list changed on its way through the file\n");
        std::abort();
    }
}

// Every section header of the text, the way a reader of the file sees them.
QStringList SectionNames(const QString &path)
{
    QStringList names;
    for (const QString &raw : SplitLines(ReadTextFile(path))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('[')) && names.size() < 8)
            names.append(line.mid(1, line.indexOf(QLatin1Char(']')) - 1).trimmed());
    }
    return names;
}

void ReadAsIni(const QString &path)
{
    const TIniFile ini(path);
    for (const QString &section : SectionNames(path)) {
        if (!ini.SectionExists(section))
            continue;
        for (const QString &key : ini.ReadSectionKeys(section)) {
            (void)ini.ReadString(section, key);
            (void)ini.ReadInteger(section, key, -1);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzInitQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzWriteFile(QStringLiteral("fuzz.ini"), FuzzBytes(data, size));
    ReadAsKeyList(path);
    ReadAsIni(path);
    return 0;
}

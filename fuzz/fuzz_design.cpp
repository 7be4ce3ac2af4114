// A whole design load as the main window applies one: the key list, the
// thirteen pictures (with the Default design behind them), the layout, the
// background colour, a photo for every ship and the design's own sounds.
//
// Input format (a container of files for one design folder):
//   <bytes of !design.ini>
//   then any number of sections, each
//   "\n#!file:" <file name> "\n" <bytes of that file>
// The file name must be one a design folder holds (Image0.gif..Image12.gif,
// Image0.bmp..Image12.bmp, Photo_1.bmp..Photo_9.bmp, Sound1.wav..Sound7.wav,
// any letter case); sections with other names, and all after the sixth,
// are dropped.
#include "FuzzSupport.h"

#include "base/Random.h"
#include "design/DesignFolder.h"
#include "design/GamePar.h"
#include "sound/WaveFile.h"
#include "sprites/PictureReader.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#ifndef SNAPSTORM_FUZZ_DEFAULT_DESIGN
#error "the build names the Default design to load behind the fuzzed one"
#endif

namespace {

constexpr int kMaxFiles = 6;
const QByteArray kMarker = QByteArrayLiteral("\n#!file:");

QString RootDir()
{
    return FuzzScratchDir() + QStringLiteral("designs/");
}

QString FuzzDir()
{
    return RootDir() + QStringLiteral("Fuzz/");
}

void CopyDefaultDesign()
{
    QByteArray source = qgetenv("SNAPSTORM_FUZZ_DEFAULT_DESIGN");
    if (source.isEmpty())
        source = SNAPSTORM_FUZZ_DEFAULT_DESIGN;
    const QDir from(QString::fromLocal8Bit(source));
    const QString to = RootDir() + QStringLiteral("Default/");
    QDir().mkpath(to);
    const QStringList files = from.entryList(QDir::Files);
    for (const QString &name : files)
        QFile::copy(from.filePath(name), to + name);
    if (!files.contains(QLatin1String(DesignIniName), Qt::CaseInsensitive)
        && !files.contains(QStringLiteral("Image6.gif"), Qt::CaseInsensitive)
        && !files.contains(QStringLiteral("Image6.bmp"), Qt::CaseInsensitive)) {
        std::fprintf(stderr, "no Default design in %s\n", source.constData());
        std::abort();
    }
}

bool IsDesignFileName(const QString &name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(Image([0-9]|1[0-2])\\.(gif|bmp)|Photo_[1-9]\\.bmp|Sound[1-7]\\.wav)$"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(name).hasMatch();
}

// Writes the design folder the input describes.
void WriteDesign(const QByteArray &input)
{
    QDir(FuzzDir()).removeRecursively();
    QDir().mkpath(FuzzDir());
    qsizetype at = input.indexOf(kMarker);
    FuzzWriteFile(QStringLiteral("designs/Fuzz/") + QLatin1String(DesignIniName),
                  input.left(at < 0 ? input.size() : at));
    for (int written = 0; at >= 0 && written < kMaxFiles;) {
        const qsizetype nameStart = at + kMarker.size();
        const qsizetype nameEnd = input.indexOf('\n', nameStart);
        if (nameEnd < 0)
            break;
        const qsizetype next = input.indexOf(kMarker, nameEnd + 1);
        const QString name = QString::fromLatin1(input.mid(nameStart, nameEnd - nameStart));
        const QByteArray body = input.mid(nameEnd + 1, next < 0 ? -1 : next - nameEnd - 1);
        if (IsDesignFileName(name) && !QFile::exists(FuzzDir() + name)) {
            FuzzWriteFile(QStringLiteral("designs/Fuzz/") + name, body);
            ++written;
        }
        at = next;
    }
}

TPcmFormat GameOutput()
{
    TPcmFormat f;
    f.Channels = 2;
    f.SamplesPerSec = 44100;
    f.BitsPerSample = 16;
    f.BlockAlign = 4;
    f.AvgBytesPerSec = 44100 * 4;
    return f;
}

// What the game round does with the design once it has loaded.
void Apply(TGamePar &design)
{
    design.ComputeLayout();
    (void)design.BackgroundColor();
    std::vector<std::unique_ptr<TSprite>> ships;
    const int shipCount = design.ShipColumns() * design.ShipRows();
    for (int i = 0; i < shipCount && i < 64; ++i) {
        ships.push_back(std::make_unique<TSprite>());
        design.AssignImage(*ships.back(), -1);
    }
    for (int n = 1; n <= TGamePar::SoundCount; ++n) {
        if (!ExistingFileNoCase(design.DesignDir(), SoundName(n)).isEmpty())
            LoadWaveFile(design.SoundFile(n), GameOutput());
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzInitQt(argc, argv);
    CopyDefaultDesign();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    WriteDesign(FuzzBytes(data, size));
    Random::Seed(1);
    TGamePar design(RootDir());
    try {
        design.Load(QStringLiteral("Fuzz"));
        Apply(design);
    } catch (const std::runtime_error &) {
        // Every refusal (picture, design, sound) is a runtime_error with a
        // message; anything else escaping is a finding.
    }
    return 0;
}

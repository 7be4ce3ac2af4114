#include "sound/WaveFile.h"

#include "sound/MixerError.h"
#include "sound/WaveConvert.h"

#include <QFile>

#include <cstring>
#include <new>
#include <string>

namespace {

uint16_t Le16(const uint8_t *p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

uint32_t Le32(const uint8_t *p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16)
           | (uint32_t(p[3]) << 24);
}

struct TChunk
{
    qint64 DataOffset = 0; // first byte after the 8-byte header
    qint64 Size = 0;       // as the header says
    qint64 NextOffset() const { return DataOffset + Size + (Size & 1); }
};

// Walks chunk headers from `offset` to the end of the file looking for `id`.
bool FindChunk(QFile &file, qint64 offset, const char *id, TChunk &found)
{
    const qint64 fileSize = file.size();
    while (offset + 8 <= fileSize) {
        uint8_t header[8];
        if (!file.seek(offset) || file.read(reinterpret_cast<char *>(header), 8) != 8)
            return false;
        const TChunk chunk{offset + 8, qint64(Le32(header + 4))};
        if (std::memcmp(header, id, 4) == 0) {
            found = chunk;
            return true;
        }
        offset = chunk.NextOffset();
    }
    return false;
}

TPcmFormat ReadFormat(QFile &file, const TChunk &chunk)
{
    uint8_t raw[16];
    if (chunk.Size < 16 || !file.seek(chunk.DataOffset)
        || file.read(reinterpret_cast<char *>(raw), 16) != 16)
        throw EMixerError(MixMessage::FormatReadFailed);
    TPcmFormat format;
    format.FormatTag = Le16(raw);
    format.Channels = Le16(raw + 2);
    format.SamplesPerSec = Le32(raw + 4);
    format.AvgBytesPerSec = Le32(raw + 8);
    format.BlockAlign = Le16(raw + 12);
    format.BitsPerSample = Le16(raw + 14);
    if (format.FormatTag != 1)
        throw EMixerError(MixMessage::NotPcm);
    return format;
}

TSampleBuffer ReadData(QFile &file, const TChunk &chunk)
{
    TSampleBuffer buffer;
    buffer.Data = WaveConvert::Allocate(chunk.Size);
    buffer.Length = int32_t(chunk.Size);
    if (!file.seek(chunk.DataOffset)
        || file.read(reinterpret_cast<char *>(buffer.Data.get()), chunk.Size) != chunk.Size)
        throw EMixerError(MixMessage::DataReadFailed);
    return buffer;
}

// The format and where the samples are, found from the headers alone.
struct TWaveFileHeader
{
    TPcmFormat Format;
    TChunk Data;
};

TWaveFileHeader ReadHeader(QFile &file, const QString &path)
{
    if (!file.open(QIODevice::ReadOnly))
        throw EMixerError(MixMessage::OpenWaveFailed + path.toStdString());
    uint8_t riff[12];
    if (file.read(reinterpret_cast<char *>(riff), 12) != 12 || std::memcmp(riff, "RIFF", 4) != 0
        || std::memcmp(riff + 8, "WAVE", 4) != 0)
        throw EMixerError(MixMessage::NotWave);
    TChunk format;
    if (!FindChunk(file, 12, "fmt ", format))
        throw EMixerError(MixMessage::Corrupted);
    TWaveFileHeader header;
    header.Format = ReadFormat(file, format);
    if (!FindChunk(file, format.NextOffset(), "data", header.Data))
        throw EMixerError(MixMessage::NoDataChunk);
    if (header.Data.Size == 0)
        throw EMixerError(MixMessage::EmptyData);
    // A header may claim far more than the file holds; never allocate for it.
    if (header.Data.Size > file.size() - header.Data.DataOffset)
        throw EMixerError(MixMessage::DataReadFailed);
    return header;
}

// Refuses what would take absurd memory once converted, before any sample is read.
int64_t CheckedLength(const TWaveFileHeader &header, const TPcmFormat &output, const QString &path)
{
    const int64_t length = WaveConvert::ConvertedLength(header.Data.Size, header.Format, output);
    const std::string name = "The wave file " + path.toStdString();
    if (header.Format.SamplesPerSec < WaveConvert::MinSourceRate)
        throw EMixerError(name + " declares a sample rate of "
                          + std::to_string(header.Format.SamplesPerSec)
                          + " Hz; a sound needs at least "
                          + std::to_string(WaveConvert::MinSourceRate) + " Hz");
    if (length > WaveConvert::MaxConvertedLength) {
        constexpr int64_t mb = 1024 * 1024;
        throw EMixerError(name + " is too long: ready to play it would take "
                          + std::to_string((length + mb - 1) / mb) + " MB, more than the "
                          + std::to_string(WaveConvert::MaxConvertedLength / mb)
                          + " MB one sound may take");
    }
    return length;
}

} // namespace

int64_t ConvertedWaveLength(const QString &path, const TPcmFormat &output)
{
    QFile file(path);
    const TWaveFileHeader header = ReadHeader(file, path);
    return CheckedLength(header, output, path);
}

TPcmFormat ReadWaveFormat(const QString &path)
{
    QFile file(path);
    return ReadHeader(file, path).Format;
}

std::unique_ptr<TLoadedWave> LoadWaveFile(const QString &path, const TPcmFormat &output)
{
    std::unique_ptr<TLoadedWave> wave;
    try {
        wave = std::make_unique<TLoadedWave>();
    } catch (const std::bad_alloc &) {
        throw EMixerError(MixMessage::Memory);
    }
    QFile file(path);
    const TWaveFileHeader header = ReadHeader(file, path);
    wave->Format = header.Format;
    CheckedLength(header, output, path);
    TSampleBuffer samples = ReadData(file, header.Data);
    file.close();

    WaveConvert::ToOutputFormat(samples, wave->Format, output);
    // A wave too short to survive conversion would only ever play nothing.
    if (samples.Length <= 0)
        throw EMixerError(MixMessage::EmptyData);
    wave->Data = std::move(samples.Data);
    wave->Length = samples.Length;
    return wave;
}

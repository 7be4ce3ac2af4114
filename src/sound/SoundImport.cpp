#include "sound/SoundImport.h"

#include "sound/MixerError.h"
#include "sound/WaveFile.h"

#include <QFile>
#include <QFileInfo>

#include <sndfile.h>
#include <soxr.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

ESoundRefused::ESoundRefused(TSoundRefusal reason, const QString &path, const QString &detail)
    : std::runtime_error(QStringLiteral("The sound \"%1\" cannot be used: %2").arg(path, detail).toStdString()),
      mReason(reason), mPath(path)
{
}

ESoundRefused::ESoundRefused(const QString &path, double seconds, double limit, bool shared)
    : ESoundRefused(TSoundRefusal::TooLong, path,
                    QStringLiteral("it lasts %1, and %2 are left for it")
                        .arg(SoundImport::LengthText(seconds), SoundImport::LengthText(limit)))
{
    mSeconds = seconds;
    mLimit = limit;
    mShared = shared;
}

namespace {

constexpr std::array<int32_t, 3> MixerRates = {11025, 22050, 44100};
// Frames read and resampled at a time: the whole file is never in memory.
constexpr int ChunkFrames = 8192;

struct TSndFileCloser
{
    void operator()(SNDFILE *file) const { sf_close(file); }
};
using TSndFile = std::unique_ptr<SNDFILE, TSndFileCloser>;

struct TSoxrDeleter
{
    void operator()(soxr *resampler) const { soxr_delete(resampler); }
};

TSndFile Open(const QString &path, SF_INFO &info)
{
    // A FIFO or device would block or never end.
    if (!QFileInfo(path).isFile())
        throw ESoundRefused(TSoundRefusal::CannotOpen, path, QStringLiteral("there is no such file"));
    info = SF_INFO{};
    TSndFile file(sf_open(QFile::encodeName(path).constData(), SFM_READ, &info));
    if (!file) {
        const int error = sf_error(nullptr);
        const QString detail = QString::fromUtf8(sf_error_number(error));
        if (error == SF_ERR_SYSTEM)
            throw ESoundRefused(TSoundRefusal::CannotOpen, path, detail);
        if (error == SF_ERR_MALFORMED_FILE)
            throw ESoundRefused(TSoundRefusal::Damaged, path, detail);
        throw ESoundRefused(TSoundRefusal::UnknownFormat, path, detail);
    }
    if (info.channels < 1 || info.samplerate < 1)
        throw ESoundRefused(TSoundRefusal::Damaged, path, QStringLiteral("no channels or no rate"));
    if (info.frames <= 0)
        throw ESoundRefused(TSoundRefusal::Empty, path, QStringLiteral("it holds no sound"));
    return file;
}

void Put16(QByteArray &out, uint32_t v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void Put32(QByteArray &out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// A canonical 44-byte header for 16-bit mono PCM.
QByteArray WaveHeader(int32_t rate, uint32_t dataBytes)
{
    QByteArray header("RIFF");
    Put32(header, 36 + dataBytes);
    header.append("WAVEfmt ");
    Put32(header, 16);
    Put16(header, 1);
    Put16(header, 1);
    Put32(header, uint32_t(rate));
    Put32(header, uint32_t(rate) * 2);
    Put16(header, 2);
    Put16(header, 16);
    header.append("data");
    Put32(header, dataBytes);
    return header;
}

// Streams the file through a mono mix-down and the resampler into 16-bit
// samples appended to `out`.
class TConverter
{
public:
    TConverter(const QString &path, int32_t rate, int64_t maxFrames)
        : mPath(path), mRate(rate), mMaxFrames(maxFrames)
    {
        mFile = Open(path, mInfo);
        soxr_error_t error = nullptr;
        const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_INT16_I);
        const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        mResampler.reset(soxr_create(mInfo.samplerate, rate, 1, &error, &io, &quality, nullptr));
        if (error || !mResampler)
            throw ESoundRefused(TSoundRefusal::UnknownFormat, path, QString::fromUtf8(error ? error : "resampler"));
        mOutput.resize(std::size_t(double(ChunkFrames) * rate / mInfo.samplerate) + 64);
    }

    void Run(QByteArray &out)
    {
        std::vector<float> frames(std::size_t(ChunkFrames) * std::size_t(mInfo.channels));
        std::vector<float> mono(ChunkFrames);
        for (;;) {
            const sf_count_t read = sf_readf_float(mFile.get(), frames.data(), ChunkFrames);
            if (read <= 0)
                break;
            MixDown(frames, mono, read);
            Feed(mono.data(), std::size_t(read), out);
        }
        if (sf_error(mFile.get()) != SF_ERR_NO_ERROR && out.isEmpty())
            throw ESoundRefused(TSoundRefusal::Damaged, mPath, QString::fromUtf8(sf_strerror(mFile.get())));
        Feed(nullptr, 0, out); // drains what the filter still holds
        if (out.isEmpty())
            throw ESoundRefused(TSoundRefusal::Empty, mPath, QStringLiteral("it holds no sound"));
    }

private:
    void MixDown(const std::vector<float> &frames, std::vector<float> &mono, sf_count_t count) const
    {
        const int channels = mInfo.channels;
        for (sf_count_t f = 0; f < count; ++f) {
            float sum = 0;
            for (int c = 0; c < channels; ++c)
                sum += frames[std::size_t(f * channels + c)];
            mono[std::size_t(f)] = sum / float(channels);
        }
    }

    // `input` null: the end of the stream, flushed until nothing comes.
    void Feed(const float *input, std::size_t count, QByteArray &out)
    {
        std::size_t used = 0;
        do {
            std::size_t consumed = 0, made = 0;
            const soxr_error_t error = soxr_process(mResampler.get(), input ? input + used : nullptr,
                                                    input ? count - used : 0, &consumed, mOutput.data(),
                                                    mOutput.size(), &made);
            if (error)
                throw ESoundRefused(TSoundRefusal::Damaged, mPath, QString::fromUtf8(error));
            used += consumed;
            mWritten += int64_t(made);
            if (mWritten > mMaxFrames)
                throw ESoundRefused(mPath, LongerThan(), double(mMaxFrames) / mRate, false);
            out.append(reinterpret_cast<const char *>(mOutput.data()), qsizetype(made * 2));
            if (!input && made == 0)
                return;
        } while (!input || used < count);
    }

    // What the file lasts at least, found while reading it.
    double LongerThan() const { return double(mWritten) / mRate; }

    QString mPath;
    int32_t mRate;
    int64_t mMaxFrames;
    SF_INFO mInfo{};
    TSndFile mFile;
    std::unique_ptr<soxr, TSoxrDeleter> mResampler;
    std::vector<int16_t> mOutput;
    int64_t mWritten = 0;
};

} // namespace

namespace SoundImport {

QStringList Patterns()
{
    return {QStringLiteral("wav"), QStringLiteral("flac"), QStringLiteral("ogg"), QStringLiteral("oga"),
            QStringLiteral("mp3")};
}

TSoundFacts Probe(const QString &path)
{
    SF_INFO info;
    const TSndFile file = Open(path, info);
    return {info.frames, info.samplerate, info.channels};
}

int32_t TargetRate(int32_t sourceRate, int32_t mixerRate)
{
    int32_t target = MixerRates.back();
    for (const int32_t rate : MixerRates) {
        if (rate >= sourceRate) {
            target = rate;
            break;
        }
    }
    return std::min(target, mixerRate);
}

QByteArray ToWave(const QString &path, int32_t rate, int64_t maxFrames)
{
    QByteArray samples;
    TConverter(path, rate, maxFrames).Run(samples);
    QByteArray wave = WaveHeader(rate, uint32_t(samples.size()));
    wave.append(samples);
    return wave;
}

bool PlayableAsIs(const QString &path, int32_t rate)
{
    try {
        const TPcmFormat format = ReadWaveFormat(path);
        const bool mixerRate = std::find(MixerRates.begin(), MixerRates.end(), int32_t(format.SamplesPerSec))
                               != MixerRates.end();
        return format.Channels == 1 && (format.BitsPerSample == 8 || format.BitsPerSample == 16) && mixerRate
               && int32_t(format.SamplesPerSec) <= rate;
    } catch (const EMixerError &) {
        return false;
    }
}

QString LengthText(double seconds)
{
    const int64_t whole = int64_t(std::ceil(seconds));
    const int64_t h = whole / 3600, m = whole / 60 % 60, s = whole % 60;
    if (h > 0)
        return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(m).arg(s, 2, 10, QLatin1Char('0'));
}

void CheckWave(const QString &path, const TPcmFormat &output)
{
    try {
        ConvertedWaveLength(path, output);
    } catch (const EMixerError &e) {
        throw RefusalOf(e, path);
    }
}

ESoundRefused RefusalOf(const EMixerError &error, const QString &path)
{
    const QString text = QString::fromUtf8(error.what());
    const auto is = [&](const char *message) { return text == QString::fromUtf8(message); };
    TSoundRefusal reason = TSoundRefusal::Unplayable;
    if (text.startsWith(QString::fromUtf8(MixMessage::OpenWaveFailed)))
        reason = TSoundRefusal::CannotOpen;
    else if (is(MixMessage::Corrupted) || is(MixMessage::FormatReadFailed) || is(MixMessage::NoDataChunk)
             || is(MixMessage::DataReadFailed))
        reason = TSoundRefusal::Damaged;
    else if (is(MixMessage::EmptyData))
        reason = TSoundRefusal::Empty;
    return ESoundRefused(reason, path, text);
}

} // namespace SoundImport

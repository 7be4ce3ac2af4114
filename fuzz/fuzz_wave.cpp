// Wave loading and the one-time conversion, into the output formats the
// mixer settings allow (the slowest and the richest).
#include "FuzzSupport.h"

#include "sound/MixerError.h"
#include "sound/WaveFile.h"

namespace {

TPcmFormat Output(uint16_t channels, uint32_t rate, uint16_t bits)
{
    TPcmFormat f;
    f.Channels = channels;
    f.SamplesPerSec = rate;
    f.BitsPerSample = bits;
    f.BlockAlign = uint16_t(channels * bits / 8);
    f.AvgBytesPerSec = rate * f.BlockAlign;
    return f;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzInitQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzWriteFile(QStringLiteral("Sound1.wav"), FuzzBytes(data, size));
    for (const TPcmFormat &output : {Output(1, 11025, 8), Output(2, 44100, 16)}) {
        try {
            LoadWaveFile(path, output);
        } catch (const EMixerError &) {
        }
    }
    return 0;
}

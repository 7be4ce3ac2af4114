// Mixing eight sources into one output block, against copying the output
// block's bytes and against SDL's own mixer summing the same sources.
// Ratios use CPU time, which other processes on the machine disturb least.
#include "sound/BlockMixer.h"
#include "sound/MixerTypes.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int32_t BlockLength = 4096;
constexpr int Sources = 8;
constexpr int32_t WaveLength = 20000;

std::vector<std::vector<uint8_t>> MakeWaves()
{
    std::vector<std::vector<uint8_t>> waves(Sources, std::vector<uint8_t>(WaveLength));
    for (int s = 0; s < Sources; ++s)
        for (int32_t i = 0; i < WaveLength; ++i)
            waves[size_t(s)][size_t(i)] = uint8_t((i * (s + 3) + s * 31) % 256);
    return waves;
}

void BM_MixEightSources(benchmark::State &state)
{
    const auto waves = MakeWaves();
    TQueuedPlay plays[Sources];
    TChannelTable channels;
    for (int s = 0; s < Sources; ++s) {
        TQueuedPlay &play = plays[s];
        play.Data = waves[size_t(s)].data();
        play.Length = WaveLength;
        play.Start = s * 7; // staggered, so segments break up as in a game
        play.Params.Loops = LoopForever;
        play.End = EndOfTime;
        channels[size_t(s)].Open = true;
        channels[size_t(s)].Head = &play;
    }
    std::vector<uint8_t> out(BlockLength);
    int32_t position = 0;
    for (auto _ : state) {
        BlockMixer::MixBlock(channels, position, out.data(), BlockLength);
        benchmark::DoNotOptimize(out.data());
        position = (position + BlockLength) % (1 << 24);
    }
    state.SetBytesProcessed(state.iterations() * BlockLength * Sources);
}

// The floor: copying one output block's bytes, what a single source costs.
void BM_CopyOutputBytes(benchmark::State &state)
{
    const auto waves = MakeWaves();
    std::vector<uint8_t> out(BlockLength);
    int32_t offset = 0;
    for (auto _ : state) {
        std::memcpy(out.data(), waves[0].data() + offset, BlockLength);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
        offset = (offset + BlockLength) % (WaveLength - BlockLength);
    }
    state.SetBytesProcessed(state.iterations() * BlockLength);
}

void BM_SdlMixSameSources(benchmark::State &state)
{
    const auto waves = MakeWaves();
    std::vector<uint8_t> out(BlockLength);
    int32_t offset = 0;
    for (auto _ : state) {
        std::memset(out.data(), 128, BlockLength);
        for (int s = 0; s < Sources; ++s)
            SDL_MixAudioFormat(out.data(), waves[size_t(s)].data() + offset, AUDIO_U8, BlockLength,
                               SDL_MIX_MAXVOLUME);
        benchmark::DoNotOptimize(out.data());
        offset = (offset + BlockLength) % (WaveLength - BlockLength);
    }
    state.SetBytesProcessed(state.iterations() * BlockLength * Sources);
}

BENCHMARK(BM_MixEightSources);
BENCHMARK(BM_CopyOutputBytes);
BENCHMARK(BM_SdlMixSameSources);

// Keeps each run's time per iteration to print the ratios at the end.
class TRatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            Times[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    std::map<std::string, double> Times;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double mix = reporter.Times["BM_MixEightSources"];
    const double copy = reporter.Times["BM_CopyOutputBytes"];
    const double sdl = reporter.Times["BM_SdlMixSameSources"];
    if (mix > 0 && copy > 0 && sdl > 0) {
        std::printf("mixing 8 sources / copying the output bytes: %.2f\n", mix / copy);
        std::printf("mixing 8 sources / SDL_MixAudioFormat on the same sources: %.2f\n", mix / sdl);
    }
    benchmark::Shutdown();
    return 0;
}

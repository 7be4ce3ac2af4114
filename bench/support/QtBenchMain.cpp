#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

// Benchmarks that draw or load pictures need a QApplication; no display.
int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Benchmarks run against real widgets on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "offscreen_platform.h"

int main(int argc, char** argv) {
  useOffscreenPlatformUnlessChosen();
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// Benchmarks of the move searches and of whole automatic games.
#include <benchmark/benchmark.h>
BENCHMARK_MAIN();

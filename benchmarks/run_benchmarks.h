#pragma once

#include <benchmark/benchmark.h>

namespace vandrel::bench {

// The tail of every benchmark program's main: the registered benchmarks, run with the
// options of the command line. An option Google Benchmark does not know fails the run.
inline int runBenchmarks(int& argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace vandrel::bench

#pragma once

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <system_error>
#include <unistd.h>

namespace skivra::bench {

// A folder of this run's own under the temporary folder, for the files a benchmark writes
// for itself and for its peer; RunBenchmarks removes it at the end.
inline const std::filesystem::path& ScratchFolder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("skivra-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// The CPU time of every finished child process so far (all their threads): a peer runs as a
// whole process, and the benchmark's own CPU column cannot see into it.
inline double ChildCpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval& t) {
        return t.tv_sec * 1e3 + t.tv_usec / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The benchmark program's main: runs the benchmarks asked for, then removes the scratch folder.
inline int RunBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(ScratchFolder(), ignored);
    return 0;
}

} // namespace skivra::bench

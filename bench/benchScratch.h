#pragma once

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
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

// Reading the tags of 10,000 MP3 and 2,000 WMA files through TMyTag, against TagLib reading
// the same fields of the same files in the same run. bench/run-tags prints the ratio.
#include "benchScratch.h"
#include "media/myTag.h"
#include "support/myUnicode.h"

#include <benchmark/benchmark.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The tagged files that mutagen writes (every ID3 version and text encoding, ASF with all
// its attributes), copied round-robin into 10,000 MP3 and 2,000 WMA files.
const std::vector<std::string>& Files() {
    static const std::vector<std::string> files = [] {
        const fs::path seeds = skivra::bench::ScratchFolder() / "seeds";
        std::string sCommand = "/usr/bin/python3 " SKIVRA_TEST_TOOLS "/write-tags.py ";
        sCommand += seeds.string();
        sCommand += " --asf";
        if (std::system(sCommand.c_str()) != 0) {
            std::abort();
        }
        std::vector<fs::path> mp3, wma;
        for (const auto& entry : fs::directory_iterator(seeds)) {
            const std::string sExt = entry.path().extension().string();
            if (sExt == ".mp3") {
                mp3.push_back(entry.path());
            } else if (sExt == ".wma") {
                wma.push_back(entry.path());
            }
        }
        std::vector<std::string> out;
        const fs::path copies = skivra::bench::ScratchFolder() / "copies";
        fs::create_directories(copies);
        const auto copy = [&](const std::vector<fs::path>& from, int n, const char* sExt) {
            for (int i = 0; i < n; ++i) {
                std::string sName = "f";
                sName += std::to_string(out.size());
                sName += sExt;
                const fs::path to = copies / sName;
                fs::copy_file(from[static_cast<std::size_t>(i) % from.size()], to);
                out.push_back(to.string());
            }
        };
        copy(mp3, 10000, ".mp3");
        copy(wma, 2000, ".wma");
        return out;
    }();
    return files;
}

void BM_TMyTag(benchmark::State& state) {
    std::vector<std::u16string> names;
    for (const std::string& sFile : Files()) {
        names.push_back(*skivra::Utf8ToUtf16(sFile));
    }
    for (auto _ : state) {
        std::size_t iChars = 0;
        for (const std::u16string& sName : names) {
            const skivra::TMyTag tag(sName);
            iChars += tag.RawTitle().size() + tag.Artist().size() + tag.Album().size() +
                      tag.Comment().size() + tag.Genre().size() + tag.Year().size() +
                      tag.Track().size();
        }
        benchmark::DoNotOptimize(iChars);
    }
}

void BM_TagLib(benchmark::State& state) {
    const std::vector<std::string>& files = Files();
    for (auto _ : state) {
        std::size_t iChars = 0;
        for (const std::string& sFile : files) {
            const TagLib::FileRef file(sFile.c_str(), false);
            if (const TagLib::Tag* tag = file.tag()) {
                iChars += tag->title().size() + tag->artist().size() + tag->album().size() +
                          tag->comment().size() + tag->genre().size() + tag->year() + tag->track();
            }
        }
        benchmark::DoNotOptimize(iChars);
    }
}

BENCHMARK(BM_TMyTag)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TagLib)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(skivra::bench::ScratchFolder(), ignored);
    return 0;
}

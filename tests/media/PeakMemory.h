#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace skivra::test {

// A field of /proc/self/status in KiB ("VmRSS:", "VmHWM:").
inline long ProcessStatusKiB(const std::string& sField) {
    std::ifstream status("/proc/self/status");
    std::string sLine;
    while (std::getline(status, sLine)) {
        if (sLine.rfind(sField, 0) == 0) {
            return std::stol(sLine.substr(sField.size()));
        }
    }
    return -1;
}

// How many MiB the resident memory rose above where it stood while run() ran: the peak is
// reset first, so nothing that ran before counts.
template <class F> long PeakGrowthMiB(F run) {
    std::ofstream("/proc/self/clear_refs") << "5";
    const long iBefore = ProcessStatusKiB("VmRSS:");
    run();
    return (ProcessStatusKiB("VmHWM:") - iBefore) / 1024;
}

// A file of iSize bytes that holds sHead and then a hole: it takes a few KiB of disk
// whatever size it claims, as a damaged or hostile download can.
inline void WriteSparseFile(const std::filesystem::path& path, const std::string& sHead,
                            std::uintmax_t iSize) {
    std::ofstream(path, std::ios::binary) << sHead;
    std::filesystem::resize_file(path, iSize);
}

} // namespace skivra::test

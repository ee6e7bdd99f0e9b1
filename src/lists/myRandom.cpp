#include "lists/myRandom.h"

#include <chrono>
#include <random>

namespace skivra {

namespace {

std::mt19937_64& Generator() {
    static std::mt19937_64 generator(
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    return generator;
}

} // namespace

void Randomize() {
    Generator().seed(static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

std::int32_t RandomInt(std::int32_t iCount) {
    if (iCount <= 0) {
        return 0;
    }
    return std::uniform_int_distribution<std::int32_t>(0, iCount - 1)(Generator());
}

} // namespace skivra

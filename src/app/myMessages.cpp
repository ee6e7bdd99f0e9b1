#include "app/myMessages.h"

namespace skivra {

namespace {

std::u16string Decimal(std::uint64_t iValue) {
    const std::string sDigits = std::to_string(iValue);
    return std::u16string(sDigits.begin(), sDigits.end());
}

} // namespace

std::u16string SubPlayerParameters(std::uint64_t iPlayerPanel) {
    return u"/SUBPLAYER /FROM:" + Decimal(iPlayerPanel);
}

std::u16string ToSubPlayerMessage(std::uint64_t iSubPlayerPanel) {
    return u"/TO_SUBPLAYER:" + Decimal(iSubPlayerPanel);
}

} // namespace skivra

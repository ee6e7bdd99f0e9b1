#include "app/myInfoTexts.h"

#include "lists/myString.h"
#include "media/myCustomTag.h"
#include "media/myTagFormat.h"

namespace skivra {

namespace {

std::u16string Decimal(std::int64_t iValue) {
    const std::string s = std::to_string(iValue);
    return {s.begin(), s.end()};
}

} // namespace

std::u16string InfoWithOriginal(const std::u16string& sName, const std::u16string& sOriginal) {
    return sOriginal.empty() ? sName : sName + u"//" + sOriginal;
}

std::u16string InfoSummaryText(const TMyCustomTag& ATag) {
    std::u16string sText;
    if (ATag.VideoWidth() > 0 && ATag.VideoHeight() > 0) {
        sText = Decimal(ATag.VideoWidth()) + u"x" + Decimal(ATag.VideoHeight());
    }
    if (ATag.VideoFrameRate() > 0) {
        // Appended piece by piece: "u" " + a temporary" trips a false -Wrestrict in GCC 12's
        // optimised builds.
        sText += u' ';
        sText += FormatFixedDecimals(ATag.VideoFrameRate(), 2);
        sText += u"fps";
    }
    if (!sText.empty()) {
        sText += u" ";
    }
    return sText + FormatSeconds(ATag.MediaLength()) + u"秒 " + ATag.FileSizeString() + u" (" +
           ATag.FileWriteTimeString() + u")";
}

std::u16string SeekHintText(double fTenths) {
    return FormatSecondsFraction(1, fTenths / 10.0) + u"秒";
}

} // namespace skivra

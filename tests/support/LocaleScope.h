#pragma once

#include <unicode/locid.h>

namespace skivra::test {

// The ICU default locale set for one scope, the previous one back at its end.
class LocaleScope {
public:
    explicit LocaleScope(const char* sLocale) : FSaved(icu::Locale::getDefault()) {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(icu::Locale(sLocale), status);
    }
    ~LocaleScope() {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(FSaved, status);
    }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    icu::Locale FSaved;
};

} // namespace skivra::test

#include "engine/myGnomeWallpaperStore.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace skivra {
namespace {

TEST(GnomeWallpaperText, Quotes) {
    const std::pair<std::string_view, std::string_view> quotes[] = {
        {"", "''"}, {"a b", "'a b'"}, {"it's", "'it\\'s'"}, {"back\\slash", "'back\\\\slash'"}};
    for (const auto& [sText, sQuoted] : quotes) {
        EXPECT_EQ(QuoteGVariantString(sText), sQuoted);
        EXPECT_EQ(UnquoteGVariantString(sQuoted), std::string(sText));
    }
    EXPECT_EQ(UnquoteGVariantString("\"double\""), "double");
    for (const std::string_view sBad : {"", "'", "'open", "plain", "'bad\\'"}) {
        EXPECT_EQ(UnquoteGVariantString(sBad), std::nullopt) << sBad;
    }
}

TEST(GnomeWallpaperText, RunningDesktop) {
    const char* pszOld = std::getenv("XDG_CURRENT_DESKTOP");
    const std::string sOld = pszOld ? pszOld : "";
    const std::pair<const char*, bool> cases[] = {
        {"GNOME", true},       {"ubuntu:GNOME", true}, {"Budgie:GNOME", true},
        {"X-Cinnamon", false}, {"XFCE", false},        {"KDE", false},
        {"", false},           {"GNOMEish", false},
    };
    for (const auto& [pszDesktop, bGnome] : cases) {
        setenv("XDG_CURRENT_DESKTOP", pszDesktop, 1);
        EXPECT_EQ(TMyGnomeWallpaperStore::IsRunningDesktop(), bGnome) << pszDesktop;
    }
    if (pszOld) {
        setenv("XDG_CURRENT_DESKTOP", sOld.c_str(), 1);
    } else {
        unsetenv("XDG_CURRENT_DESKTOP");
    }
}

} // namespace
} // namespace skivra

#pragma once

#include "support/TempFolder.h"

#include <cstdlib>
#include <string>

namespace skivra::test {

// The GNOME settings of a test of its own: gsettings keeps them in a key file below a
// temporary configuration folder instead of the user's dconf database.
class GnomeSettings {
public:
    GnomeSettings() {
        Save("GSETTINGS_BACKEND", FsBackend, FbBackend);
        Save("XDG_CONFIG_HOME", FsConfig, FbConfig);
        setenv("GSETTINGS_BACKEND", "keyfile", 1);
        setenv("XDG_CONFIG_HOME", FFolder.Path().c_str(), 1);
    }
    ~GnomeSettings() {
        Restore("GSETTINGS_BACKEND", FsBackend, FbBackend);
        Restore("XDG_CONFIG_HOME", FsConfig, FbConfig);
    }
    GnomeSettings(const GnomeSettings&) = delete;
    GnomeSettings& operator=(const GnomeSettings&) = delete;

    static bool Set(const std::string& sKey, const std::string& sValue) {
        return std::system(
                   ("gsettings set org.gnome.desktop.background " + sKey + " \"" + sValue + "\"")
                       .c_str()) == 0;
    }

private:
    static void Save(const char* pszName, std::string& sValue, bool& bSet) {
        const char* psz = std::getenv(pszName);
        bSet = psz != nullptr;
        sValue = psz ? psz : "";
    }
    static void Restore(const char* pszName, const std::string& sValue, bool bSet) {
        if (bSet) {
            setenv(pszName, sValue.c_str(), 1);
        } else {
            unsetenv(pszName);
        }
    }
    TempFolder FFolder;
    std::string FsBackend;
    std::string FsConfig;
    bool FbBackend = false;
    bool FbConfig = false;
};

} // namespace skivra::test

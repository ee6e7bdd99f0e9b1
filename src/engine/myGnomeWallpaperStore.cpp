#include "engine/myGnomeWallpaperStore.h"

#include "engine/myKeyValueText.h"
#include "support/myFile.h"
#include "support/myFileUri.h"
#include "support/myUnicode.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace skivra {

namespace {

constexpr const char* kSchema = "org.gnome.desktop.background";
// gsettings answers with one short line; anything longer is not an answer.
constexpr std::size_t kMaxAnswer = 64 * 1024;

// Runs the program with its arguments and returns what it wrote, when it exits with 0.
std::optional<std::string> RunForOutput(const std::vector<std::string>& args) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& sArg : args) {
        argv.push_back(const_cast<char*>(sArg.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int iSpawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string sOutput;
    if (iSpawned == 0) {
        char buffer[4096];
        for (;;) {
            const ssize_t iRead = read(fds[0], buffer, sizeof buffer);
            if (iRead < 0 && errno == EINTR) {
                continue;
            }
            if (iRead <= 0) {
                break;
            }
            if (sOutput.size() < kMaxAnswer) {
                sOutput.append(buffer, static_cast<std::size_t>(iRead));
            }
        }
    }
    close(fds[0]);
    if (iSpawned != 0) {
        return std::nullopt;
    }
    int iStatus = 0;
    while (waitpid(pid, &iStatus, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(iStatus) || WEXITSTATUS(iStatus) != 0 || sOutput.size() >= kMaxAnswer) {
        return std::nullopt;
    }
    while (!sOutput.empty() && (sOutput.back() == '\n' || sOutput.back() == '\r')) {
        sOutput.pop_back();
    }
    return sOutput;
}

std::u16string Wide(std::string_view sText) {
    return Utf8ToUtf16(sText).value_or(u"");
}

} // namespace

std::string QuoteGVariantString(std::string_view sText) {
    std::string sQuoted = "'";
    for (const char c : sText) {
        if (c == '\'' || c == '\\') {
            sQuoted += '\\';
        }
        sQuoted += c;
    }
    return sQuoted + "'";
}

std::optional<std::string> UnquoteGVariantString(std::string_view sText) {
    if (sText.size() < 2 || (sText.front() != '\'' && sText.front() != '"') ||
        sText.back() != sText.front()) {
        return std::nullopt;
    }
    std::string sResult;
    for (std::size_t i = 1; i + 1 < sText.size(); ++i) {
        if (sText[i] == '\\') {
            if (i + 2 >= sText.size()) {
                return std::nullopt;
            }
            ++i;
        }
        sResult += sText[i];
    }
    return sResult;
}

bool TMyGnomeWallpaperStore::IsRunningDesktop() {
    const char* pszDesktop = std::getenv("XDG_CURRENT_DESKTOP");
    if (!pszDesktop) {
        return false;
    }
    std::string_view desktops = pszDesktop;
    while (!desktops.empty()) {
        const std::size_t iEnd = desktops.find(':');
        const std::string_view name = desktops.substr(0, iEnd);
        for (const std::string_view kin : {"GNOME", "Unity", "Budgie", "Pantheon"}) {
            if (name == kin || name == std::string("X-") + std::string(kin)) {
                return true;
            }
        }
        desktops = iEnd == std::string_view::npos ? std::string_view{} : desktops.substr(iEnd + 1);
    }
    return false;
}

std::optional<std::string> TMyGnomeWallpaperStore::Get(const char* pszKey) {
    return RunForOutput({FsTool, "get", kSchema, pszKey});
}

bool TMyGnomeWallpaperStore::Set(const char* pszKey, const std::string& sValue) {
    return RunForOutput({FsTool, "set", kSchema, pszKey, sValue}).has_value();
}

bool TMyGnomeWallpaperStore::CanOpenValues() {
    return Get("picture-options").has_value();
}

std::optional<std::u16string> TMyGnomeWallpaperStore::ReadValue(std::u16string_view sName) {
    const std::optional<std::string> sOptions = Get("picture-options");
    if (!sOptions) {
        return std::nullopt;
    }
    const std::string sOption = UnquoteGVariantString(*sOptions).value_or(*sOptions);
    const bool bTiled = sOption == "wallpaper";
    const bool bStretched = sOption == "stretched";
    if (sName == u"TileWallpaper") {
        return bTiled ? u"1" : u"0";
    }
    if (sName == u"WallpaperStyle") {
        return bTiled ? u"1" : bStretched ? u"2" : u"0";
    }
    return std::nullopt;
}

bool TMyGnomeWallpaperStore::WriteValue(std::u16string_view sName, std::u16string_view sValue) {
    if (sName == u"TileWallpaper") {
        FsTile = sValue;
        return true;
    }
    if (sName != u"WallpaperStyle") {
        return false;
    }
    std::string sOption = "centered";
    if (FsTile != u"0" || sValue == u"1") {
        sOption = "wallpaper";
    } else if (sValue == u"2") {
        sOption = "stretched";
    }
    return Set("picture-options", QuoteGVariantString(sOption));
}

std::optional<std::u16string> TMyGnomeWallpaperStore::GetDesktopWallpaper() {
    const std::optional<std::string> sValue = Get("picture-uri");
    if (!sValue) {
        return std::nullopt;
    }
    const std::optional<std::string> sUri = UnquoteGVariantString(*sValue);
    const std::optional<std::string> sPath = sUri ? FileUriToPath(*sUri) : std::nullopt;
    return sPath ? Wide(*sPath) : std::u16string();
}

TMyInstalledWallpaper
TMyGnomeWallpaperStore::FindInstalledWallpaper(std::u16string_view sFileName) {
    const std::optional<std::string> sValue = Get("picture-uri");
    if (!sValue) {
        return TMyInstalledWallpaper::Unknown;
    }
    return UnquoteGVariantString(*sValue) == FilePathToUri(Utf16ToUtf8(sFileName))
               ? TMyInstalledWallpaper::Shown
               : TMyInstalledWallpaper::Replaced;
}

bool TMyGnomeWallpaperStore::SetDesktopWallpaper(std::u16string_view sFileName) {
    const std::string sUri = QuoteGVariantString(
        sFileName.empty() ? std::string() : FilePathToUri(Utf16ToUtf8(sFileName)));
    // The dark style shows our picture too while the takeover lasts; the user's own dark
    // picture comes back with the extra layout.
    const bool bLight = Set("picture-uri", sUri);
    const bool bDark = Set("picture-uri-dark", sUri);
    return bLight && bDark;
}

std::uint32_t TMyGnomeWallpaperStore::GetDesktopColor() {
    const std::optional<std::string> sValue = Get("primary-color");
    const std::optional<std::string> sColor =
        sValue ? UnquoteGVariantString(*sValue) : std::nullopt;
    return sColor ? ColorFromHexText(*sColor).value_or(0) : 0;
}

std::u16string TMyGnomeWallpaperStore::SaveExtraLayout() {
    const std::optional<std::string> sOptions = Get("picture-options");
    const std::optional<std::string> sDark = Get("picture-uri-dark");
    if (!sOptions) {
        return {};
    }
    TMyKeyValues values = {{u"picture-options", Wide(*sOptions)}};
    if (sDark) {
        values.emplace_back(u"picture-uri-dark", Wide(*sDark));
    }
    return Wide(FormatKeyValueText(values));
}

void TMyGnomeWallpaperStore::RestoreExtraLayout(std::u16string_view sLayout) {
    const std::optional<TMyKeyValues> values = ParseKeyValueText(Utf16ToUtf8(sLayout));
    if (!values) {
        return;
    }
    if (const auto sOptions = FindKeyValue(*values, u"picture-options")) {
        Set("picture-options", Utf16ToUtf8(*sOptions));
    }
    if (const auto sDark = FindKeyValue(*values, u"picture-uri-dark")) {
        Set("picture-uri-dark", Utf16ToUtf8(*sDark));
    }
}

} // namespace skivra

#include "platform/LocalPath.h"

#include <shellapi.h>

#include "platform/WinText.h"

namespace {
ShellPathObserver g_observer = nullptr;
void* g_observerContext = nullptr;

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

bool IsLocalPath(const std::string& path) {
    // "X:\" first: this excludes "\\host\share", "//host/share", "\\.\",
    // "\\?\" and "\??\" as well as relative paths and "X:file".
    if (path.size() < 4 || !IsDriveLetter(path[0]) || path[1] != ':' || (path[2] != '\\' && path[2] != '/'))
        return false;
    // Neither ':' nor a control character is ever part of a longer UTF-8
    // character: a plain search is exact here.
    for (std::size_t i = 2; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (c == ':' || c < 0x20) return false;
    }
    const wchar_t root[] = {static_cast<wchar_t>(path[0]), L':', L'\\', L'\0'};
    return ::GetDriveTypeW(root) == DRIVE_FIXED;
}

HICON ShellSmallIcon(const std::string& path) {
    if (!IsLocalPath(path)) return nullptr;
    if (g_observer) g_observer(path, g_observerContext);
    SHFILEINFOW info{};
    // Only a successful call's icon counts (Wine may leave a stale value).
    if (::SHGetFileInfoW(WideOf(path).c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON) && info.hIcon)
        return info.hIcon;
    return nullptr;
}

void SetShellPathObserver(ShellPathObserver observer, void* context) {
    g_observer = observer;
    g_observerContext = context;
}

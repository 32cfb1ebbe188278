#include "WindowFinder.h"

namespace pvtest {

namespace {

std::string ClassOf(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return Utf8(name);
}

bool Matches(const WindowQuery& q, HWND h) {
    if (h == q.except) return false;
    if (q.visibleOnly && !::IsWindowVisible(h)) return false;
    if (q.pid || q.thread) {
        DWORD pid = 0;
        const DWORD thread = ::GetWindowThreadProcessId(h, &pid);
        if ((q.pid && pid != q.pid) || (q.thread && thread != q.thread)) return false;
    }
    if (q.owner && ::GetWindow(h, GW_OWNER) != q.owner) return false;
    if (q.className && ClassOf(h) != q.className) return false;
    if (q.caption && WindowTextOf(h) != q.caption) return false;
    return !q.test || q.test(h);
}

struct Search {
    const WindowQuery* query;
    std::vector<HWND> found;
    bool all;
};

BOOL CALLBACK Visit(HWND h, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    if (!Matches(*s->query, h)) return TRUE;
    s->found.push_back(h);
    return s->all ? TRUE : FALSE;
}

std::vector<HWND> Run(const WindowQuery& query, bool all) {
    Search search{&query, {}, all};
    ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

HWND FindWindowOf(const WindowQuery& query) {
    const std::vector<HWND> found = Run(query, false);
    return found.empty() ? nullptr : found.front();
}

std::vector<HWND> FindWindowsOf(const WindowQuery& query) { return Run(query, true); }

bool IsMessageBox(HWND window, bool okOnly) {
    if (ClassOf(window) != kDialogClass || !::GetDlgItem(window, 0xFFFF)) return false;
    return !okOnly || (::GetDlgItem(window, IDOK) && !::GetDlgItem(window, IDCANCEL));
}

std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string Utf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::string WindowTextOf(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int read = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(read > 0 ? read : 0));
    return Utf8(text);
}

std::string ItemText(HWND dialog, int id) {
    // A control of another process answers only WM_GETTEXT itself
    // (GetWindowText gives the text the system keeps, empty for controls).
    const HWND item = ::GetDlgItem(dialog, id);
    return item ? ControlTextOf(item) : std::string();
}

std::string ControlTextOf(HWND control) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, 5000, &length))
        return std::string();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR read = 0;
    ::SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                          SMTO_BLOCK | SMTO_ABORTIFHUNG, 5000, &read);
    text.resize(static_cast<std::size_t>(read));
    return Utf8(text);
}

}  // namespace pvtest

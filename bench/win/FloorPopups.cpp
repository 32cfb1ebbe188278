// The window system's floor for a note-like window: creates and shows N
// layered tool popups with a multi-line edit child each, holding the same
// 400-character body as the benchmark's notes (the edit control's own
// layout and drawing of a body is part of what a shown note needs), then
// waits. Closing
// its hidden control window ("PvFloor") destroys the popups, writes the
// bytes of a given file to a second path (as a save at exit would) and
// ends the process. Usage: pv_floor N [source-file target-file]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<HWND> g_popups;
std::string g_source;
std::string g_target;

std::string ReadAll(const std::string& path) {
    std::string bytes;
    HANDLE f = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return bytes;
    DWORD size = ::GetFileSize(f, nullptr);
    bytes.resize(size);
    DWORD read = 0;
    if (!::ReadFile(f, bytes.data(), size, &read, nullptr)) read = 0;
    bytes.resize(read);
    ::CloseHandle(f);
    return bytes;
}

// Writes the way a careful save does: the whole text, flushed to disk.
void WriteAll(const std::string& path, const std::string& bytes) {
    HANDLE f = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::FlushFileBuffers(f);
    ::CloseHandle(f);
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) {
        for (HWND h : g_popups) ::DestroyWindow(h);
        g_popups.clear();
        if (!g_target.empty()) WriteAll(g_target, ReadAll(g_source));
        ::DestroyWindow(hwnd);
        return 0;
    }
    if (msg == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK PopupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const int count = __argc > 1 ? std::atoi(__argv[1]) : 100;
    if (__argc > 3) {
        g_source = __argv[2];
        g_target = __argv[3];
    }
    WNDCLASSA control{};
    control.lpfnWndProc = ControlProc;
    control.hInstance = instance;
    control.lpszClassName = "PvFloor";
    ::RegisterClassA(&control);
    WNDCLASSA popup{};
    popup.lpfnWndProc = PopupProc;
    popup.hInstance = instance;
    popup.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    popup.lpszClassName = "PvFloorPopup";
    ::RegisterClassA(&popup);

    HWND main = ::CreateWindowExA(0, "PvFloor", "PvFloor", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    g_popups.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int x = 20 + (i * 37) % 1100;
        const int y = 20 + (i * 53) % 850;
        HWND h = ::CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, "PvFloorPopup", "", WS_POPUP | WS_THICKFRAME, x, y,
                                   200, 80, nullptr, nullptr, instance, nullptr);
        std::string body(400, ' ');
        for (int k = 0; k < 400; ++k) body[static_cast<std::size_t>(k)] = static_cast<char>('a' + (i + k) % 26);
        ::CreateWindowExA(WS_EX_TRANSPARENT, "EDIT", body.c_str(), WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL,
                          0, 0, 183, 80, h, nullptr, instance, nullptr);
        ::SetLayeredWindowAttributes(h, 0, 178, LWA_ALPHA);
        ::ShowWindow(h, SW_SHOWNOACTIVATE);
        g_popups.push_back(h);
    }
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    (void)main;
    return 0;
}

#include "Driver.h"

#include "WindowFinder.h"

#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>

namespace e2e {

std::string ToWindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string out = "Z:" + path;
    for (char& c : out)
        if (c == '/') c = '\\';
    return out;
}

std::string MakeScratchDir(const char* tag) {
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        char unique[64];
        std::snprintf(unique, sizeof unique, "-%lu-%u", ::GetCurrentProcessId(), ++counter);
        const std::string dir = pvtest::Utf8(base) + "pv-" + tag + unique;
        if (::CreateDirectoryW(pvtest::Wide(dir).c_str(), nullptr)) return dir;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) return std::string();
    }
}

std::vector<std::string> ListFiles(const std::string& dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW(pvtest::Wide(dir + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (std::wcscmp(fd.cFileName, L".") != 0 && std::wcscmp(fd.cFileName, L"..") != 0)
            names.push_back(pvtest::Utf8(fd.cFileName));
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);
    return names;
}

bool FileExists(const std::string& path) {
    return ::GetFileAttributesW(pvtest::Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFile(const std::string& path) {
    std::string data;
    FILE* f = ::_wfopen(pvtest::Wide(path).c_str(), L"rb");
    if (!f) return data;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
    std::fclose(f);
    return data;
}

CPinvaneProcess::~CPinvaneProcess() {
    if (m_started && Running()) Kill();
    if (m_started) {
        ::CloseHandle(m_pi.hProcess);
        ::CloseHandle(m_pi.hThread);
    }
}

bool CPinvaneProcess::Start(const std::string& exe, const std::string& args, const std::string& cwd,
                            const std::string& outputFile) {
    std::string cmd = "\"" + exe + "\"";
    if (!args.empty()) cmd += " " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    HANDLE out = INVALID_HANDLE_VALUE;
    BOOL inherit = FALSE;
    if (!outputFile.empty()) {
        SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
        out = ::CreateFileW(pvtest::Wide(outputFile).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (out == INVALID_HANDLE_VALUE) return false;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = out;
        si.hStdError = out;
        si.hStdInput = nullptr;
        inherit = TRUE;
    }
    std::wstring line = pvtest::Wide(cmd);
    const std::wstring dir = pvtest::Wide(cwd);
    // Started as from the shell: no console of ours is handed down.
    BOOL ok = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, inherit, DETACHED_PROCESS, nullptr,
                               cwd.empty() ? nullptr : dir.c_str(), &si, &m_pi);
    if (out != INVALID_HANDLE_VALUE) ::CloseHandle(out);
    m_started = ok != FALSE;
    return m_started;
}

bool CPinvaneProcess::Running() const {
    return m_started && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

bool CPinvaneProcess::WaitExit(DWORD timeoutMs) {
    return m_started && ::WaitForSingleObject(m_pi.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

HWND CPinvaneProcess::WaitMainWindow(DWORD timeoutMs) {
    return WaitProcessWindow(Pid(), "Pinvane", "#32770", timeoutMs);
}

bool CPinvaneProcess::Exit(DWORD timeoutMs) {
    HWND main = FindProcessWindow(Pid(), "Pinvane", "#32770");
    if (!main) return false;
    ::PostMessageA(main, WM_COMMAND, 32772, 0);
    return WaitExit(timeoutMs);
}

void CPinvaneProcess::Kill() {
    if (m_started) {
        ::TerminateProcess(m_pi.hProcess, 1);
        ::WaitForSingleObject(m_pi.hProcess, 5000);
    }
}

HWND FindProcessWindow(DWORD pid, const char* title, const char* className) {
    return pvtest::FindWindowOf({.pid = pid, .className = className, .caption = title, .visibleOnly = false});
}

HWND WaitProcessWindow(DWORD pid, const char* title, const char* className, DWORD timeoutMs) {
    DWORD start = ::GetTickCount();
    for (;;) {
        HWND h = FindProcessWindow(pid, title, className);
        if (h) return h;
        if (::GetTickCount() - start > timeoutMs) return nullptr;
        ::Sleep(50);
    }
}

void CChecks::Expect(bool ok, const char* what) {
    if (ok) {
        ++m_passed;
        std::printf("ok     %s\n", what);
    } else {
        ++m_failed;
        std::printf("FAILED %s\n", what);
    }
    std::fflush(stdout);
}

void CChecks::ExpectEq(const std::string& actual, const std::string& expected, const char* what) {
    Expect(actual == expected, what);
    if (actual != expected) std::printf("       got [%s] expected [%s]\n", actual.c_str(), expected.c_str());
}

int CChecks::ExitCode() const {
    std::printf("%d checks passed, %d failed\n", m_passed, m_failed);
    return m_failed == 0 && m_passed > 0 ? 0 : 1;
}

std::string InstallCopy(const std::string& exe, std::string* dirOut) {
    std::string dir = MakeScratchDir("app");
    std::string copy = dir + "\\Pinvane.exe";
    if (!CopyFileTo(exe, copy)) return std::string();
    if (dirOut) *dirOut = dir;
    return copy;
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        if (done()) return true;
        if (::GetTickCount() - start > timeoutMs) return false;
        ::Sleep(20);
    }
}

std::vector<HWND> NoteWindows::ownedBy(HWND owner) const {
    std::vector<HWND> out;
    for (HWND h : all)
        if (::GetWindow(h, GW_OWNER) == owner) out.push_back(h);
    return out;
}

NoteWindows FindNotes(DWORD pid, HWND main) {
    NoteWindows notes;
    notes.all = pvtest::FindWindowsOf({.pid = pid, .except = main});
    return notes;
}

HWND MakeTargetWindow(const char* title, int x, int y, int w, int h) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"PvDriveTarget";
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, L"PvDriveTarget", pvtest::Wide(title).c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, x,
                             y, w, h, nullptr, nullptr, wc.hInstance, nullptr);
}

std::string CodePageText(const std::string& utf8) {
    const std::wstring wide = pvtest::Wide(utf8);
    const int size = static_cast<int>(wide.size());
    const int n = ::WideCharToMultiByte(932, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) ::WideCharToMultiByte(932, 0, wide.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

bool CopyFileTo(const std::string& from, const std::string& to) {
    return ::CopyFileW(pvtest::Wide(from).c_str(), pvtest::Wide(to).c_str(), FALSE) != FALSE;
}

void WriteText(const std::string& path, const std::string& text) {
    FILE* f = ::_wfopen(pvtest::Wide(path).c_str(), L"wb");
    if (!f) return;
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

RECT WindowRect(HWND h) {
    RECT r{};
    ::GetWindowRect(h, &r);
    return r;
}

HWND StartInstalled(CChecks& c, const std::string& exe, CPinvaneProcess& p, std::string* appDir,
                    const std::string& data) {
    std::string copy = InstallCopy(exe, appDir);
    if (!data.empty()) WriteText(*appDir + "\\PinvaneData.ini", data);
    c.Expect(p.Start(copy, "", *appDir), "started");
    HWND main = p.WaitMainWindow(20000);
    c.Expect(main != nullptr, "main window exists");
    return main;
}

CRemoteList::CRemoteList(DWORD pid, HWND list) : m_list(list) {
    m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (m_process) m_memory = ::VirtualAllocEx(m_process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
}

CRemoteList::~CRemoteList() {
    if (m_memory) ::VirtualFreeEx(m_process, m_memory, 0, MEM_RELEASE);
    if (m_process) ::CloseHandle(m_process);
}

int CRemoteList::Count() const { return static_cast<int>(::SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0)); }

std::string CRemoteList::Text(int row, int column) const {
    if (!m_memory) return std::string();
    auto* base = static_cast<char*>(m_memory);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(base + 1024);
    item.cchTextMax = 1536;
    ::WriteProcessMemory(m_process, base, &item, sizeof item, nullptr);
    ::SendMessageW(m_list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(base));
    wchar_t text[1536] = {};
    ::ReadProcessMemory(m_process, base + 1024, text, sizeof text - sizeof(wchar_t), nullptr);
    return pvtest::Utf8(text);
}

int CRemoteList::RowWithText(int column, const std::string& text) const {
    for (int row = 0; row < Count(); ++row)
        if (Text(row, column) == text) return row;
    return -1;
}

RECT CRemoteList::CellRect(int row) const {
    RECT rect{};
    if (row < 0 || !m_memory) return rect;
    ::SendMessageA(m_list, LVM_ENSUREVISIBLE, row, FALSE);
    rect.left = LVIR_LABEL;
    ::WriteProcessMemory(m_process, m_memory, &rect, sizeof rect, nullptr);
    ::SendMessageA(m_list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(m_memory));
    ::ReadProcessMemory(m_process, m_memory, &rect, sizeof rect, nullptr);
    ::MapWindowPoints(m_list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool CRemoteList::Click(int row) const {
    if (row < 0 || !m_memory) return false;
    // On a loaded machine a click can be lost before the row is marked: it
    // is made again until the list shows it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const RECT rect = CellRect(row);
        ::SetCursorPos(rect.left + 8, (rect.top + rect.bottom) / 2);
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, input, sizeof(INPUT));
        if (WaitFor([&] { return ::SendMessageA(m_list, LVM_GETSELECTIONMARK, 0, 0) == row; }, 3000)) return true;
    }
    return false;
}

void PasteDesktopNote(HWND main, int x, int y) {
    unsigned char block[116] = {};
    const int32_t head[2] = {1, 1};
    std::memcpy(block, head, sizeof head);
    const uint64_t desktop = reinterpret_cast<uint64_t>(::GetDesktopWindow());
    std::memcpy(block + 16, &desktop, sizeof desktop);
    const int32_t point[2] = {x, y};
    std::memcpy(block + 24, point, sizeof point);
    COPYDATASTRUCT cds{0, sizeof block, block};
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 5000, &result);
}

}  // namespace e2e

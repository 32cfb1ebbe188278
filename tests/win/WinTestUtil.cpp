#include "WinTestUtil.h"

#include "WindowFinder.h"

#include "data/MbString.h"
#include "data/NoteFile.h"
#include "data/VolumeKey.h"
#include "platform/ListView.h"

#include <commctrl.h>

#include <cstdio>

namespace wintest {

CScratchDir::CScratchDir() {
    ::GetCurrentDirectoryA(MAX_PATH, m_old);
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    char name[MAX_PATH];
    ::GetTempFileNameA(base, "pvt", 0, name);
    ::DeleteFileA(name);
    ::CreateDirectoryA(name, nullptr);
    m_dir = name;
    ::SetCurrentDirectoryA(m_dir.c_str());
}

CScratchDir::~CScratchDir() { ::SetCurrentDirectoryA(m_old); }

namespace {
const wchar_t kTargetClass[] = L"PvTestTarget";

// A Unicode window class: titles in any script.
ATOM RegisterTargetClass() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kTargetClass;
    return ::RegisterClassW(&wc);
}
}  // namespace

CTargetWindow::CTargetWindow(const char* title, int x, int y, int width, int height, DWORD style) {
    static const ATOM atom = RegisterTargetClass();
    (void)atom;
    m_hWnd = ::CreateWindowExW(0, kTargetClass, pvtest::Wide(title).c_str(), style, x, y, width, height, nullptr,
                               nullptr, ::GetModuleHandleW(nullptr), nullptr);
    Pump(20);
}

CTargetWindow::~CTargetWindow() { Close(); }

RECT CTargetWindow::Rect() const {
    RECT r{};
    ::GetWindowRect(m_hWnd, &r);
    return r;
}

void CTargetWindow::Close() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    Pump(20);
}

CMessageBoxAnswerer::CMessageBoxAnswerer(std::vector<int> answers) : m_answers(std::move(answers)) {
    ::InitializeCriticalSection(&m_lock);
    m_stop = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = ::CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr);
}

CMessageBoxAnswerer::~CMessageBoxAnswerer() {
    ::SetEvent(m_stop);
    ::WaitForSingleObject(m_thread, 5000);
    ::CloseHandle(m_thread);
    ::CloseHandle(m_stop);
    ::DeleteCriticalSection(&m_lock);
}

std::vector<std::string> CMessageBoxAnswerer::Texts() {
    ::EnterCriticalSection(&m_lock);
    std::vector<std::string> copy = m_texts;
    ::LeaveCriticalSection(&m_lock);
    return copy;
}

DWORD WINAPI CMessageBoxAnswerer::ThreadProc(void* self) {
    static_cast<CMessageBoxAnswerer*>(self)->Run();
    return 0;
}

void CMessageBoxAnswerer::Run() {
    size_t next = 0;
    while (::WaitForSingleObject(m_stop, 20) == WAIT_TIMEOUT) {
        const HWND box = pvtest::FindWindowOf(
            {.pid = ::GetCurrentProcessId(), .test = [](HWND h) { return pvtest::IsMessageBox(h); }});
        if (!box) continue;
        const std::string text = pvtest::ItemText(box, 0xFFFF);
        ::EnterCriticalSection(&m_lock);
        m_texts.push_back(text);
        ::LeaveCriticalSection(&m_lock);
        int answer = next < m_answers.size() ? m_answers[next] : IDOK;
        ++next;
        ::PostMessageA(box, WM_COMMAND, answer, 0);
        // Wait until that box is gone before looking for the next one.
        while (::IsWindow(box) && ::WaitForSingleObject(m_stop, 10) == WAIT_TIMEOUT) {
        }
    }
}

CDialogDriver::CDialogDriver(const char* caption, std::function<void(HWND)> action)
    : m_caption(caption), m_action(std::move(action)) {
    m_stop = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_done = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = ::CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr);
}

CDialogDriver::~CDialogDriver() {
    ::SetEvent(m_stop);
    ::WaitForSingleObject(m_thread, 5000);
    ::CloseHandle(m_thread);
    ::CloseHandle(m_done);
    ::CloseHandle(m_stop);
}

bool CDialogDriver::Done() { return ::WaitForSingleObject(m_done, 5000) == WAIT_OBJECT_0; }

DWORD WINAPI CDialogDriver::ThreadProc(void* param) {
    auto* self = static_cast<CDialogDriver*>(param);
    while (::WaitForSingleObject(self->m_stop, 20) == WAIT_TIMEOUT) {
        const HWND dialog = pvtest::FindWindowOf(
            {.pid = ::GetCurrentProcessId(), .className = pvtest::kDialogClass, .caption = self->m_caption.c_str()});
        if (!dialog) continue;
        self->m_action(dialog);
        ::SetEvent(self->m_done);
        break;
    }
    return 0;
}

CWindowChooser::CWindowChooser(const char* title, std::function<void()> before)
    : m_title(title ? title : ""),
      m_cancel(title == nullptr),
      m_before(std::move(before)),
      m_driver("ウィンドウ選択", [this](HWND dialog) { Choose(dialog); }) {}

std::vector<std::string> CWindowChooser::ListedTitles() {
    m_driver.Done();
    return m_listed;
}

void CWindowChooser::Choose(HWND dialog) {
    if (m_before) m_before();
    HWND list = ::FindWindowExA(dialog, nullptr, "SysListView32", nullptr);
    int rows = list ? ListView_GetItemCount(list) : 0;
    int found = -1;
    for (int i = 0; i < rows; ++i) {
        const std::string text = ListRows::CellText(list, i, 0);
        m_listed.push_back(text);
        if (!m_cancel && found < 0 && m_title == text) found = i;
    }
    if (found >= 0) {
        ListView_SetSelectionMark(list, found);
        ListView_SetItemState(list, found, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    ::PostMessageA(dialog, WM_COMMAND, found >= 0 ? IDOK : IDCANCEL, 0);
}

void Pump(DWORD ms) {
    DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (ms) ::Sleep(5);
    } while (::GetTickCount() - start < ms);
}

std::string WinePath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string out = "Z:" + path;
    for (char& c : out)
        if (c == '/') c = '\\';
    return out;
}

std::string OwnExeName() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    size_t slash = p.find_last_of('\\');
    return MbToUpper(slash == std::string::npos ? p : p.substr(slash + 1));
}

bool CShotFiles::Parse(int argc, char** argv, int minArgs, const char* usage) {
    if (argc < minArgs || argc < 3) {
        std::fprintf(stderr, "usage: %s\n", usage);
        return false;
    }
    m_ready = WinePath(argv[argc - 2]);
    m_done = WinePath(argv[argc - 1]);
    return true;
}

void CShotFiles::MarkReady() const {
    if (FILE* f = std::fopen(m_ready.c_str(), "w")) std::fclose(f);
}

bool CShotFiles::Done() const { return ::GetFileAttributesA(m_done.c_str()) != INVALID_FILE_ATTRIBUTES; }

void CShotFiles::PumpUntilDone() const {
    const DWORD start = ::GetTickCount();
    while (!Done() && ::GetTickCount() - start < 60000) Pump(50);
}

void CShotFiles::Hold() const {
    MarkReady();
    PumpUntilDone();
}

std::vector<CTackletData> StartupNotes(const std::string& path) {
    return ReadStartupNoteFile(path, VolumeKeyForPath(path)).contents.notes;
}

}  // namespace wintest

#include "controller/WindowList.h"

#include "controller/ProcessInfo.h"
#include "data/MbString.h"
#include "platform/WindowText.h"

#include <exception>

namespace {
struct EnumContext {
    CWindowListBuilder* builder;
    std::vector<CWinInf>* list;
};

bool IsDisabled(HWND hWnd) { return (::GetWindowLongW(hWnd, GWL_STYLE) & WS_DISABLED) != 0; }

}  // namespace

// A window of the own process (every note among them) is never a target,
// whatever its title and whatever the program's file is called (a renamed
// copy once stuck notes on its own panels), and is passed over without a
// message sent to it.
bool CWindowListBuilder::IsOwnWindow(HWND hWnd) const {
    if (m_ownProcess == 0) return false;
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hWnd, &owner);
    return owner == m_ownProcess;
}

CWinInf MakeDesktopEntry() {
    CWinInf desktop;
    desktop.hWnd = ToHandle(::GetDesktopWindow());
    desktop.title = kDesktopName;
    desktop.exeName = kDesktopName;
    desktop.exePath = kDesktopName;
    return desktop;
}

WindowArea AreaOf(HWND hWnd) {
    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    if (rect.top == rect.bottom || rect.left == rect.right) return WindowArea::Empty;
    // Windows parks a minimised window off every monitor, but a system set
    // to arrange minimised windows on the desktop (and Wine) leaves it in
    // view: a minimised window is never a place for a note.
    if (::IsIconic(hWnd)) return WindowArea::Minimised;
    return ::MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr ? WindowArea::Visible : WindowArea::OffScreen;
}

void CWindowListBuilder::Build(std::vector<CWinInf>& list, std::vector<CLeftOutWindow>* leftOut) {
    list.clear();
    list.push_back(MakeDesktopEntry());
    m_leftOut = leftOut;
    if (m_leftOut) m_leftOut->clear();
    EnumContext context{this, &list};
    ::EnumWindows(EnumProc, reinterpret_cast<LPARAM>(&context));
    m_leftOut = nullptr;
    if (m_cache) m_cache->Prune();
}

BOOL CALLBACK CWindowListBuilder::EnumProc(HWND hWnd, LPARAM param) {
    auto* context = reinterpret_cast<EnumContext*>(param);
    // Nothing may unwind through the system's enumeration: a window that
    // cannot be read is left out.
    try {
        context->builder->Consider(hWnd, *context->list);
    } catch (const std::exception&) {
    }
    return TRUE;
}

void CWindowListBuilder::Consider(HWND hWnd, std::vector<CWinInf>& list) {
    // The tests run in this order; the cheap ones first.
    if (IsOwnWindow(hWnd)) return;
    if (!::IsWindow(hWnd)) return;
    if (!::IsWindowVisible(hWnd)) {
        ConsiderHidden(hWnd);
        return;
    }
    std::string title = WindowText(hWnd);
    if (title.empty()) return;
    if (MbToUpper(title) == "PROGRAM MANAGER") return;
    CProcessNames names = ProcessNamesOfWindow(hWnd, m_cache);
    if (names.baseName.empty()) return;
    std::string exeName = MbToUpper(names.baseName);
    if (IsDisabled(hWnd)) return LeaveOut(hWnd, std::move(title), std::move(exeName), WindowState::Disabled);
    switch (AreaOf(hWnd)) {
    case WindowArea::Empty: return;
    case WindowArea::Minimised: return LeaveOut(hWnd, std::move(title), std::move(exeName), WindowState::Minimised);
    case WindowArea::OffScreen: return LeaveOut(hWnd, std::move(title), std::move(exeName), WindowState::OffScreen);
    case WindowArea::Visible: break;
    }

    CWinInf entry;
    entry.hWnd = ToHandle(hWnd);
    entry.title = std::move(title);
    entry.exeName = std::move(exeName);
    entry.exePath = std::move(names.path);
    list.push_back(std::move(entry));
}

void CWindowListBuilder::ConsiderHidden(HWND hWnd) {
    // Hidden windows are many (helper and message windows of every
    // program): only those of processes already known are kept, so that
    // hiding a window explains itself without opening more processes.
    CProcessNames names;
    if (!m_leftOut || !m_cache || IsOwnWindow(hWnd) || !m_cache->Peek(hWnd, &names)) return;
    std::string exeName = MbToUpper(names.baseName);
    std::string title = WindowText(hWnd);
    if (title.empty()) return;
    LeaveOut(hWnd, std::move(title), std::move(exeName), WindowState::Hidden);
}

void CWindowListBuilder::LeaveOut(HWND hWnd, std::string title, std::string exeName, WindowState state) {
    if (m_leftOut) m_leftOut->push_back({ToHandle(hWnd), std::move(title), std::move(exeName), state});
}

bool CWindowListBuilder::IsPasteTarget(HWND hWnd) {
    if (!::IsWindow(hWnd) || !::IsWindowVisible(hWnd) || IsOwnWindow(hWnd)) return false;
    const std::string title = WindowText(hWnd);
    if (title == "Program Manager" || title.empty()) return false;
    CProcessNames names = ProcessNamesOfWindow(hWnd, m_cache);
    if (names.baseName.empty()) return false;
    if (IsDisabled(hWnd)) return false;
    return HasVisibleArea(hWnd);
}

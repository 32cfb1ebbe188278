#include "ConditionTestSupport.h"

#include "WindowFinder.h"

#include <commctrl.h>

#include "platform/ListView.h"

using ListRows::FindRowByText;
using ListRows::HandleText;

namespace {

constexpr wchar_t kTargetClass[] = L"PvCondTarget";

// The client area as on screen, the children as plain boxes with their
// texts (Wine's PrintWindow leaves children and frame out).
void PrintClient(HWND hwnd, HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd, &client);
    HBRUSH brush = ::CreateSolidBrush(CChildTarget::kColor);
    ::FillRect(dc, &client, brush);
    ::DeleteObject(brush);
    ::SetBkMode(dc, TRANSPARENT);
    for (HWND child = ::GetWindow(hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child)) continue;
        RECT r{};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
        ::FillRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        wchar_t text[64] = {};
        ::GetWindowTextW(child, text, 64);
        ::DrawTextW(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// What PrintWindow asks for: a grey frame and the client area where it
// lies in the window.
LRESULT CALLBACK TargetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (msg == WM_PRINTCLIENT) {
        PrintClient(hwnd, dc);
        return 0;
    }
    if (msg == WM_PRINT) {
        RECT window{}, client{};
        ::GetWindowRect(hwnd, &window);
        ::GetClientRect(hwnd, &client);
        ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
        RECT all{0, 0, window.right - window.left, window.bottom - window.top};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
        POINT old{};
        ::OffsetViewportOrgEx(dc, client.left - window.left, client.top - window.top, &old);
        PrintClient(hwnd, dc);
        ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterTargetClass() {
    WNDCLASSW wc{};
    if (::GetClassInfoW(::GetModuleHandleW(nullptr), kTargetClass, &wc)) return;
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = ::CreateSolidBrush(CChildTarget::kColor);
    wc.lpszClassName = kTargetClass;
    ::RegisterClassW(&wc);
}

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id) {
    return ::CreateWindowExW(0, pvtest::Wide(cls).c_str(), pvtest::Wide(text).c_str(), WS_CHILD | style, x, y, w, h, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

CChildTarget::CChildTarget(const char* title, int x, int y, int width, int height) {
    RegisterTargetClass();
    m_hWnd = ::CreateWindowExW(0, kTargetClass, pvtest::Wide(title).c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width, height, nullptr,
                               nullptr, ::GetModuleHandleW(nullptr), nullptr);
    m_edit = Child(m_hWnd, "Edit", "alpha", WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 20, 20, 200, 24, kEditId);
    m_first = Child(m_hWnd, "Button", "一番", WS_VISIBLE | BS_PUSHBUTTON, 20, 60, 90, 28, 0);
    m_second = Child(m_hWnd, "Button", "二番", WS_VISIBLE | BS_PUSHBUTTON, 130, 60, 90, 28, 0);
    Child(m_hWnd, "Static", "隠れた子", 0, 20, 100, 90, 20, 201);
    Child(m_hWnd, "Button", "無効の子", WS_VISIBLE | WS_DISABLED | BS_PUSHBUTTON, 130, 100, 90, 28, 202);
    Child(m_hWnd, "Static", "", WS_VISIBLE, 20, 140, 90, 20, 203);
    wintest::Pump(40);
}

CChildTarget::~CChildTarget() {
    if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

void CChildTarget::SetEditText(const char* text) { ::SetWindowTextW(m_edit, pvtest::Wide(text).c_str()); }

HWND FindMessageBox(std::string* text) {
    const HWND box = pvtest::FindWindowOf(
        {.thread = ::GetCurrentThreadId(), .test = [](HWND h) { return pvtest::IsMessageBox(h); }});
    if (box && text) *text = ItemText(box, 0xFFFF);
    return box;
}

HWND FindThreadDialog(const char* caption) {
    return pvtest::FindWindowOf({.thread = ::GetCurrentThreadId(), .caption = caption});
}

void CancelOtherDialogs(HWND keep) {
    for (HWND dialog : pvtest::FindWindowsOf(
             {.thread = ::GetCurrentThreadId(), .className = pvtest::kDialogClass, .except = keep}))
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

void ClickListRow(HWND dialog, int listId, int row) {
    HWND list = ::GetDlgItem(dialog, listId);
    ListRows::MarkRow(list, row);
    NMITEMACTIVATE click{};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = static_cast<UINT_PTR>(listId);
    click.hdr.code = NM_CLICK;
    click.iItem = row;
    ::SendMessageA(dialog, WM_NOTIFY, listId, reinterpret_cast<LPARAM>(&click));
}

void ClickListNowhere(HWND dialog, int listId) {
    HWND list = ::GetDlgItem(dialog, listId);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetSelectionMark(list, -1);
    NMITEMACTIVATE click{};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = static_cast<UINT_PTR>(listId);
    click.hdr.code = NM_CLICK;
    click.iItem = -1;
    ::SendMessageA(dialog, WM_NOTIFY, listId, reinterpret_cast<LPARAM>(&click));
}

void PressButton(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

bool IsChecked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

std::string ItemText(HWND dialog, int id) {
    return id == -1 ? pvtest::WindowTextOf(dialog) : pvtest::ItemText(dialog, id);
}

std::string Cell(HWND list, int row, int column) { return ListRows::CellText(list, row, column); }

#include "app/MossrelDlg.h"

#include "app/AboutDlg.h"
#include "collections/SearchPanelPlace.h"
#include "controller/ExtensionRequest.h"
#include "controller/WindowList.h"
#include "data/Trace.h"
#include "platform/AppPaths.h"
#include "app/StartupData.h"
#include "dialogs/HotKeyExCtrl.h"
#include "platform/RuntimeDll.h"
#include "platform/WindowText.h"
#include "platform/DwmApi.h"
#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "platform/WinConvert.h"
#include "res/resource.h"
#include "platform/WinText.h"

#include <cstdio>

namespace {
constexpr const char* kProductTip = "Pinvane[FREE版]";

// Lets lower-privileged senders (the extension utility) reach us.
void AllowMessage(UINT msg) {
    using ChangeFilterFn = BOOL(WINAPI*)(UINT, DWORD);
    auto fn = CRuntimeDll::FindLoaded<ChangeFilterFn>("user32.dll", "ChangeWindowMessageFilter");
    if (fn) fn(msg, 1 /* MSGFLT_ADD */);
}
}  // namespace

CMossrelDlg::CMossrelDlg()
    : CDialog(IDD_MOSSREL_DIALOG),
      m_dataPath(AppFile(kDataFileName)),
      m_propatyPath(AppFile(kPropatyFileName)),
      m_presetPath(AppFile(kPresetFileName)),
      m_pendingPath(AppFile(kPendingFileName)) {
    m_hIcon = static_cast<HICON>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                              0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

CMossrelDlg::~CMossrelDlg() = default;

void CMossrelDlg::CreateMainPanel() {
    if (!m_control.Create(GetHwnd())) return;
    // Notes never go onto this program's own windows, by whatever name the
    // program was started.
    m_control.SetOwnProcess(::GetCurrentProcessId());
    RECT pos{3, 40, 0, 0};
    ::MapDialogRect(GetHwnd(), &pos);
    ::SetWindowPos(m_control.GetHwnd(), nullptr, pos.left, pos.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    m_control.SetPresetPath(m_presetPath);
    m_control.SetPropatyPath(m_propatyPath);
    CStartupData& startup = CStartupData::Instance();
    m_control.LoadNotes(m_dataPath, std::move(startup.Notes()), startup.DataRestored());
    startup.Notes().clear();
    ::ShowWindow(m_control.GetHwnd(), SW_SHOW);
}

// A save never takes the notes down one by one. An ending program or
// session: the file is complete once they are written, and the system
// removes the program's windows with it (destroying hundreds of note
// windows first only made the user wait, or a logoff cut the program off).
// A manual save: every note stays where it is, the one being edited keeps
// its caret and the focus.
bool CMossrelDlg::SaveNotesAsShown(bool reportFailure) { return m_control.SaveCurrentState(reportFailure); }

void CMossrelDlg::CreatePanels() {
    m_export.CreateHidden();
    m_import.CreateHidden();
    m_search.SetSource(&m_control);
    m_search.SetClosedHandler([this] { SearchPanelOff(); });
    m_search.CreateHidden(GetHwnd());
    if (m_pending.CreateHidden()) m_pending.Start(m_pendingPath, std::move(CStartupData::Instance().Pending()));
    if (m_trash.CreateHidden()) m_trash.Start(&m_control);
}

void CMossrelDlg::OnSearchBox() {
    m_searchBox = ::IsDlgButtonChecked(GetHwnd(), IDC_CHK_SEARCHPANEL) == BST_CHECKED ? 1 : 0;
    if (!m_searchBox) {
        ::ShowWindow(m_search.GetHwnd(), SW_HIDE);
        m_control.SetSearchSubscription(0, 0, nullptr);
        return;
    }
    PlaceSearchPanel();
    m_search.Open();
    ::ShowWindow(m_search.GetHwnd(), SW_SHOW);
}

void CMossrelDlg::SearchPanelOff() {
    m_searchBox = 0;
    ::CheckDlgButton(GetHwnd(), IDC_CHK_SEARCHPANEL, BST_UNCHECKED);
    m_control.SetSearchSubscription(0, 0, nullptr);
}

void CMossrelDlg::PlaceSearchPanel() {
    if (!m_search.GetHwnd()) return;
    RECT r{}, panel{};
    ::GetWindowRect(GetHwnd(), &r);
    ::GetWindowRect(m_search.GetHwnd(), &panel);
    const RECT f = CDwmApi::Instance().VisibleFrame(GetHwnd());
    const int h = panel.bottom - panel.top;
    // Above the visible frame, so that the panel hides neither the main
    // window's buttons nor its own check box; below it, or as close as the
    // screen allows, when the main window is too near the top.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoW(::MonitorFromWindow(GetHwnd(), MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const PvRect place = SearchPanelRect(ToPvRect(r), ToPvRect(f), h, ToPvRect(monitor.rcWork));
    ::SetWindowPos(m_search.GetHwnd(), nullptr, place.left, place.top, place.Width(), place.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CMossrelDlg::OnInitDialog() {
    m_msgTaskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    m_msgExtension = ::RegisterWindowMessageW(L"PinvaneExtentUtl");
    if (IsVistaOrLater()) {
        AllowMessage(m_msgTaskbarCreated);
        AllowMessage(m_msgExtension);
    }

    HMENU sys = ::GetSystemMenu(GetHwnd(), FALSE);
    const std::string about = LoadResourceString(IDS_ABOUTBOX);
    if (sys && !about.empty()) {
        ::AppendMenuW(sys, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(sys, MF_STRING, IDM_ABOUTBOX, WideOf(about).c_str());
    }
    ::SendMessageW(GetHwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageW(GetHwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    SetWindowTextOf(GetHwnd(), "Pinvane");
    m_control.SetReminderBalloon([this](const CReminderNotice& n) { m_tray.ShowBalloon(n.title, n.Text()); });
    m_control.SetNoticeBalloon([this](const std::string& title, const std::string& text) {
        return m_tray.ShowBalloon(title, text);
    });
    CreateMainPanel();
    m_writeMsg.Create();
    CreatePanels();

    const int buttonIds[4] = {IDC_BTN_EXPORTSTACK, IDC_BTN_INPORTSTACK, IDC_BTN_PENDING, IDC_BTN_TRASH};
    for (int i = 0; i < 4; ++i) m_buttons[i].Attach(GetItem(buttonIds[i]));

    // Centred first, so that a restored window has a sensible place.
    RECT r{}, work{};
    ::GetWindowRect(GetHwnd(), &r);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ::SetWindowPos(GetHwnd(), nullptr, (work.left + work.right - (r.right - r.left)) / 2,
                   (work.top + work.bottom - (r.bottom - r.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    UpdateTrayTip();
    m_tray.Add();
    SetPanelVisible(0);

    m_composition = CDwmApi::Instance().IsCompositionEnabled() ? 1 : 0;
    ComputeGlassMargins();
    ApplyGlass();
    for (CMFCButtonEx& button : m_buttons) button.Redraw();
    ::SetTimer(GetHwnd(), TIMER_TRAY, 1000, nullptr);
    return TRUE;
}

void CMossrelDlg::UpdateTrayTip() {
    const CSettingsData& s = m_control.Settings();
    char tip[128];
    std::snprintf(tip, sizeof tip, "%s\r\nWindowに貼付け[%s]", kProductTip,
                  HotkeyDisplayText(s.HK_PAST_MODIFIERS, s.HK_PAST_KEY).c_str());
    m_tray.UpdateTip(GetHwnd(), m_hIcon, WM_PV_TRAYNOTIFY, tip);
}

void CMossrelDlg::OnCopyData(const COPYDATASTRUCT* data) {
    Trace("RECIEVE WM_COPYDATA\n");
    if (!data) return;
    Trace("RECIEVE WM_COPYDATA size=%d\n", static_cast<int>(data->cbData));
    CExtensionRequest request;
    switch (ParseExtensionRequest(data->lpData, data->cbData, &request)) {
    case ExtensionParse::Ok:
        m_control.PasteFromExtension(request);
        break;
    case ExtensionParse::TooShort:
        Trace("WM_COPYDATA ignored: %d bytes is shorter than a paste request\n", static_cast<int>(data->cbData));
        break;
    case ExtensionParse::WrongHeader:
        break;
    }
}

void CMossrelDlg::ComputeGlassMargins() {
    RECT client{}, panel{};
    ::GetClientRect(GetHwnd(), &client);
    ::MapWindowPoints(GetHwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (!m_control.GetHwnd() || !::GetWindowRect(m_control.GetHwnd(), &panel)) return;
    m_glass.cxLeftWidth = panel.left - client.left;
    m_glass.cxRightWidth = client.right - panel.right;
    m_glass.cyTopHeight = panel.top - client.top;
    m_glass.cyBottomHeight = client.bottom - panel.bottom;
}

void CMossrelDlg::ApplyGlass() {
    HWND check = GetItem(IDC_CHK_SEARCHPANEL);
    if (m_composition) {
        CDwmApi::Instance().ExtendFrameIntoClientArea(GetHwnd(), m_glass);
        if (!m_searchCheck.IsAttached()) m_searchCheck.Attach(check);
    } else if (m_searchCheck.IsAttached()) {
        m_searchCheck.Detach();
    }
    ::InvalidateRect(GetHwnd(), nullptr, TRUE);
}

bool CMossrelDlg::SaveWithWritingWindow(bool reportFailure) {
    return WithWritingWindow(&CMossrelDlg::SaveNotesAsShown, reportFailure, false);
}

bool CMossrelDlg::SaveForEnding(bool reportFailure, bool holdResult) {
    return WithWritingWindow(&CMossrelDlg::SaveNotesAsShown, reportFailure, holdResult);
}

bool CMossrelDlg::WithWritingWindow(bool (CMossrelDlg::*save)(bool), bool reportFailure, bool holdResult) {
    m_writeMsg.SetText("Pinvane：書き込み中！");
    m_writeMsg.Show();
    m_writeMsg.DispatchOwnMessages();
    const bool saved = (this->*save)(reportFailure);
    m_writeMsg.SetText(saved ? "Pinvane：書き込み完了！" : "Pinvane：書き込み失敗！");
    m_writeMsg.DispatchOwnMessages();
    m_resultShownAt = ::GetTickCount64();
    if (!holdResult) CloseWritingWindow();
    return saved;
}

void CMossrelDlg::CloseWritingWindow() {
    if (m_resultShownAt == 0) return;
    // The result stays readable for 100 ms; time spent meanwhile counts.
    constexpr ULONGLONG kResultShownMs = 100;
    const ULONGLONG shown = ::GetTickCount64() - m_resultShownAt;
    if (shown < kResultShownMs) ::Sleep(static_cast<DWORD>(kResultShownMs - shown));
    m_resultShownAt = 0;
    m_writeMsg.Hide();
}

void CMossrelDlg::PaintMinimised() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(GetHwnd(), &ps);
    RECT client{};
    ::GetClientRect(GetHwnd(), &client);
    const int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
    ::DrawIcon(dc, (client.right - cx + 1) / 2, (client.bottom - cy + 1) / 2, m_hIcon);
    ::EndPaint(GetHwnd(), &ps);
}

void CMossrelDlg::SetPanelVisible(int visible) {
    m_panelVisible = visible;
    ::ShowWindow(GetHwnd(), visible ? SW_SHOWNORMAL : SW_HIDE);
    if (!visible && m_search.GetHwnd()) {
        ::ShowWindow(m_search.GetHwnd(), SW_HIDE);
        SearchPanelOff();
    }
}

void CMossrelDlg::ShowMainPanel() {
    if (!m_panelVisible) {
        RECT r{};
        ::GetWindowRect(GetHwnd(), &r);
        RECT f = CDwmApi::Instance().VisibleFrame(GetHwnd());
        RECT work{};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        int fw = f.right - f.left, fh = f.bottom - f.top;
        int rw = r.right - r.left, rh = r.bottom - r.top;
        int x = work.right - fw + (fw - rw) / 2;
        int y = work.bottom - fh + (fh - rh) / 2;
        ::SetWindowPos(GetHwnd(), HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
        SetPanelVisible(1);
    }
    if (::IsIconic(GetHwnd())) ::ShowWindow(GetHwnd(), SW_RESTORE);
    ::SetForegroundWindow(GetHwnd());
}

bool CMossrelDlg::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case ID_TRAY_EXIT:
        Exit();
        return true;
    case ID_TRAY_MAINPANEL:
        ShowMainPanel();
        return true;
    case ID_TRAY_PASTE_SELECTED: {
        std::vector<CWinInf> windows = m_control.WindowList();
        if (!windows.empty() && windows.front().exeName == kDesktopName) windows.erase(windows.begin());
        CWinInf chosen;
        if (m_control.ChooseWindow(windows, &chosen)) m_control.PasteToSelectedWindow(chosen);
        return true;
    }
    case ID_TRAY_PASTE_DESKTOP:
        m_control.PasteToDesktop();
        return true;
    case ID_TRAY_PENDING:
    case IDC_BTN_PENDING:
        m_pending.ShowPanel();
        return true;
    case ID_TRAY_TRASH:
    case IDC_BTN_TRASH:
        m_trash.ShowPanel();
        return true;
    case ID_TRAY_EXPORTSTACK:
    case IDC_BTN_EXPORTSTACK:
        m_export.ShowPanel();
        return true;
    case ID_TRAY_INPORTSTACK:
    case IDC_BTN_INPORTSTACK:
        m_import.ShowPanel();
        return true;
    case IDC_CHK_SEARCHPANEL:
        OnSearchBox();
        return true;
    case ID_TRAY_SAVE:
        SaveWithWritingWindow();
        return true;
    case IDOK:
    case IDCANCEL:
        SetPanelVisible(0);
        return true;
    default:
        return CDialog::OnCommand(id, code, control);
    }
}

void CMossrelDlg::Exit() {
    SetPanelVisible(0);
    // Through the end-of-session handler: ending from the tray and ending
    // with the session save the notes on one path (writing window included).
    m_exiting = true;
    ::SendMessageW(GetHwnd(), WM_ENDSESSION, TRUE, 0);
    m_exiting = false;
    // Quitting now would lose every change since the last good save: the
    // user decides, and the notes stay as they are unless Yes.
    if (!m_lastSaveOk) {
        CloseWritingWindow();
        if (!AskYesNo(GetHwnd(), "付箋を保存できませんでした。保存せずに終了しますか？")) return;
    }
    // The writing window keeps its result up while the program ends.
    EndDialog(IDOK);
}

bool CMossrelDlg::OnExtensionQuery(WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (wParam) {
    case 0: {
        HWND sender = reinterpret_cast<HWND>(lParam);
        Trace("RECIEVE QUERY_WINDOWHANDLE from=0x%08x\n", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(sender)));
        m_extensionReply.Send(sender, m_msgExtension, GetHwnd());
        result = 0;
        return true;
    }
    case 2:
        result = m_control.IsPasteTarget(reinterpret_cast<HWND>(lParam)) ? 1 : 0;
        return true;
    case 3:
        result = 0;
        return true;
    default:
        return false;
    }
}

void CMossrelDlg::OnTrayNotify(LPARAM mouseMessage) {
    switch (mouseMessage) {
    case WM_LBUTTONDBLCLK:
        ShowMainPanel();
        break;
    case WM_RBUTTONUP:
        ShowTrayMenu();
        break;
    case NIN_BALLOONUSERCLICK:
        // A reminder's balloon: the main panel with that note's row marked.
        ShowMainPanel();
        m_control.ShowReminderNote();
        break;
    default:
        break;
    }
}

void CMossrelDlg::ShowTrayMenu() {
    // The menu closes properly on a click elsewhere only when our window is
    // in the foreground while it tracks.
    ::SetForegroundWindow(GetHwnd());
    POINT pt{};
    ::GetCursorPos(&pt);
    HMENU menu = ::LoadMenuW(AppInstance(), MAKEINTRESOURCEW(IDR_TRAY_MENU));
    if (!menu) return;
    HMENU popup = ::GetSubMenu(menu, 0);
    if (popup) ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, pt.x, pt.y, 0, GetHwnd(), nullptr);
    ::DestroyMenu(menu);
}

bool CMossrelDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == m_msgExtension && m_msgExtension != 0) return OnExtensionQuery(wParam, lParam, result);
    if (msg == m_msgTaskbarCreated && m_msgTaskbarCreated != 0) {
        m_tray.Add();
        return false;
    }
    switch (msg) {
    case WM_PV_TRAYNOTIFY:
        if (lParam == WM_LBUTTONDOWN || lParam == WM_RBUTTONDOWN) {
            result = 0;
            return true;
        }
        if (lParam == WM_LBUTTONDBLCLK || lParam == WM_RBUTTONUP || lParam == NIN_BALLOONUSERCLICK) {
            OnTrayNotify(lParam);
            result = 0;
            return true;
        }
        return false;
    case WM_TIMER:
        if (wParam == TIMER_TRAY) {
            UpdateTrayTip();
            if (!m_tray.Modify()) m_tray.Add();
            // What the start had to tell waited for the icon; a balloon
            // given at once with the new icon was not always shown.
            m_control.ShowPendingNotice();
            return true;
        }
        return false;
    case WM_WINDOWPOSCHANGING: {
        // The dialog manager shows a modal dialog by itself: keep the
        // window as the program wants it.
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (m_panelVisible) pos->flags |= SWP_SHOWWINDOW;
        else pos->flags &= ~SWP_SHOWWINDOW;
        return false;
    }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
            CAboutDlg about(ReadVersionText());
            about.DoModal(GetHwnd());
            result = 0;
            return true;
        }
        return false;
    case WM_DISPLAYCHANGE:
        // Monitors added, removed or resized: no note stays out of reach.
        m_control.RescueOffScreenNotes();
        return false;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETWORKAREA) m_control.RescueOffScreenNotes();
        return false;
    case WM_DWMCOMPOSITIONCHANGED:
        m_composition = CDwmApi::Instance().IsCompositionEnabled() ? 1 : 0;
        ApplyGlass();
        return false;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (!m_composition) return false;
        // Over the glass every control draws on black, which the frame shows through.
        ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        result = reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH));
        return true;
    case WM_PAINT:
        if (!::IsIconic(GetHwnd())) return false;
        PaintMinimised();
        return true;
    case WM_MOVE:
        // The search panel follows the main window.
        PlaceSearchPanel();
        return false;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(m_hIcon);
        return true;
    case WM_COPYDATA:
        OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        return false;
    case WM_QUERYENDSESSION:
        // The session may end without time for more: the data file is
        // written now, from the notes as they are, before anything is
        // destroyed. Default processing lets the session end.
        m_control.SaveCurrentState(false);
        return false;
    case WM_ENDSESSION:
        // Ending (wParam) or logging off (bit 31 of lParam): save every note.
        // A real logoff cannot wait for a message box: it writes what it can
        // (a failed write leaves the old file and its backups as they were).
        if (wParam || (static_cast<DWORD>(lParam) & 0x80000000u)) m_lastSaveOk = SaveForEnding(m_exiting, m_exiting);
        result = 0;
        return true;
    case WM_DESTROY:
        ::KillTimer(GetHwnd(), TIMER_TRAY);
        m_searchCheck.Detach();
        m_export.DestroyWindow();
        m_import.DestroyWindow();
        m_search.DestroyWindow();
        m_pending.DestroyWindow();
        m_trash.Start(nullptr);
        m_trash.DestroyWindow();
        m_tray.Remove();
        // Last: an ending program's result text stays up while it ends.
        CloseWritingWindow();
        m_writeMsg.DestroyWindow();
        return false;
    default:
        return false;
    }
}

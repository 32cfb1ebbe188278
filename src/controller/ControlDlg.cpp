#include "controller/ControlDlg.h"

#include "data/PreSetFile.h"
#include "data/RecordDefaults.h"
#include "data/Trace.h"
#include "res/resource.h"

namespace {

constexpr UINT kFirstTickDelay = 100;
constexpr UINT kAutoSavePeriod = 10000;

}  // namespace

CControlDlg::CControlDlg() : CDialog(IDD_CONTROL_PANEL) { CNotifyBridge::SetControl(this); }

CControlDlg::~CControlDlg() {
    if (CNotifyBridge::Control() == this) CNotifyBridge::SetControl(nullptr);
    if (m_panelBrush) ::DeleteObject(m_panelBrush);
    if (m_countBrush) ::DeleteObject(m_countBrush);
}

BOOL CControlDlg::OnInitDialog() {
    m_panelBrush = ::CreateSolidBrush(RGB(230, 230, 230));
    m_countBrush = ::CreateSolidBrush(RGB(240, 240, 200));
    const int buttonIds[14] = {IDC_PANEL_DELETE,       IDC_PANEL_DELETEALL,    IDC_PANEL_EXPORT,  IDC_PANEL_REPASTE,
                               IDC_PANEL_PENDING,      IDC_PANEL_MATCHCOND,    IDC_PANEL_CENTERWINDOW,
                               IDC_PANEL_CENTERMONITOR, IDC_PANEL_EDITTEXT,    IDC_PANEL_PRESET,  IDC_PANEL_DEFAULTS,
                               IDC_PANEL_PROPATY,      IDC_PANEL_HIDDEN1,      IDC_PANEL_HIDDEN2};
    for (int i = 0; i < 14; ++i) {
        m_buttons[i].Attach(GetItem(buttonIds[i]));
        m_buttons[i].SetHandCursor(true);
        m_buttons[i].SetMenuFont(true);
    }
    m_list.Attach(GetItem(IDC_PANEL_LIST), [this](int index, CNoteListView::Row* row) { return NoteRow(index, row); });
    m_list.SetImageList(m_icons.ImageList());
    m_rowTip.Attach(m_list.Hwnd(), [this](int row) { return MatchTip(row); });
    ::CheckRadioButton(GetHwnd(), IDC_PANEL_MODE_TITLE, IDC_PANEL_MODE_TEXT, IDC_PANEL_MODE_TITLE);
    ::EnableWindow(GetItem(IDC_PANEL_CENTERWINDOW), FALSE);
    ::EnableWindow(GetItem(IDC_PANEL_CENTERMONITOR), FALSE);
    RefreshNoteList();
    return TRUE;
}

bool CControlDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_TIMER:
        if (wParam == TIMER_MATCH) {
            MatchTick();
            return true;
        }
        if (wParam == TIMER_HOTKEY_RELEASE) {
            PollHotkeys();
            return true;
        }
        if (wParam == TIMER_AUTOSAVE) {
            AutoSave();
            return true;
        }
        return false;
    case WM_PV_FOLDERCHANGED:
        OnFolderChanged();
        return true;
    case WM_PV_TARGETMOVED:
        m_targetWatch.Acknowledge();
        FollowTick();
        return true;
    case WM_HOTKEY:
        OnHotkey(static_cast<int>(wParam));
        return false;
    case WM_DESTROY:
        OnDestroy();
        return false;
    case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr->idFrom == IDC_PANEL_LIST && hdr->code == LVN_GETDISPINFOW) {
            m_list.OnGetDispInfo(reinterpret_cast<NMLVDISPINFOW*>(lParam));
            return true;
        }
        if (hdr->idFrom == IDC_PANEL_LIST && hdr->code == NM_CLICK) {
            int mark = m_list.SelectionMark();
            if (mark >= 0) SelectNoteRow(mark);
        }
        return false;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return OnPanelColor(msg, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), result);
    default:
        return false;
    }
}

void CControlDlg::OnDestroy() {
    Trace("CControlDlg::DestroyWindow() \n");
    ::UnregisterHotKey(GetHwnd(), HOTKEY_PASTE_WINDOW);
    ::UnregisterHotKey(GetHwnd(), HOTKEY_PASTE_DESKTOP);
    ::KillTimer(GetHwnd(), TIMER_MATCH);
    ::KillTimer(GetHwnd(), TIMER_HOTKEY_RELEASE);
    m_targetWatch.Stop();
    m_folderWatch.Stop();
    ::KillTimer(GetHwnd(), TIMER_AUTOSAVE);
}

void CControlDlg::SetProcessCacheEnabled(bool on) {
    m_useProcessCache = on;
    if (!on) m_processCache.Clear();
}

// ---------------------------------------------------------------- start-up

void CControlDlg::SetPresetPath(const std::string& path) {
    m_presetPath = path;
    m_presets.clear();
    PreSetReadFile(path, m_presets);
}

void CControlDlg::SetPropatyPath(const std::string& path) {
    m_propatyPath = path;
    PropatyReadFile(path, m_settings, m_default);
    CRecordDefaults::SetArrowLineWidth(m_settings.ARROWLINEWIDTH);
    // The template was built before the settings were read.
    m_default.ARLINEWIDTH = m_settings.ARROWLINEWIDTH;
    RegisterHotkeys(true);
}

void CControlDlg::LoadNotes(const std::string& dataPath, std::vector<CTackletData> notes, bool restored) {
    m_notes.Assign(std::move(notes));
    m_loaded = 1;
    // What is on disk already needs no autosave; a file restored from its
    // backup is written at the first one.
    m_saver.Start(dataPath, m_notes.Items(), m_settings.FORMAT, restored);
    LoadTrash(dataPath);
    StartFolderWatch();
    RefreshNoteList();
    if (GetHwnd()) {
        ::SetTimer(GetHwnd(), TIMER_MATCH, kFirstTickDelay, nullptr);
        // A hotkey that came before the notes were loaded is polled from now on.
        if (m_windowLatch.Armed() || m_desktopLatch.Armed()) StartReleasePolling();
        ::SetTimer(GetHwnd(), TIMER_AUTOSAVE, kAutoSavePeriod, nullptr);
    }
}

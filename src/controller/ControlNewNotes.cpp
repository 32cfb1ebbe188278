// New notes: pasted on a window, on the desktop or for the extension
// utility, added from the collections, and re-targeted to a chosen window.
#include "controller/ControlDlg.h"

#include "data/RecordList.h"
#include "controller/ExtensionRequest.h"
#include "data/MbString.h"
#include "data/NoteFields.h"
#include "data/Trace.h"
#include "data/ValueBounds.h"
#include "platform/Dpi.h"
#include "platform/WinConvert.h"
#include "platform/WindowText.h"
#include "res/resource.h"
#include "winsel/WindowSelDlg.h"

PvRect CControlDlg::InitialRectAt(POINT centre) const {
    // The initial size is set at 96 DPI: scaled to the monitor under the point.
    const UINT dpi = DpiAtPoint(centre);
    return RectCentredOn(centre.x, centre.y, ScaleForDpi(m_settings.INIWIDTH, dpi),
                         ScaleForDpi(m_settings.INIHEIGHT, dpi));
}

CTackletData CControlDlg::NewRecord() const {
    CTackletData record;
    CopyNoteFields(record, m_default, NoteField::kNewNote);
    return record;
}

void CControlDlg::InsertAtHead(CTackletData record) {
    m_notes.InsertAtHead(std::move(record));
    NotesChanged();
}

void CControlDlg::PasteToWindow(HWND hWnd) {
    if (!IsPasteTarget(hWnd)) return;
    CProcessNames names = ProcessNamesOfWindow(hWnd, m_useProcessCache ? &m_processCache : nullptr);
    CTackletData record = NewRecord();
    record.TITLE = WindowText(hWnd);
    record.EXENAME = MbToUpper(names.baseName);
    record.EXEPATH = names.path;
    ApplyPreset(record, hWnd);

    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    POINT cursor{};
    if (::GetCursorPos(&cursor) && ::PtInRect(&rect, cursor)) {
        record.SetNoteRect(InitialRectAt(cursor));
        record.SetTargetRect(ToPvRect(rect));
    }
    InsertAtHead(std::move(record));
}

void CControlDlg::PasteToDesktop() {
    CTackletData record = NewRecord();
    record.TITLE = kDesktopName;
    record.EXENAME = kDesktopName;
    record.EXEPATH = kDesktopName;
    InsertAtHead(std::move(record));
}

void CControlDlg::PasteToSelectedWindow(const CWinInf& entry) {
    CTackletData record = NewRecord();
    record.TITLE = entry.title;
    record.EXENAME = entry.exeName;
    record.EXEPATH = entry.exePath;
    ApplyPreset(record, ToHwnd(entry.hWnd));
    InsertAtHead(std::move(record));
}

void CControlDlg::PasteFromExtension(const CExtensionRequest& request) {
    HWND target = ToHwnd(request.target);
    const unsigned traced = static_cast<unsigned>(request.target);
    // Any program can send the request: a flood is cut off, and a request
    // naming something that may not carry a note (no window, a hidden or
    // disabled one, one of ours) would only make a note that never shows.
    if (!m_extensionPastes.Admit(::GetTickCount64())) {
        Trace("CControlDlg::PasteFromExtension() dropped: too many requests (0x%08x)\n", traced);
        return;
    }
    const bool desktop = target == ::GetDesktopWindow();
    if (!desktop && !IsPasteTarget(target)) {
        Trace("CControlDlg::PasteFromExtension() refused: 0x%08x cannot carry a note\n", traced);
        return;
    }
    CTackletData record = NewRecord();
    if (desktop) {
        record.TITLE = kDesktopName;
        record.EXENAME = kDesktopName;
        record.EXEPATH = kDesktopName;
    } else {
        CProcessNames names = ProcessNamesOfWindow(target, m_useProcessCache ? &m_processCache : nullptr);
        record.TITLE = WindowText(target);
        record.EXENAME = MbToUpper(names.baseName);
        record.EXEPATH = names.path;
    }
    record.COLOR = request.COLOR;
    record.PICKPOS = request.PICKPOS;
    record.BKCOLOR = request.BKCOLOR;
    record.TXCOLOR = request.TXCOLOR;
    record.m_logFont = request.font;
    record.GRAFLG = request.GRAFLG;
    record.GRAPTN = request.GRAPTN;
    record.SetNoteRect(InitialRectAt(POINT{request.x, request.y}));
    RECT rect{};
    if (::GetWindowRect(target, &rect)) record.SetTargetRect(ToPvRect(rect));
    if (!desktop) ApplyPreset(record, target);
    // The request comes from another program: its numbers are bounded.
    BoundRecord(record);
    InsertAtHead(std::move(record));
}

// A record from a collection carries no live note window: the active note
// made from it gets a window of its own when it attaches.
void CControlDlg::AddNote(const CTackletData& record) { InsertAtHead(WithoutWindow(record)); }

void CControlDlg::AddNotes(const std::vector<CTackletData>& records) {
    if (records.empty()) return;
    for (const CTackletData& record : records) m_notes.InsertAtHead(WithoutWindow(record));
    RefreshNoteList();
    SaveOnChange();
}

void CControlDlg::RepasteToWindow(CTackletData record, const CWinInf& chosen) {
    record = WithoutWindow(std::move(record));
    RetargetToChosen(record, chosen);
    AddNote(record);
}

void CControlDlg::RetargetToChosen(CTackletData& note, const CWinInf& chosen) {
    HWND target = ToHwnd(chosen.hWnd);
    RECT rect{};
    ::GetWindowRect(target, &rect);
    Retarget(note, rect, chosen.title, chosen.exeName, chosen.exePath);
    ApplyPreset(note, target);
    note.m_arrow.ARWFLAG = 0;
}

bool CControlDlg::ChooseWindow(const std::vector<CWinInf>& windows, CWinInf* chosen, HWND owner) {
    CWindowSelDlg dialog;
    dialog.SetWindowList(windows);
    if (dialog.DoModal(owner ? owner : GetHwnd()) != IDOK) return false;
    *chosen = dialog.GetSelectedWindow();
    return true;
}

bool CControlDlg::RepasteToSelectedWindow(const CTackletData& record, HWND owner) {
    CWinInf chosen;
    if (!ChooseWindow(m_windowList, &chosen, owner)) return false;
    RepasteToWindow(record, chosen);
    return true;
}

void CControlDlg::ApplyPreset(CTackletData& record, HWND hWnd) {
    const CPreSetCondData* preset = nullptr;
    for (const CPreSetCondData& p : m_presets) {
        if (p.EXENAME == record.EXENAME) {
            preset = &p;
            break;
        }
    }
    if (!preset) return;
    CWinInf window;
    window.hWnd = ToHandle(hWnd);
    window.EnumerateChildren();
    CChildWinInf child;
    if (!window.FindChild(preset->EXCLASS, preset->EXCTLID, &child)) return;
    record.TITLEFLAG = preset->TITLEFLAG;
    record.PRECESSEFLAG = preset->PROCESSFLAG;
    record.EXTENTFLAG = preset->EXTENTFLAG;
    record.EXTEXT = child.text;
    record.EXCLASS = preset->EXCLASS;
    record.EXCTLID = preset->EXCTLID;
}

void CControlDlg::Retarget(CTackletData& note, const RECT& target, const std::string& title,
                           const std::string& exeName, const std::string& exePath) {
    if (note.m_bAttached == 1) note.EndTacklet();
    RetargetRecord(note, ToPvRect(target), title, exeName, exePath, m_default);
}

#include "data/TackletData.h"

#include "data/CodePage.h"
#include "data/MbString.h"
#include "data/NoteFields.h"
#include "data/RecordDefaults.h"
#include "data/TackletWindow.h"

namespace {

// A note window's text as the record keeps it: at most kMaxWindowText
// bytes in the code page, never cut inside a character.
std::string WindowBody(const std::string& text) {
    return text.substr(0, TextFitCodePageBytes(text, CTackletData::kMaxWindowText));
}

// Coordinates read from a file may be anything; the arithmetic on them
// wraps like the 32-bit window system's instead of overflowing.
std::int32_t Wrap(std::int64_t value) { return static_cast<std::int32_t>(value); }

std::int32_t Mid(std::int32_t a, std::int32_t b) { return Wrap((static_cast<std::int64_t>(a) + b) / 2); }

}  // namespace

CTackletData::CTackletData()
    : m_logFont(CRecordDefaults::DefaultFont()), ARLINEWIDTH(CRecordDefaults::ArrowLineWidth()) {}

std::int32_t CTackletData::ClampTransparent(std::int32_t value) {
    if (value < kMinTransparent) return kMinTransparent;
    if (value > kMaxTransparent) return kMaxTransparent;
    return value;
}

void CTackletData::StartTacklet(PvHandle hWnd) {
    IWindowSystem* system = TackletWindowSystem();
    if (m_bAttached == 1 || system == nullptr || !system->IsWindow(hWnd)) return;
    m_bAttached = 1;
    hTargetWnd = hWnd;
    m_pWin = system->CreateTackletWindow(hWnd);
    if (m_pWin == nullptr) return;  // attached without a window until detached
    m_pWin->BeginStart();
    m_pWin->SetTarget(EXENAME == kDesktopName, hWnd);
    HandOverValues();
    PlaceWindow();
    m_pWin->SetTargetRect(TargetRect());
    m_pWin->SetArrow(m_arrow, ARLINEWIDTH);
    m_pWin->CompleteStart();
}

// Each setter repaints with what it has so far: the order is fixed.
void CTackletData::HandOverValues() {
    m_pWin->SetText(TEXT);
    m_pWin->SetReadOnly(READONLY);
    m_pWin->SetBkTransparent(BKTRANSPARENT);
    m_pWin->SetTransparent(TRANSPARENT_);
    m_pWin->SetMouseHideCtl(MOUSEHIDECTL);
    m_pWin->SetColor(COLOR);
    m_pWin->SetFrame(FRAME);
    m_pWin->SetPickPos(PICKPOS);
    m_pWin->SetBkColor(BKCOLOR);
    m_pWin->SetTxColor(TXCOLOR);
    m_pWin->SetGradient(GRAFLG, GRAPTN);
    m_pWin->SetEditFont(m_logFont);
    m_pWin->SetReserve(m_reserve);
}

// A note without a position yet keeps its top-left corner, takes the
// initial size and is centred over its owner within the owner's monitor
// work area; otherwise it goes where the record says.
void CTackletData::PlaceWindow() {
    if (REC_LEFT != REC_RIGHT) {
        m_pWin->MoveWindow(REC_LEFT, REC_TOP, Wrap(std::int64_t{REC_RIGHT} - REC_LEFT),
                           Wrap(std::int64_t{REC_BOTTOM} - REC_TOP));
        return;
    }
    IWindowSystem* system = TackletWindowSystem();
    int width = 0;
    int height = 0;
    system->GetInitialNoteSize(&width, &height);
    const PvRect current = m_pWin->GetWindowRect();
    m_pWin->MoveWindow(current.left, current.top, width, height);

    PvRect owner;
    if (!system->GetWindowRect(hTargetWnd, &owner)) return;
    int left = Wrap(std::int64_t{Mid(owner.left, owner.right)} - width / 2);
    int top = Wrap(std::int64_t{Mid(owner.top, owner.bottom)} - height / 2);
    PvRect work;
    if (system->GetNearestMonitorWorkArea(owner, &work)) {
        if (std::int64_t{left} + width > work.right) left = Wrap(std::int64_t{work.right} - width);
        if (left < work.left) left = work.left;
        if (std::int64_t{top} + height > work.bottom) top = Wrap(std::int64_t{work.bottom} - height);
        if (top < work.top) top = work.top;
    }
    m_pWin->MoveWindow(left, top, width, height);
}

void CTackletData::Detach() {
    TouchAccessTime();
    EndTacklet();
}

void CTackletData::DetachCollected() {
    TouchAccessTime();
    EndTacklet(false);
}

void CTackletData::EndTacklet() { EndTacklet(true); }

void CTackletData::EndTacklet(bool collect) {
    if (m_bAttached != 1) return;
    m_bAttached = 0;
    if (m_pWin == nullptr) return;
    if (collect) CollectWindowState();
    m_pWin->Destroy();
    m_pWin = nullptr;
    m_bModified = 1;
    if (IWindowSystem* system = TackletWindowSystem()) system->NotifyUpdateWindow();
}

void CTackletData::CollectWindowState() {
    TEXT = WindowBody(m_pWin->GetText());
    SetNoteRect(m_pWin->GetRectWin());
    SetTargetRect(m_pWin->GetTargetRect());
    READONLY = m_pWin->IsReadOnly();
    BKTRANSPARENT = m_pWin->GetBkTransparent();
    TRANSPARENT_ = m_pWin->GetTransparent();
    MOUSEHIDECTL = m_pWin->GetMouseHideCtl();
    COLOR = m_pWin->GetColor();
    FRAME = m_pWin->HasFrame();
    PICKPOS = m_pWin->GetPickPos();
    BKCOLOR = m_pWin->GetBkColor();
    TXCOLOR = m_pWin->GetTxColor();
    GRAFLG = m_pWin->GetGraFlg();
    GRAPTN = m_pWin->GetGraPtn();
    m_logFont = m_pWin->GetEditFont();
    m_reserve = m_pWin->GetReserve();
    m_arrow = m_pWin->GetArrow();
    ARLINEWIDTH = m_pWin->GetArrowLineWidth();
}

void CTackletData::CopyWindow() {
    if (m_bAttached == 1 && m_pWin != nullptr) CollectWindowState();
}

void CTackletData::DetachCopy() {
    m_pWin = nullptr;
    m_bAttached = 0;
}

void CTackletData::CopyWindowForDuplicate() {
    NOTEID.clear();  // a duplicate is a note of its own
    m_derivedId = false;
    if (m_bAttached != 1 || m_pWin == nullptr) return;
    CollectWindowState();
    REC_LEFT = Wrap(std::int64_t{REC_LEFT} + 5);
    REC_TOP = Wrap(std::int64_t{REC_TOP} + 5);
    REC_RIGHT = Wrap(std::int64_t{REC_RIGHT} + 5);
    REC_BOTTOM = Wrap(std::int64_t{REC_BOTTOM} + 5);
    DetachCopy();
}

void CTackletData::CopyWindowForExport() {
    if (m_bAttached != 1 || m_pWin == nullptr) return;
    CollectWindowState();
    DetachCopy();
}

std::string CTackletData::GetText() const {
    if (m_bAttached == 1 && m_pWin != nullptr) return WindowBody(m_pWin->GetText());
    return TEXT;
}

void CTackletData::SetText(const std::string& text) {
    if (m_bAttached == 1 && m_pWin != nullptr) {
        m_pWin->SetText(text);
    } else {
        TEXT = text;
    }
}

void CTackletData::CenterOn(const PvRect& area) {
    const PvRect note = m_pWin->GetWindowRect();
    const int width = Wrap(std::int64_t{note.right} - note.left);
    const int height = Wrap(std::int64_t{note.bottom} - note.top);
    m_pWin->MoveWindow(Wrap(std::int64_t{Mid(area.left, area.right)} - width / 2),
                       Wrap(std::int64_t{Mid(area.top, area.bottom)} - height / 2), width, height);
}

void CTackletData::CenterOnTarget() {
    IWindowSystem* system = TackletWindowSystem();
    if (m_bAttached != 1 || m_pWin == nullptr || system == nullptr || !system->IsWindow(hTargetWnd)) return;
    PvRect target;
    if (system->GetWindowRect(hTargetWnd, &target)) CenterOn(target);
}

void CTackletData::CenterOnTargetMonitor() {
    IWindowSystem* system = TackletWindowSystem();
    if (m_bAttached != 1 || m_pWin == nullptr || system == nullptr || !system->IsWindow(hTargetWnd)) return;
    PvRect target;
    PvRect work;
    if (system->GetWindowRect(hTargetWnd, &target) && system->GetNearestMonitorWorkArea(target, &work)) {
        CenterOn(work);
    }
}

void CTackletData::TakeVersion(const CTackletData& other) {
    const PvRect target = TargetRect();
    const bool shown = m_bAttached == 1 && m_pWin != nullptr;
    VisitNoteFields([&](const NoteField&, auto get) { get(*this) = get(other); });
    m_storedFormat = other.m_storedFormat;
    m_storedDigits = other.m_storedDigits;
    m_derivedId = other.m_derivedId;
    m_bModified = 1;
    if (!shown) return;
    // Where the other PC had it relative to its target, here relative to
    // the target it is shown on.
    if (other.TGT_LEFT != other.TGT_RIGHT) {
        const std::int64_t dx = std::int64_t{target.left} - other.TGT_LEFT;
        const std::int64_t dy = std::int64_t{target.top} - other.TGT_TOP;
        REC_LEFT = Wrap(REC_LEFT + dx);
        REC_RIGHT = Wrap(REC_RIGHT + dx);
        REC_TOP = Wrap(REC_TOP + dy);
        REC_BOTTOM = Wrap(REC_BOTTOM + dy);
    }
    SetTargetRect(target);
    HandOverValues();
    PlaceWindow();
    m_pWin->SetTargetRect(TargetRect());
    m_pWin->SetArrow(m_arrow, ARLINEWIDTH);
}

// The matching tick and what follows from it: attaching and detaching
// notes, the off-screen rescue of notes just shown, and following the
// targets that moved.
#include "controller/ControlDlg.h"

#include "controller/ScreenRescue.h"
#include "data/TackletWindow.h"
#include "data/Trace.h"
#include "platform/Monitors.h"
#include "platform/WinConvert.h"
#include "platform/WindowPlace.h"
#include "res/resource.h"

#include <algorithm>
#include <exception>
#include <unordered_map>

namespace {
constexpr UINT kTickPeriod = 500;
}  // namespace

void CControlDlg::MatchTick() {
    // The next tick is due whatever happens in this one: a window that
    // makes it fail must not end matching and reminders for the run.
    if (GetHwnd()) ::SetTimer(GetHwnd(), TIMER_MATCH, kTickPeriod, nullptr);
    // A message box of this tick (a failed save) lets the timer fire again.
    if (m_inMatchTick) return;
    m_inMatchTick = true;
    struct Leave {
        bool& flag;
        ~Leave() { flag = false; }
    } leave{m_inMatchTick};
    Batch batch(*this);
    CWindowListBuilder builder(m_useProcessCache ? &m_processCache : nullptr, m_ownProcess);
    try {
        builder.Build(m_windowList, &m_leftOutWindows);
    } catch (const std::exception& e) {
        Trace("CControlDlg::MatchTick() window list: %s\n", e.what());
        return;
    }
    std::vector<std::size_t> shownNow;
    for (std::size_t i = 0; i < m_notes.Size(); ++i) {
        const bool was = m_notes[i].m_bAttached == 1;
        // One note's windows failing leaves the others matched.
        try {
            m_notes[i].MatchWindows(m_windowList);
        } catch (const std::exception& e) {
            Trace("CControlDlg::MatchTick() note %d: %s\n", static_cast<int>(i), e.what());
        }
        if (!was && m_notes[i].m_pWin) shownNow.push_back(i);
    }
    if (!shownNow.empty()) RescueNotes(shownNow);
    UpdateFollowWatch();
    CheckReminders(LocalMinuteNow());
}

void CControlDlg::RescueOffScreenNotes() {
    std::vector<std::size_t> rows(m_notes.Size());
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = i;
    RescueNotes(rows);
}

void CControlDlg::RescueNotes(const std::vector<std::size_t>& rows) {
    const std::vector<PvRect> areas = MonitorWorkAreas();
    bool moved = false;
    for (std::size_t i : rows) {
        CTackletData& note = m_notes[i];
        if (note.m_bAttached != 1 || !note.m_pWin) continue;
        // A note on a target that is off every monitor is never shown: the
        // tick takes it away with its target.
        const PvRect rect = note.m_pWin->GetWindowRect();
        const std::optional<PvRect> to = RescuedRect(rect, areas);
        if (!to) continue;
        Trace("CControlDlg::RescueNotes() %d,%d -> %d,%d\n", static_cast<int>(rect.left), static_cast<int>(rect.top),
              static_cast<int>(to->left), static_cast<int>(to->top));
        note.m_pWin->MoveWindow(to->left, to->top, to->Width(), to->Height());
        moved = true;
    }
    // One write for all the notes moved (nothing pumps messages above).
    if (moved) AutoSave();
}

namespace {
bool FollowsATarget(const CTackletData& note) {
    return note.m_bAttached == 1 && note.m_pWin && note.EXENAME != kDesktopName;
}
}  // namespace

void CControlDlg::UpdateFollowWatch() {
    if (!GetHwnd()) return;
    std::vector<HWND> targets;
    for (const CTackletData& note : m_notes.Items()) {
        if (!FollowsATarget(note)) continue;
        const HWND target = ToHwnd(note.hTargetWnd);
        if (std::find(targets.begin(), targets.end(), target) == targets.end()) targets.push_back(target);
    }
    m_targetWatch.Watch(GetHwnd(), WM_PV_TARGETMOVED, static_cast<UINT>(std::max(m_settings.POSINTERVAL, 0)),
                        std::move(targets));
}

void CControlDlg::FollowTick() {
    // Several notes usually share a target: its rectangle is read once.
    struct Seen {
        bool followable = false;
        PvRect rect{};
    };
    std::unordered_map<PvHandle, Seen> seen;
    for (CTackletData& note : m_notes.Items()) {
        if (!FollowsATarget(note)) continue;
        auto [it, first] = seen.try_emplace(note.hTargetWnd);
        if (first) {
            RECT r{};
            // Minimised or parked targets: their notes stay where they are.
            if (FollowableRect(ToHwnd(note.hTargetWnd), r)) {
                it->second.followable = true;
                it->second.rect = ToPvRect(r);
            }
        }
        if (it->second.followable) note.m_pWin->FollowTargetTo(it->second.rect);
    }
}

bool CControlDlg::IsPasteTarget(HWND hWnd) {
    CWindowListBuilder builder(m_useProcessCache ? &m_processCache : nullptr, m_ownProcess);
    return builder.IsPasteTarget(hWnd);
}

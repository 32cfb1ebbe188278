// Reminders: the matching tick finds the notes whose reminder is due, marks
// them fired, lets their ears blink and has the tray tell of them.
#include "controller/ControlDlg.h"

#include "data/TackletWindow.h"
#include "data/Trace.h"

void CControlDlg::CheckReminders(LocalMinute now) {
    if (!m_loaded) return;
    std::vector<std::size_t> fired;
    for (std::size_t i = 0; i < m_notes.Size(); ++i) {
        CTackletData& note = m_notes[i];
        // A shown note's window holds the reminder as last set.
        ITackletWindow* window = note.m_bAttached == 1 ? note.m_pWin : nullptr;
        CReserveData block = window ? window->GetReserve() : note.m_reserve;
        if (block.type == CReminderRule::kNone || !CReminderRule(block).IsDue(now)) continue;
        CReminderRule::MarkFired(block, now);
        note.m_reserve = block;
        if (window) {
            window->SetReserve(block);
            window->FlashEar();
        }
        Trace("CControlDlg::CheckReminders() item=%d type=%d\n", static_cast<int>(i), block.type);
        fired.push_back(i);
    }
    if (fired.empty()) return;

    const CTackletData& first = m_notes[fired.front()];
    const CReminderNotice notice = MakeReminderNotice(first, first.GetText(), static_cast<int>(fired.size()) - 1);
    m_reminderNote = m_notes.IdAt(fired.front());
    Trace("CControlDlg::ShowReminder() [%s][%s] more=%d\n", notice.firstLine.c_str(), notice.source.c_str(),
          static_cast<int>(fired.size()) - 1);
    if (m_showReminder) m_showReminder(notice);
    // One save for every reminder of this tick; the tick owes none after it.
    // (Last: a failure notice pumps messages.)
    if (AutoSave()) m_batch.Saved();
}

void CControlDlg::ShowReminderNote() {
    const int i = m_reminderNote ? m_notes.IndexOf(m_reminderNote) : -1;
    Trace("CControlDlg::ShowReminderNote() item=%d\n", i);
    if (i < 0) return;
    ShowNoteRow(i);
}

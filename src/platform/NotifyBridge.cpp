#include "platform/NotifyBridge.h"

namespace {
const CPropatyData& Limits() {
    static const CPropatyData fixed;
    if (INoteController* control = CNotifyBridge::Control()) return control->SizeLimits();
    return fixed;
}
}  // namespace

void CNotifyBridge::notifyUpdateWindow() {
    if (s_control) s_control->notifyUpdateWindow();
}
void CNotifyBridge::notifyDeleteWindow(HWND caller) {
    if (s_control) s_control->notifyDeleteWindow(caller);
}
std::uint64_t CNotifyBridge::NoteIdentity(HWND caller) { return s_control ? s_control->NoteIdentity(caller) : 0; }
void CNotifyBridge::DeleteNote(std::uint64_t note) {
    if (s_control) s_control->DeleteNote(note);
}
void CNotifyBridge::notifyCopyWindow(HWND caller) {
    if (s_control) s_control->notifyCopyWindow(caller);
}
void CNotifyBridge::notifySplit(HWND caller, const std::string& first, const std::string& second) {
    if (s_control) s_control->notifySplit(caller, first, second);
}
int CNotifyBridge::notifyComposition(HWND caller) { return s_control ? s_control->notifyComposition(caller) : 0; }
void CNotifyBridge::notifyMoveDesktop(HWND caller) {
    if (s_control) s_control->notifyMoveDesktop(caller);
}
void CNotifyBridge::notifyMove(HWND caller) {
    if (s_control) s_control->notifyMove(caller);
}
void CNotifyBridge::notifyMatchCondition(HWND caller) {
    if (s_control) s_control->notifyMatchCondition(caller);
}
void CNotifyBridge::notifyCopyToExportStack(HWND caller) {
    if (s_control) s_control->notifyCopyToExportStack(caller);
}
void CNotifyBridge::notifyMovePendingList(HWND caller) {
    if (s_control) s_control->notifyMovePendingList(caller);
}

void CNotifyBridge::AddNote(const CTackletData& record) {
    if (s_control) s_control->AddNote(record);
}
void CNotifyBridge::AddNotes(const std::vector<CTackletData>& records) {
    if (s_control) s_control->AddNotes(records);
}
void CNotifyBridge::RepasteToWindow(const CTackletData& record, const CWinInf& chosen) {
    if (s_control) s_control->RepasteToWindow(record, chosen);
}

bool CNotifyBridge::RepasteToSelectedWindow(const CTackletData& record, HWND owner) {
    return s_control && s_control->RepasteToSelectedWindow(record, owner);
}

bool CNotifyBridge::ChooseWindow(HWND owner, const std::vector<CWinInf>& windows, CWinInf* chosen) {
    return s_control && s_control->ChooseWindow(windows, chosen, owner);
}

std::vector<CWinInf> CNotifyBridge::WindowListCopy() {
    return s_control ? s_control->WindowList() : std::vector<CWinInf>();
}

std::vector<CTackletData> CNotifyBridge::CollectAllWindowStates() {
    return s_control ? s_control->CollectAllWindowStates() : std::vector<CTackletData>();
}

const CSettingsData& CNotifyBridge::Settings() {
    static const CSettingsData defaults;
    return s_control ? s_control->Settings() : defaults;
}

int CNotifyBridge::MinNoteWidth() { return Limits().m_minWidth; }
int CNotifyBridge::MinNoteHeight() { return Limits().m_minHeight; }

void CNotifyBridge::AddToExportStack(const CTackletData& record) {
    if (s_export) s_export->AddRecord(record);
}
void CNotifyBridge::AddToPendingList(const CTackletData& record) {
    if (s_pending) s_pending->AddRecord(record);
}
bool CNotifyBridge::MarkPendingForSaving(bool reportFailure) {
    return s_pending ? s_pending->MarkForSaving(reportFailure) : true;
}

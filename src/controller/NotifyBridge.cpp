#include "controller/NotifyBridge.h"

#include "controller/ControlDlg.h"

int CNotifyBridge::PosInterval() { return s_control ? s_control->PosInterval() : 0; }

int CNotifyBridge::MinNoteWidth() { return CControlDlg::Limits().m_minWidth; }
int CNotifyBridge::MinNoteHeight() { return CControlDlg::Limits().m_minHeight; }
int CNotifyBridge::MaxNoteWidth() { return CControlDlg::Limits().m_maxWidth; }
int CNotifyBridge::MaxNoteHeight() { return CControlDlg::Limits().m_maxHeight; }

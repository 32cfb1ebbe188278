// Reminder dialog (template 170, "リマインダー設定"): no reminder, once at a
// date and time, or weekly on chosen weekdays at a time.
#pragma once

#include "data/ReminderRule.h"
#include "data/ReserveData.h"
#include "dialogs/AppearanceDlg.h"

class CReminderDlg : public CAppearanceDlg {
public:
    CReminderDlg();

    // In and out. A reminder left as it was keeps its state (shown or not);
    // a changed one starts afresh from the time OK was pressed.
    CReserveData m_reserve;

protected:
    void ShowValues() override;
    bool ControlsValid() override;
    void ReadControls() override;
    void OnControl(WORD id, WORD code) override;

private:
    // The block the controls describe, set at `now`.
    CReserveData BlockFromControls(LocalMinute now) const;
    // The date and time pickers enabled for the chosen kind.
    void EnableForType(int type);
};

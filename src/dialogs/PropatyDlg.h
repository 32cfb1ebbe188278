// The properties dialog (template 136): the two paste hotkeys, the
// save-time encryption, the (hidden) save timing and the tracking period.
// The caller sets the public values, runs the dialog and reads them back
// after OK; the dialog itself applies nothing.
#pragma once

#include "dialogs/HotKeyExCtrl.h"
#include "platform/Dialog.h"

class CPropatyDlg : public CDialog {
public:
    // Identifier of the trial registration that tests a combination.
    static constexpr int kTrialHotkeyId = 1001;

    CPropatyDlg();

    int m_saveTiming = 0;          // 0 at exit, 1 on every change
    int m_format = 0;              // 0 plain, 1 scrambled with the volume key
    int m_pastModifiers = 8;       // paste to window, system hotkey form
    int m_pastKey = 83;
    int m_pastDtModifiers = 8;     // paste to desktop
    int m_pastDtKey = 86;
    int m_posIntervalChoice = 2;   // 0 10 ms, 1 20 ms, 2 50 ms
    // Whether the program holds each combination it opens with; one the
    // system refused is said so under the fields and is not taken for ours.
    bool m_pastRegistered = true;
    bool m_pastDtRegistered = true;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    struct Combination {
        int key = 0;
        int modifiers = 0;
        bool operator==(const Combination&) const = default;
        bool Empty() const { return key == 0 && modifiers == 0; }
    };
    enum Field { kWindowField = 0, kDesktopField = 1 };

    Combination Read(Field field) const;
    // Whether the combination may be used: one this program held when the
    // dialog opened, or one the system lets us register now.
    bool Available(const Combination& c) const;
    bool TryRegister(const Combination& c) const;
    void OnCheckDuplicate(Field field);
    void OnOk();

    // Shows which of the opened combinations the system refused.
    void ShowRefusedHotkeys();

    CHotKeyExCtrl m_fields[2];
    Combination m_opened[2];
    bool m_held[2] = {true, true};  // the opened combination is registered
};

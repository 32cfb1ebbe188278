// The small "writing" window shown while notes are being saved: modeless,
// without owner, layered so that hiding also makes it fully transparent.
// Enter and Escape do nothing in it.
#pragma once

#include <string>

#include "platform/Dialog.h"

class CWriteMsgDlg : public CDialog {
public:
    CWriteMsgDlg();

    // Creates the window hidden (no owner).
    bool Create() { return CDialog::Create(nullptr); }

    // Visible and fully opaque.
    void Show();
    // Invisible and fully transparent.
    void Hide();
    // Changes the message; the static shows it at once.
    void SetText(const std::string& text);
    const std::string& Text() const { return m_text; }
    // Takes and dispatches, without waiting, every message queued for this
    // window (and its static), so that it paints while the caller is busy;
    // messages of other windows stay queued.
    void DispatchOwnMessages();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    void SetOpacity(BYTE alpha);

    std::string m_text;
};

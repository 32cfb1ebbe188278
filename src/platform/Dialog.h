// Dialog base class: binds a dialog object to its window and dispatches
// messages to virtual handlers. Runs modal (DoModal) or modeless (Create).
#pragma once

#include <windows.h>

class CDialog {
public:
    explicit CDialog(int templateId);
    virtual ~CDialog();

    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally; returns the value given to EndDialog, or -1
    // when the dialog could not be created.
    INT_PTR DoModal(HWND owner);

    // Creates the dialog modeless (visibility as the template says).
    bool Create(HWND owner);

    HWND GetHwnd() const { return m_hWnd; }
    bool IsModal() const { return m_modal; }
    void EndDialog(INT_PTR result);
    void DestroyWindow();

    HWND GetItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

protected:
    // Called for WM_INITDIALOG; returns whether the system should set the
    // default focus.
    virtual BOOL OnInitDialog() { return TRUE; }

    // WM_COMMAND; return true when handled. The default ends a modal dialog
    // on IDOK/IDCANCEL and destroys a modeless one.
    virtual bool OnCommand(WORD id, WORD code, HWND control);

    // Any other message. Return true when handled and set `result` (the
    // framework routes it to the dialog manager correctly).
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Called after WM_NCDESTROY, when the handle is already unbound. When the
    // window is destroyed while one of its own messages is still being
    // handled, the call waits until that outermost message has returned, so
    // an object may delete itself here safely.
    virtual void OnFinalMessage() {}

    int TemplateId() const { return m_templateId; }

    // WM_DPICHANGED not handled by OnMessage: list columns rescaled, the
    // window placed where the system suggests.
    virtual void OnDpiChanged(UINT dpi, const RECT& suggested);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void RunFinalMessage();
    INT_PTR Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    int m_templateId;
    bool m_modal = false;
    int m_messageDepth = 0;      // messages of this dialog being handled now
    bool m_finalPending = false;  // WM_NCDESTROY seen inside a handler
    UINT m_dpiSeen = 0;           // DPI the dialog was laid out for last
};

// Module instance handle of the running program.
HINSTANCE AppInstance();

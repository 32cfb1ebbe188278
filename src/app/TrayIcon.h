// The program's icon in the notification area.
#pragma once

#include <windows.h>

#include <string>

class CTrayIcon {
public:
    CTrayIcon() = default;
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Fills the icon record anew when the tip text changed.
    void UpdateTip(HWND owner, HICON icon, UINT callbackMessage, const std::string& tip);
    // Adds the icon; retries while the shell reports a time-out.
    void Add();
    // Modifies the icon (the whole record only when it changed since the
    // shell last took it); false when the shell no longer knows the icon.
    bool Modify();
    // Shows a balloon with `title` and `text` at the icon; false when the
    // icon is not there or the shell refused.
    bool ShowBalloon(const std::string& title, const std::string& text);
    // Removes the icon (identifier 0 of the owner it was added for).
    void Remove();

private:
    NOTIFYICONDATAW m_data{};
    std::string m_tip;
    HWND m_owner = nullptr;
    bool m_added = false;
    bool m_changed = true;  // the record differs from what the shell last took
};

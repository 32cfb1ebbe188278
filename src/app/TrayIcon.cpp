#include "app/TrayIcon.h"

#include "data/Trace.h"
#include "platform/WinText.h"

#include <cstring>

CTrayIcon::~CTrayIcon() { Remove(); }

void CTrayIcon::UpdateTip(HWND owner, HICON icon, UINT callbackMessage, const std::string& tip) {
    if (m_owner == owner && tip == m_tip) return;
    m_tip = tip;
    m_owner = owner;
    std::memset(&m_data, 0, sizeof m_data);
    m_data.cbSize = sizeof m_data;
    m_data.hWnd = owner;
    m_data.uID = 0;
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_data.uCallbackMessage = callbackMessage;
    m_data.hIcon = icon;
    CopyWideText(m_data.szTip, std::size(m_data.szTip), tip);
    m_changed = true;
}

void CTrayIcon::Add() {
    if (!m_owner) return;
    if (::Shell_NotifyIconW(NIM_ADD, &m_data)) {
        m_added = true;
        m_changed = false;
        return;
    }
    DWORD err = ::GetLastError();
    // A busy shell answers with a time-out although it may have taken the
    // icon: try to modify it, otherwise wait and add it again.
    while (err == ERROR_TIMEOUT) {
        if (::Shell_NotifyIconW(NIM_MODIFY, &m_data)) {
            m_added = true;
            m_changed = false;
            return;
        }
        ::Sleep(1000);
        if (::Shell_NotifyIconW(NIM_ADD, &m_data)) {
            m_added = true;
            m_changed = false;
            return;
        }
        err = ::GetLastError();
    }
    Trace("通知領域にアイコンを登録できませんでした。 err=%d\n", static_cast<int>(err));
}

bool CTrayIcon::Modify() {
    if (!m_owner) return false;
    if (m_changed) {
        if (!::Shell_NotifyIconW(NIM_MODIFY, &m_data)) return false;
        m_changed = false;
        return true;
    }
    // Nothing new to show: only ask whether the shell still knows the icon.
    // Without the icon flag the shell is not handed the icon's bitmaps again.
    NOTIFYICONDATAW probe = m_data;
    probe.uFlags = NIF_TIP;
    return ::Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

bool CTrayIcon::ShowBalloon(const std::string& title, const std::string& text) {
    if (!m_added || !m_owner) {
        Trace("CTrayIcon::ShowBalloon() no icon\n");
        return false;
    }
    // A copy: the stored record keeps its flags, so the periodic modify
    // does not bring the balloon back.
    NOTIFYICONDATAW data = m_data;
    data.uFlags = NIF_INFO;
    CopyWideText(data.szInfo, std::size(data.szInfo), text);
    CopyWideText(data.szInfoTitle, std::size(data.szInfoTitle), title);
    data.dwInfoFlags = NIIF_INFO;
    data.uTimeout = 10000;
    if (::Shell_NotifyIconW(NIM_MODIFY, &data)) return true;
    Trace("CTrayIcon::ShowBalloon() err=%d\n", static_cast<int>(::GetLastError()));
    return false;
}

void CTrayIcon::Remove() {
    if (!m_added || !m_owner) return;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = m_owner;
    data.uID = 0;
    ::Shell_NotifyIconW(NIM_DELETE, &data);
    m_added = false;
}

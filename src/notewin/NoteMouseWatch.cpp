#include "notewin/NoteMouseWatch.h"

#include <algorithm>

CNoteMouseWatch& CNoteMouseWatch::Instance() {
    static CNoteMouseWatch watch;
    return watch;
}

CNoteMouseWatch::~CNoteMouseWatch() {
    if (m_timer) ::KillTimer(nullptr, m_timer);
}

void CNoteMouseWatch::Add(IClient* client) {
    if (client == nullptr || Contains(client)) return;
    m_clients.push_back(client);
    if (!m_timer) m_timer = ::SetTimer(nullptr, 0, kPeriod, &CNoteMouseWatch::OnTimer);
}

void CNoteMouseWatch::Remove(IClient* client) {
    const auto it = std::find(m_clients.begin(), m_clients.end(), client);
    if (it == m_clients.end()) return;
    m_clients.erase(it);
    if (m_clients.empty() && m_timer) {
        ::KillTimer(nullptr, m_timer);
        m_timer = 0;
    }
}

bool CNoteMouseWatch::Contains(const IClient* client) const {
    return std::find(m_clients.begin(), m_clients.end(), client) != m_clients.end();
}

void CNoteMouseWatch::Step(POINT cursor, bool ctrlDown) {
    const std::vector<IClient*> clients = m_clients;
    for (IClient* client : clients)
        if (Contains(client)) client->MouseOutStep(cursor, ctrlDown);
}

void CALLBACK CNoteMouseWatch::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    POINT cursor{};
    if (!::GetCursorPos(&cursor)) return;
    Instance().Step(cursor, (::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0);
}

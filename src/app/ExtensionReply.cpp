#include "app/ExtensionReply.h"

#include "data/Trace.h"

#include <algorithm>

bool CExtensionReply::Send(HWND sender, UINT message, HWND from) {
    const unsigned traced = static_cast<unsigned>(reinterpret_cast<UINT_PTR>(sender));
    // A window of this thread answering with a new query would run it
    // inside this one.
    if (m_sending) {
        Trace("CExtensionReply::Send() dropped for 0x%08x: an answer is on its way\n", traced);
        return false;
    }
    const DWORD thread = ::GetWindowThreadProcessId(sender, nullptr);
    if (thread == 0) return false;
    const ULONGLONG now = ::GetTickCount64();
    std::erase_if(m_quiet, [now](const Quiet& q) { return q.until <= now; });
    if (std::any_of(m_quiet.begin(), m_quiet.end(), [thread](const Quiet& q) { return q.thread == thread; })) {
        Trace("CExtensionReply::Send() dropped for 0x%08x: it did not answer lately\n", traced);
        return false;
    }
    // SMTO_BLOCK: nothing sent to this thread meanwhile runs (the sender's
    // next query waits until this answer is done); SMTO_ABORTIFHUNG and the
    // time-out: a sender that does not answer stops us for kTimeoutMs once,
    // then is left alone for kQuietMs however often it asks.
    m_sending = true;
    DWORD_PTR ignored = 0;
    const LRESULT sent = ::SendMessageTimeoutW(sender, message, 1, reinterpret_cast<LPARAM>(from),
                                               SMTO_BLOCK | SMTO_ABORTIFHUNG, kTimeoutMs, &ignored);
    m_sending = false;
    if (sent) return true;
    Trace("CExtensionReply::Send() 0x%08x did not answer\n", traced);
    if (m_quiet.size() >= kMaxQuiet) m_quiet.erase(m_quiet.begin());
    m_quiet.push_back({thread, ::GetTickCount64() + kQuietMs});
    return false;
}

// The answer to the extension utility's handle query: the query message
// sent back to the sender's window. The sender is any program of the user,
// so the answer must neither stop this program nor let the sender's next
// query run inside it.
#pragma once

#include <windows.h>

#include <vector>

class CExtensionReply {
public:
    // How long one answer may take before the sender counts as not answering.
    static constexpr UINT kTimeoutMs = 400;
    // How long a sender's thread that did not answer in time gets no answer.
    static constexpr ULONGLONG kQuietMs = 5000;

    // Sends `message` with wParam 1 and lParam `from` to `sender`. False
    // when it was not delivered in time, or dropped: while another answer
    // is on its way, for a sender's thread that recently did not answer,
    // or for no window at all. Each drop is traced.
    bool Send(HWND sender, UINT message, HWND from);

private:
    struct Quiet {
        DWORD thread;
        ULONGLONG until;
    };
    static constexpr std::size_t kMaxQuiet = 64;

    std::vector<Quiet> m_quiet;
    bool m_sending = false;
};

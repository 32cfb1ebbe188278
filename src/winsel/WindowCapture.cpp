#include "winsel/WindowCapture.h"

#include <optional>

#include "platform/MessageBox.h"

namespace {

constexpr int kOffScreenShift = 10000;
constexpr UINT kProbeTimeoutMs = 1000;
constexpr DWORD kScreenCopy = SRCCOPY | CAPTUREBLT;

// Layering attributes; the defaults are what a window whose attributes
// could not be read is left with.
struct LayerAttributes {
    COLORREF key = RGB(255, 255, 255);
    BYTE alpha = 255;
    DWORD flags = 0;
};

bool ReadLayerAttributes(HWND hwnd, LayerAttributes* out) {
    LayerAttributes read;
    if (!::GetLayeredWindowAttributes(hwnd, &read.key, &read.alpha, &read.flags)) return false;
    *out = read;
    return true;
}

// Sends `msg` to a window of maybe another program, waiting at most a
// second and not at all for one that hangs; nothing sent to us meanwhile
// runs. False when it did not answer.
bool SendTimed(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutW(hwnd, msg, wParam, lParam, SMTO_BLOCK | SMTO_ABORTIFHUNG, kProbeTimeoutMs,
                                 &ignored) != 0;
}

// Gives a window the chance to handle what is queued for it; false when it
// does not answer in time (then nothing else is asked of it: each of the
// calls below waits for the window's own thread without a time-out).
bool ProbeWindow(HWND hwnd) { return SendTimed(hwnd, WM_NULL); }

SIZE WindowSize(HWND hwnd) {
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// A minimised window cannot print itself. While this object lives the
// window is shown in its normal size, fully transparent and 10000 pixels
// to the right of and below its normal place; afterwards it is minimised
// again in its old placement and its layering is put back.
class COffScreenShow {
public:
    struct Saved {
        LONG style;
        LONG exStyle;
        WINDOWPLACEMENT placement;
        bool layered;
        LayerAttributes layer;
    };

    COffScreenShow(HWND target, const Saved& saved, CaptureRestore restore)
        : m_target(target), m_saved(saved), m_restore(restore) {
        ::SetWindowLongW(m_target, GWL_EXSTYLE, m_saved.exStyle | WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(m_target, 0, 0, LWA_ALPHA);
        // No redrawing while it changes state: nothing may flash on screen.
        SendTimed(m_target, WM_SETREDRAW, FALSE);
        ::ShowWindow(m_target, SW_SHOWNORMAL);
        SendTimed(m_target, WM_SETREDRAW, TRUE);
        const RECT& normal = m_saved.placement.rcNormalPosition;
        ::MoveWindow(m_target, normal.left + kOffScreenShift, normal.top + kOffScreenShift,
                     normal.right - normal.left, normal.bottom - normal.top, TRUE);
    }

    ~COffScreenShow() {
        SendTimed(m_target, WM_SETREDRAW, FALSE);
        WINDOWPLACEMENT placement = m_saved.placement;
        placement.showCmd = SW_MINIMIZE;
        ::SetWindowPlacement(m_target, &placement);
        // As if the user minimised it: the program sees its usual command.
        SendTimed(m_target, WM_SYSCOMMAND, SC_MINIMIZE);
        SendTimed(m_target, WM_SETREDRAW, TRUE);
        if (m_saved.layered) {
            const LayerAttributes& a = m_saved.layer;
            ::SetLayeredWindowAttributes(m_target, a.key, a.alpha, a.flags);
        } else {
            ::SetWindowLongW(m_target, GWL_EXSTYLE, m_saved.exStyle);
        }
        if (m_restore == CaptureRestore::AllStyles) {
            ::SetWindowLongW(m_target, GWL_EXSTYLE, m_saved.exStyle);
            ::SetWindowLongW(m_target, GWL_STYLE, m_saved.style);
        }
    }

    COffScreenShow(const COffScreenShow&) = delete;
    COffScreenShow& operator=(const COffScreenShow&) = delete;

private:
    HWND m_target;
    Saved m_saved;
    CaptureRestore m_restore;
};

bool NeedsOffScreenShow(const COffScreenShow::Saved& saved, CaptureRestore restore) {
    if ((saved.style & WS_MINIMIZE) == 0) return false;
    if (restore == CaptureRestore::Layering) return true;
    const RECT& normal = saved.placement.rcNormalPosition;
    return normal.right != normal.left && normal.bottom != normal.top;
}

}  // namespace

bool AskLayerLoss(HWND owner) {
    return AskYesNo(owner, "レイヤー情報が取得できません。レイヤーパラメータが失われますが続行しますか?");
}

void CaptureWindow(CCaptureImage& holder, HWND drawingWindow, HWND target, CaptureRestore restore,
                   const LayerLossQuestion& askLayerLoss) {
    if (!::IsWindow(target)) return;
    // A window that does not answer would stop this program at the first
    // call below that it has to handle: no image of it.
    if (!ProbeWindow(target)) {
        holder.Clear();
        return;
    }

    COffScreenShow::Saved saved{};
    saved.style = ::GetWindowLongW(target, GWL_STYLE);
    saved.exStyle = ::GetWindowLongW(target, GWL_EXSTYLE);
    saved.placement.length = sizeof saved.placement;
    ::GetWindowPlacement(target, &saved.placement);

    // Declared before the device contexts: the window is minimised again
    // only after they have been released.
    std::optional<COffScreenShow> offScreen;
    if (NeedsOffScreenShow(saved, restore)) {
        saved.layered = (saved.exStyle & WS_EX_LAYERED) != 0;
        if (saved.layered && !ReadLayerAttributes(target, &saved.layer)) {
            // Its own layering would be lost: only with the user's consent.
            if (!askLayerLoss(::GetAncestor(drawingWindow, GA_ROOT))) return;
        }
        offScreen.emplace(target, saved, restore);
    }

    const SIZE size = WindowSize(target);
    CWindowDC windowDc(drawingWindow);
    holder.Reset(size.cx, size.cy, ::CreateCompatibleBitmap(windowDc.Get(), size.cx, size.cy));
    CMemoryDC memory(windowDc.Get());
    CSelectObject select(memory.Get(), holder.Bitmap());
    // Let it paint what the off-screen show asked of it; one that stopped
    // answering meanwhile is not asked to print.
    if (ProbeWindow(target)) ::PrintWindow(target, memory.Get(), 0);
}

void CaptureDesktop(CCaptureImage& holder, HWND drawingWindow, HWND desktop) {
    if (!::IsWindow(desktop)) return;

    const SIZE size = WindowSize(desktop);
    CWindowDC windowDc(drawingWindow);
    holder.Reset(size.cx, size.cy, ::CreateCompatibleBitmap(windowDc.Get(), size.cx, size.cy));
    CMemoryDC memory(windowDc.Get());
    CSelectObject select(memory.Get(), holder.Bitmap());
    ProbeWindow(desktop);
    CWindowDC screen(desktop);
    ::BitBlt(memory.Get(), 0, 0, size.cx, size.cy, screen.Get(), 0, 0, kScreenCopy);
}

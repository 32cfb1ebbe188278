#include "notewin/NoteFade.h"

#include <algorithm>

#include "data/Trace.h"

namespace {
// Fade factors by remaining fade steps (index 0 to 9).
constexpr int kFadeFactors[CNoteFade::kSteps] = {0, 0, 0, 0, 60, 100, 150, 180, 220, 255};
}  // namespace

std::uint8_t CNoteFade::AlphaFromPercent(int percent) {
    return static_cast<std::uint8_t>(std::clamp(percent * 255 / 100, 0, 255));
}

std::uint8_t CNoteFade::FadeAlpha(int counter, std::uint8_t base) {
    const int factor = kFadeFactors[std::clamp(counter, 0, kSteps - 1)];
    return static_cast<std::uint8_t>(factor * base / 255);
}

CNoteFade::Action CNoteFade::MouseOver(int mouseHide, int bkTransparent, bool ctrlDown) {
    if (m_mouseIn) return Action::None;
    if (mouseHide == 1) {
        // A fading note starts its fade from the top.
        m_mouseIn = true;
        m_counter = kSteps;
    } else if (bkTransparent == 0) {
        m_mouseIn = true;
    } else if (ctrlDown) {
        // A keyed-out background shows only while Ctrl is held.
        m_mouseIn = true;
        Trace("●MounseIn \n");
        return Action::MakeOpaque;
    } else {
        return Action::None;
    }
    Trace("●MounseIn \n");
    return Action::None;
}

CNoteFade::Action CNoteFade::MouseOutStep(int bkTransparent, bool inside, bool ctrlDown, bool editFocus) {
    if (inside && !m_mouseIn) {
        if (bkTransparent == 0) {
            m_mouseIn = true;
            Trace("●MounseIn(TIMER) \n");
        } else if (bkTransparent == 1 && ctrlDown) {
            m_mouseIn = true;
            Trace("●MounseIn(TIMER) \n");
            return Action::MakeOpaque;
        }
    } else if (!inside && m_mouseIn) {
        m_mouseIn = false;
        Trace("■MouseOUT \n");
        // A note being edited stays fully opaque.
        return editFocus ? Action::MakeOpaque : Action::RestoreAlpha;
    }
    return Action::None;
}

std::optional<std::uint8_t> CNoteFade::FadeStep(std::uint8_t base) {
    if (!m_mouseIn || m_counter <= 0) return std::nullopt;
    --m_counter;
    return FadeAlpha(m_counter, base);
}

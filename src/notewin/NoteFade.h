// The opacity rules of a note, without the window: the base alpha from the
// opacity percentage, the fade steps while the mouse is over the note, and
// what the mouse coming in or going out does. The note window applies the
// alpha values and the actions these rules give.
#pragma once

#include <cstdint>
#include <optional>

class CNoteFade {
public:
    static constexpr int kSteps = 10;

    // Alpha of an opacity in percent (0 to 255).
    static std::uint8_t AlphaFromPercent(int percent);
    // Alpha of fade step `counter` (9 down to 0) for base alpha `base`.
    static std::uint8_t FadeAlpha(int counter, std::uint8_t base);

    // What the window does after a rule ran.
    enum class Action { None, MakeOpaque, RestoreAlpha };

    // The mouse moved over the note or its edit control. `mouseHide` and
    // `bkTransparent` are the note's MOUSEHIDECTL and BKTRANSPARENT values.
    Action MouseOver(int mouseHide, int bkTransparent, bool ctrlDown);
    // The periodic check with the cursor inside the note or not.
    Action MouseOutStep(int bkTransparent, bool inside, bool ctrlDown, bool editFocus);
    // One fade step while the mouse is in: the alpha to apply, or none.
    std::optional<std::uint8_t> FadeStep(std::uint8_t base);
    // Back to the note's own alpha (or fully opaque): no fade pending.
    void ResetCounter() { m_counter = 0; }

    bool MouseIn() const { return m_mouseIn; }
    int Counter() const { return m_counter; }

private:
    bool m_mouseIn = false;
    int m_counter = 0;
};

#include "dialogs/HotKeyText.h"

using namespace HotkeyFlags;

int SystemToFieldModifiers(int m) {
    int f = 0;
    if (m & kSysAlt) f |= kFieldAlt;
    if (m & kSysCtrl) f |= kFieldCtrl;
    if (m & kSysShift) f |= kFieldShift;
    if (m & kSysWin) f |= kFieldWin;
    return f;
}

int FieldToSystemModifiers(int f) {
    int m = 0;
    if (f & kFieldAlt) m |= kSysAlt;
    if (f & kFieldCtrl) m |= kSysCtrl;
    if (f & kFieldShift) m |= kSysShift;
    if (f & kFieldWin) m |= kSysWin;
    return m;
}

namespace {
// Virtual-key codes of the generic modifier keys.
constexpr int kVkShift = 0x10, kVkControl = 0x11, kVkMenu = 0x12;
}  // namespace

std::string HotkeyFieldText(int f, int virtualKey, const KeyNameFn& keyName) {
    if (f == 0 && virtualKey == 0) return std::string();
    std::string text;
    if (f & kFieldCtrl) text += keyName(kVkControl, false) + " + ";
    if (f & kFieldShift) text += keyName(kVkShift, false) + " + ";
    if (f & kFieldAlt) text += keyName(kVkMenu, false) + " + ";
    if (f & kFieldWin) text += "Win + ";
    if (virtualKey != 0) text += keyName(virtualKey, (f & kFieldExtended) != 0);
    return text;
}

int CHotKeyCapture::ModifierBit(int vk) {
    switch (vk) {
    case 16: case 160: case 161: return kFieldShift;   // Shift, left, right
    case 17: case 162: case 163: return kFieldCtrl;    // Ctrl, left, right
    case 18: case 164: case 165: return kFieldAlt;     // Alt, left, right
    case 91: case 92: case 93: return kFieldWin;       // left Win, right Win, Applications
    default: return 0;
    }
}

void CHotKeyCapture::Set(int virtualKey, int systemModifiers) {
    m_key = virtualKey;
    m_modifiers = SystemToFieldModifiers(systemModifiers);
    m_complete = true;
}

void CHotKeyCapture::OnKey(int vk, bool down) {
    const int bit = ModifierBit(vk);
    // A key released while a finished combination is shown was pressed
    // before the capture began (for example the key that moved the focus
    // here): it must not wipe the combination.
    if (!down && m_complete) {
        m_heldModifiers &= ~bit;
        if (!bit && m_currentKey == vk) m_currentKey = 0;
        return;
    }
    if (bit) {
        if (down) m_heldModifiers |= bit;
        else m_heldModifiers &= ~bit;
    } else if (down) {
        m_currentKey = vk;
    } else if (m_currentKey == vk) {
        m_currentKey = 0;
    }
    if (m_complete) {
        m_key = 0;
        m_modifiers = 0;
        m_complete = false;
    }
    if (m_currentKey != 0) {
        m_key = m_currentKey;
        m_modifiers = m_heldModifiers;
    } else if (m_key == 0) {
        m_modifiers = m_heldModifiers;
    }
    if (m_currentKey == 0 && m_heldModifiers == 0) m_complete = true;
}

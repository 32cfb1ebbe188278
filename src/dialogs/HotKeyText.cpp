#include "dialogs/HotKeyText.h"

#include <windows.h>

namespace {
constexpr int kFieldShift = 1, kFieldCtrl = 2, kFieldAlt = 4, kFieldExtended = 8, kFieldWin = 16;
constexpr int kSysAlt = 1, kSysCtrl = 2, kSysShift = 4, kSysWin = 8;

std::string KeyName(int virtualKey, bool extended) {
    if (virtualKey == 0) return std::string();
    UINT scan = ::MapVirtualKeyA(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
    LONG param = static_cast<LONG>(scan << 16);
    if (extended) param |= 1 << 24;
    char name[128] = {};
    ::GetKeyNameTextA(param, name, sizeof name);
    return name;
}
}  // namespace

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

std::string HotkeyFieldText(int f, int virtualKey) {
    if (f == 0 && virtualKey == 0) return std::string();
    std::string text;
    if (f & kFieldCtrl) text += KeyName(VK_CONTROL, false) + " + ";
    if (f & kFieldShift) text += KeyName(VK_SHIFT, false) + " + ";
    if (f & kFieldAlt) text += KeyName(VK_MENU, false) + " + ";
    if (f & kFieldWin) text += "Win + ";
    text += KeyName(virtualKey, (f & kFieldExtended) != 0);
    return text;
}

std::string HotkeyDisplayText(int systemModifiers, int virtualKey) {
    return HotkeyFieldText(SystemToFieldModifiers(systemModifiers), virtualKey);
}

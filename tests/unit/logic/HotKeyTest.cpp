// Hotkey combinations without windows: modifier forms, display text and
// the capture of key events by a hotkey field.
#include "dialogs/HotKeyText.h"
#include "data/SettingsFile.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Key names as a layout might give them, marking the extended flag.
std::string FakeName(int vk, bool extended) {
    std::string name;
    switch (vk) {
    case 0x10: name = "Shift"; break;
    case 0x11: name = "Ctrl"; break;
    case 0x12: name = "Alt"; break;
    case 0x09: name = "Tab"; break;
    default: name = std::string(1, static_cast<char>(vk)); break;
    }
    return extended ? name + "(ext)" : name;
}

TEST(HotKeyText, ModifierFormsConvertBothWays) {
    struct Case {
        int system;
        int field;
    };
    const Case cases[] = {{0, 0}, {1, 4}, {2, 2}, {4, 1}, {8, 16}, {15, 23}, {8 | 2, 16 | 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(SystemToFieldModifiers(c.system), c.field) << c.system;
        EXPECT_EQ(FieldToSystemModifiers(c.field), c.system) << c.field;
    }
    EXPECT_EQ(FieldToSystemModifiers(16 | 8), 8) << "the extended-key bit is dropped";
}

TEST(HotKeyText, TextListsModifiersInOrderThenTheKey) {
    struct Case {
        int field;
        int key;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, ""},
        {16, 'S', "Win + S"},
        {2, 0, "Ctrl + "},
        {1 | 2 | 4 | 16, 'K', "Ctrl + Shift + Alt + Win + K"},
        {0, 0x09, "Tab"},
        {8 | 4, 'X', "Alt + X(ext)"},
    };
    for (const Case& c : cases) EXPECT_EQ(HotkeyFieldText(c.field, c.key, FakeName), c.text) << c.text;
}

// Feeds "+vk" (down) and "-vk" (up) events to a fresh capture.
CHotKeyCapture Typed(const std::vector<std::pair<int, bool>>& events) {
    CHotKeyCapture capture;
    capture.Begin();
    for (const auto& [vk, down] : events) capture.OnKey(vk, down);
    return capture;
}

TEST(HotKeyCapture, KeyEventsBuildTheCombination) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, bool>> events;
        int key;
        int systemModifiers;
        bool complete;
    };
    const Case cases[] = {
        {"Win+S released", {{91, true}, {'S', true}, {'S', false}, {91, false}}, 'S', 8, true},
        {"Ctrl released before S leaves S alone", {{162, true}, {'S', true}, {162, false}, {'S', false}}, 'S', 0, true},
        {"Ctrl held alone", {{17, true}}, 0, 2, false},
        {"modifiers pressed and released alone", {{160, true}, {164, true}, {164, false}, {160, false}}, 0, 0, true},
        {"Applications key counts as Win", {{93, true}, {'A', true}, {'A', false}, {93, false}}, 'A', 8, true},
        {"right-hand Shift and Alt", {{161, true}, {165, true}, {'Q', true}}, 'Q', 4 | 1, false},
        {"Tab, Enter and Esc are keys", {{0x09, true}, {0x09, false}}, 0x09, 0, true},
        {"a new press after a finished one starts anew",
         {{17, true}, {'S', true}, {'S', false}, {17, false}, {0x0D, true}, {0x0D, false}}, 0x0D, 0, true},
        {"a key released before any press leaves nothing", {{0x09, false}}, 0, 0, true},
    };
    for (const Case& c : cases) {
        CHotKeyCapture capture = Typed(c.events);
        EXPECT_EQ(capture.Key(), c.key) << c.what;
        EXPECT_EQ(capture.SystemModifiers(), c.systemModifiers) << c.what;
        EXPECT_EQ(capture.Complete(), c.complete) << c.what;
    }
}

TEST(HotKeyCapture, AStrayKeyUpKeepsTheShownCombination) {
    CHotKeyCapture capture;
    capture.Set('S', 8);
    capture.Begin();
    capture.OnKey(0x09, false);  // the Tab that moved the focus into the field
    EXPECT_EQ(capture.Key(), 'S');
    EXPECT_EQ(capture.SystemModifiers(), 8);
    capture.OnKey('J', true);
    EXPECT_EQ(capture.Key(), 'J');
    EXPECT_EQ(capture.SystemModifiers(), 0) << "a key press replaces the shown combination";
}

TEST(PosIntervalChoice, PeriodsAndChoicesMapBothWays) {
    const std::pair<int, int> toChoice[] = {{10, 0}, {20, 1}, {50, 2}, {30, 2}, {0, 2}};
    for (const auto& [ms, choice] : toChoice) EXPECT_EQ(PosIntervalChoice(ms), choice) << ms;
    const std::pair<int, int> toPeriod[] = {{0, 10}, {1, 20}, {2, 50}};
    for (const auto& [choice, ms] : toPeriod) EXPECT_EQ(PosIntervalOfChoice(choice), ms) << choice;
}

}  // namespace

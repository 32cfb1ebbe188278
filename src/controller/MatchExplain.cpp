#include "controller/MatchExplain.h"

#include "data/MbString.h"

#include <initializer_list>
#include <limits>
#include <string_view>

namespace {

// Long titles are cut for the tip.
constexpr std::size_t kTitleBytes = 120;
// The nearest title is judged on the first bytes of each title: the edit
// count takes time in the product of the two lengths, and the tip only
// shows the start of a title anyway.
constexpr std::size_t kNearestBytes = 256;

std::string Concat(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (std::string_view part : parts) out.append(part);
    return out;
}

std::string Quoted(const std::string& text) {
    const std::string cut = MbCut(text, kTitleBytes);
    return Concat({"「", cut, cut.size() < text.size() ? "…" : "", "」"});
}

MatchReason FromState(WindowState state) {
    switch (state) {
    case WindowState::Minimised: return MatchReason::Minimised;
    case WindowState::Disabled: return MatchReason::Disabled;
    case WindowState::OffScreen: return MatchReason::OffScreen;
    case WindowState::Hidden: break;
    }
    return MatchReason::Hidden;
}

}  // namespace

CMatchExplanation ExplainMatch(const CObjData& note, bool shown, const std::vector<CWinInf>& windows,
                               const std::vector<CLeftOutWindow>& leftOut) {
    CMatchExplanation out;
    if (shown) {
        out.reason = MatchReason::Shown;
        for (const CWinInf& w : windows) {
            if (w.hWnd == note.hTargetWnd) {
                out.windowTitle = w.title;
                break;
            }
        }
        return out;
    }
    if (windows.empty()) return out;  // no tick yet

    const bool desktopNote = note.EXENAME == kDesktopName;
    // The child condition of the windows that pass process and title: the
    // stage furthest along (text beats ID beats class), unread when any
    // such window was not read.
    bool titleSeen = false;
    bool unread = false;
    MatchStep best = MatchStep::ChildClass;
    std::string childWindow;
    for (const CWinInf& w : windows) {
        const MatchStep stage = FirstFailingPart(note, w);
        if (stage < MatchStep::ChildUnread) continue;
        if (stage == MatchStep::Matches) {
            out.reason = MatchReason::Matching;
            out.windowTitle = w.title;
            return out;
        }
        if (stage == MatchStep::ChildUnread) {
            unread = true;
            continue;
        }
        if (!titleSeen || stage > best) {
            best = stage;
            childWindow = w.title;
        }
        titleSeen = true;
    }
    if (unread && !titleSeen) return out;  // the next tick reads the children
    if (titleSeen) {
        out.reason = best == MatchStep::ChildText ? MatchReason::ChildText
                     : best == MatchStep::ChildId ? MatchReason::ChildId
                                                  : MatchReason::ChildClass;
        out.windowTitle = childWindow;
        return out;
    }
    for (const CLeftOutWindow& w : leftOut) {
        if (ProcessPasses(note, w.exeName) && TitlePasses(note, w.title)) {
            out.reason = FromState(w.state);
            out.windowTitle = w.title;
            return out;
        }
    }

    // Windows of the program that the user can see (listed, or left out
    // for a reason other than being hidden): the nearest title among them.
    const std::string_view wanted = std::string_view(note.FULL == 1 ? note.TITLE : note.PART)
                                        .substr(0, MbFitLength(note.FULL == 1 ? note.TITLE : note.PART, kNearestBytes));
    std::size_t nearest = std::numeric_limits<std::size_t>::max();
    auto consider = [&](const std::string& exeName, const std::string& title) {
        if (!ProcessPasses(note, exeName)) return;
        if (!desktopNote && exeName == kDesktopName) return;
        const std::string_view compared = std::string_view(title).substr(0, MbFitLength(title, kNearestBytes));
        const std::size_t d = MbEditDistance(wanted, compared, note.FULL != 1);
        if (d < nearest) {
            nearest = d;
            out.windowTitle = title;
        }
    };
    for (const CWinInf& w : windows) consider(w.exeName, w.title);
    for (const CLeftOutWindow& w : leftOut) {
        if (w.state != WindowState::Hidden) consider(w.exeName, w.title);
    }
    out.reason = nearest == std::numeric_limits<std::size_t>::max() ? MatchReason::NoProgram
                                                                     : MatchReason::TitleDiffers;
    return out;
}

std::string CMatchExplanation::Text(const CObjData& note) const {
    const std::string window = Quoted(windowTitle);
    switch (reason) {
    case MatchReason::NotChecked:
        return "まだウィンドウを確認していません。";
    case MatchReason::Shown:
        if (note.EXENAME == kDesktopName) return "デスクトップに表示中です。";
        return windowTitle.empty() ? "表示中です。" : Concat({"表示中です。\r\n", window});
    case MatchReason::Matching:
        return Concat({"条件に合うウィンドウがあります。次の確認で表示します。\r\n", window});
    case MatchReason::NoProgram:
        if (note.PRECESSEFLAG != 1) return "ウィンドウが開いていません。";
        return Concat({note.EXENAME, " のウィンドウが開いていません。"});
    case MatchReason::TitleDiffers:
        return Concat({"タイトルが合いません。近いタイトル:", window, "\r\n付箋の条件",
                       note.FULL == 1 ? ":" : "(部分):", Quoted(note.FULL == 1 ? note.TITLE : note.PART)});
    case MatchReason::ChildClass:
        return Concat({"子ウィンドウのクラス名が合いません。\r\n付箋の条件: クラス名", Quoted(note.EXCLASS)});
    case MatchReason::ChildId:
        return Concat({"子ウィンドウのIDが合いません。\r\n付箋の条件: ID ", std::to_string(note.EXCTLID),
                       "（クラス名", Quoted(note.EXCLASS), "）"});
    case MatchReason::ChildText:
        return Concat({"子ウィンドウのテキストが合いません。\r\n付箋の条件", note.EXFULLFLAG == 1 ? ":" : "(部分):",
                       Quoted(note.EXFULLFLAG == 1 ? note.EXTEXT : note.EXPART)});
    case MatchReason::Minimised:
        return Concat({"ウィンドウが最小化されています。\r\n", window});
    case MatchReason::Hidden:
        return Concat({"ウィンドウが非表示です。\r\n", window});
    case MatchReason::Disabled:
        return Concat({"ウィンドウが操作できない状態です（ダイアログ表示中など）。\r\n", window});
    case MatchReason::OffScreen:
        return Concat({"ウィンドウがどのモニタの中にもありません。\r\n", window});
    }
    return std::string();
}

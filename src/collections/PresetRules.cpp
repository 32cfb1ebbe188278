#include "collections/PresetRules.h"

int FindPresetForProcess(const std::vector<CPreSetCondData>& presets, const std::string& exeName) {
    for (std::size_t i = 0; i < presets.size(); ++i) {
        if (presets[i].EXENAME == exeName) return static_cast<int>(i);
    }
    return -1;
}

CPresetOkCheck CheckPresetForOk(const CPreSetCondData& preset) {
    CPresetOkCheck check;
    if (preset.CONDNAME.empty()) {
        check.notice = "条件名が設定されていません";
    } else if (preset.EXENAME.empty()) {
        check.notice = "プロセス名が設定されていません";
    } else if (preset.EXCLASS.empty()) {
        check.notice = "ウィンドウクラス名が設定されていません";
    }
    if (check.notice) return check;
    if (!preset.EXTENTFLAG) check.questions.push_back("拡張条件がチェックされていません.よろしいですか？");
    if (!preset.TITLEFLAG) check.questions.push_back("タイトル条件がチェックされていません.よろしいですか？");
    if (!preset.PROCESSFLAG) check.questions.push_back("プロセス名条件がチェックされていません.よろしいですか？");
    return check;
}

std::string DuplicateProcessQuestion(const std::string& exeName) {
    return "プロセス名：" + exeName + " の設定は既に存在します.\r\n設定を破棄しましか？";
}

#include "collections/PreSetMatchConditionDlg.h"

#include <commctrl.h>

#include "collections/PoreSetSettingDlg.h"
#include "collections/PresetRules.h"
#include "platform/MessageBox.h"
#include "res/resource.h"
#include "platform/ListView.h"

using namespace ListRows;

namespace {
enum Column { kColName, kColProgram };
}  // namespace

CPreSetMatchConditionDlg::CPreSetMatchConditionDlg(std::vector<CPreSetCondData> presets, WindowListSource source)
    : CDialog(IDD_PRESETLIST), m_presets(std::move(presets)), m_source(std::move(source)) {}

BOOL CPreSetMatchConditionDlg::OnInitDialog() {
    m_list = GetItem(IDC_PRESET_LIST);
    InitReportList(m_list, {{"条件名称", 100}, {"ProgramName", 100}, {"  ", 10}});
    FillList();
    return TRUE;
}

void CPreSetMatchConditionDlg::FillList() {
    // The mark stays on the same row number, whatever preset is there now.
    const int mark = ListView_GetSelectionMark(m_list);
    ::SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(m_list);
    for (const CPreSetCondData& preset : m_presets) {
        const int row = AppendRow(m_list, preset.CONDNAME);
        SetCellText(m_list, row, kColProgram, preset.EXENAME);
    }
    if (mark >= 0 && !m_presets.empty()) MarkRow(m_list, mark);
    ::SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
}

bool CPreSetMatchConditionDlg::EditPreset(CPreSetCondData& preset, bool newPreset) {
    CPoreSetSettingDlg dialog(m_source);
    dialog.m_preset = preset;
    dialog.m_newPreset = newPreset;
    if (dialog.DoModal(GetHwnd()) != IDOK) return false;
    preset = dialog.m_preset;
    return true;
}

int CPreSetMatchConditionDlg::MarkedPreset(const char* noticeWhenNone) {
    const int mark = ListView_GetSelectionMark(m_list);
    if (mark < 0) {
        ShowNotice(GetHwnd(), noticeWhenNone);
        return -1;
    }
    return static_cast<std::size_t>(mark) < m_presets.size() ? mark : -1;
}

void CPreSetMatchConditionDlg::OnAdd() {
    CPreSetCondData preset;
    for (;;) {
        if (!EditPreset(preset, true)) return;
        if (FindPresetForProcess(m_presets, preset.EXENAME) < 0) {
            m_presets.push_back(preset);
            FillList();
            return;
        }
        // Yes discards the new preset; No reopens it with what was entered.
        if (AskYesNo(GetHwnd(), DuplicateProcessQuestion(preset.EXENAME).c_str())) return;
    }
}

void CPreSetMatchConditionDlg::OnChange() {
    const int i = MarkedPreset("変更する条件を選択してください");
    if (i < 0) return;
    CPreSetCondData preset = m_presets[static_cast<std::size_t>(i)];
    if (!EditPreset(preset, false)) return;
    m_presets[static_cast<std::size_t>(i)] = preset;
    FillList();
}

void CPreSetMatchConditionDlg::OnDelete() {
    const int i = MarkedPreset("削除する条件を選択してください");
    if (i < 0) return;
    m_presets.erase(m_presets.begin() + i);
    FillList();
}

bool CPreSetMatchConditionDlg::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDC_PRESET_ADD: OnAdd(); return true;
    case IDC_PRESET_CHANGE: OnChange(); return true;
    case IDC_PRESET_DELETE: OnDelete(); return true;
    default: return CDialog::OnCommand(id, code, control);
    }
}

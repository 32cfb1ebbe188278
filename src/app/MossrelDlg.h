// The main window: lives hidden in the notification area for the whole run
// of the program and answers the extension utility's messages.
#pragma once

#include "app/ExtensionReply.h"
#include "app/TrayIcon.h"
#include "app/WriteMsgDlg.h"
#include "collections/ExportStackDlg.h"
#include "collections/InportStackDlg.h"
#include "collections/PendingDlg.h"
#include "collections/TrashDlg.h"
#include "collections/SerchDlg.h"
#include "controller/ControlDlg.h"
#include "dialogs/MFCButtonEx.h"
#include "dialogs/OpaCheck.h"
#include "platform/Dialog.h"

#include <string>

class CMossrelDlg : public CDialog {
public:
    CMossrelDlg();
    ~CMossrelDlg() override;

    const std::string& DataPath() const { return m_dataPath; }
    const std::string& PropatyPath() const { return m_propatyPath; }
    const std::string& PresetPath() const { return m_presetPath; }
    const std::string& PendingPath() const { return m_pendingPath; }

    // Shows (1) or hides (0) the main window and remembers the choice.
    void SetPanelVisible(int visible);
    // Shows the main window with its frame in the bottom-right corner of
    // the primary work area and brings it to the front.
    void ShowMainPanel();

    CControlDlg& Control() { return m_control; }
    CPendingDlg& Pending() { return m_pending; }
    CTrashDlg& TrashPanel() { return m_trash; }
    CExportStackDlg& ExportStack() { return m_export; }
    CInportStackDlg& InportStack() { return m_import; }
    CSerchDlg& SearchPanel() { return m_search; }

    // Puts the search panel right above the main window's visible frame,
    // as wide as the main window.
    void PlaceSearchPanel();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool OnExtensionQuery(WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnTrayNotify(LPARAM mouseMessage);
    void ShowTrayMenu();
    void Exit();
    void CreateMainPanel();
    void UpdateTrayTip();
    // Saves every note as it is shown (no note window is taken down) while
    // the writing window says so; false (and the window says it failed)
    // when the data file could not be written. With `reportFailure` the
    // write-error message is shown.
    bool SaveWithWritingWindow(bool reportFailure = true);
    // The save of an ending program or session: every note is written as
    // it is shown, and the note windows are left to end with the program.
    // With `holdResult` the writing window keeps its result text up until
    // CloseWritingWindow (the program's own teardown runs meanwhile).
    bool SaveForEnding(bool reportFailure, bool holdResult);
    // Runs `save` while the writing window says so.
    bool WithWritingWindow(bool (CMossrelDlg::*save)(bool), bool reportFailure, bool holdResult);
    // Hides the writing window once its result text has been up 100 ms.
    void CloseWritingWindow();
    // Extends the frame over the buttons while composition is on.
    void ApplyGlass();
    void ComputeGlassMargins();
    void PaintMinimised();
    void OnCopyData(const COPYDATASTRUCT* data);
    bool SaveNotesAsShown(bool reportFailure);
    // Creates the collection panels hidden (the pending list takes the
    // records read at start).
    void CreatePanels();
    // The check box "検索パネル" was clicked.
    void OnSearchBox();
    // The search panel is off: check box cleared, refresh notices ended.
    void SearchPanelOff();

    HICON m_hIcon = nullptr;
    std::string m_dataPath;
    std::string m_propatyPath;
    std::string m_presetPath;
    std::string m_pendingPath;
    CControlDlg m_control;
    CWriteMsgDlg m_writeMsg;
    CExportStackDlg m_export;
    CInportStackDlg m_import;
    CSerchDlg m_search;
    CPendingDlg m_pending;
    CTrashDlg m_trash;  // after the controller: it goes first
    int m_searchBox = 0;  // value of the check box "検索パネル"
    COpaCheck m_searchCheck;
    CMFCButtonEx m_buttons[4];
    CTrayIcon m_tray;
    CExtensionReply m_extensionReply;  // answers the extension utility's handle query
    int m_panelVisible = 0;
    UINT m_msgTaskbarCreated = 0;
    UINT m_msgExtension = 0;
    int m_composition = 0;
    bool m_exiting = false;     // the end-session message comes from Exit
    bool m_lastSaveOk = true;   // result of the save of the last end-session message
    ULONGLONG m_resultShownAt = 0;  // when the writing window's result text went up; 0: not held
    MARGINS m_glass{};
};

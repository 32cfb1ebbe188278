// The search panel (template 166): finds active notes by up to five
// conditions combined with AND and walks through them in the main panel.
// It is owned by the main window, which places it and shows or hides it.
#pragma once

#include "collections/NoteSearch.h"
#include "platform/Dialog.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

// What the search panel needs of the note controller.
class ISearchSource {
public:
    virtual ~ISearchSource() = default;
    // The active notes, each shown note's state copied in.
    virtual const std::vector<CTackletData>& NotesForSearch() = 0;
    // Selects and shows row `index` of the main panel.
    virtual void ShowNoteRow(int index) = 0;
    // An identity of the note at `index` that stays with it while notes
    // are added, removed or moved around it (0 when there is none).
    virtual std::uint64_t NoteIdentityAt(int index) const = 0;
    // Refresh notices: after each list rebuild, `message` is posted to
    // `window` while `flag` is 1.
    virtual void SetSearchSubscription(int flag, UINT message, HWND window) = 0;
};

class CSerchDlg : public CDialog {
public:
    CSerchDlg();
    ~CSerchDlg() override;

    // Created hidden, owned by `owner`.
    bool CreateHidden(HWND owner);
    void SetSource(ISearchSource* source) { m_source = source; }
    // Called after the panel was closed by the user.
    void SetClosedHandler(std::function<void()> handler) { m_onClosed = std::move(handler); }

    // Before each showing: no current result, days back to 90.
    void Open();

    const CSearchResults& Results() const { return m_results; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ReadControls();
    void WriteControls();
    void Execute();
    void Search();
    // The search in force run again after a rebuild of the main list; the
    // current result stays on its note.
    void SearchAgain();
    // The identities of the notes at `positions`.
    std::vector<std::uint64_t> IdentitiesOf(const std::vector<int>& positions) const;
    void UpdateLabel();
    void ShowCurrent();
    void Close();

    ISearchSource* m_source = nullptr;
    std::function<void()> m_onClosed;
    CSearchConditions m_values;  // the controls as last read
    CSearchConditions m_inForce;
    CSearchResults m_results;
    HBRUSH m_noResultBrush = nullptr;
    HBRUSH m_resultBrush = nullptr;
};

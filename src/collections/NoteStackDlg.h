// Base of the collection panels (export cache, import cache, pending list,
// trash): a modeless dialog without owner, created hidden, that lists its
// records in a report view and is only hidden when closed. The rows are the
// panel's records with program, title and text, unless a panel lists rows
// of its own (RowCount, RowCells and Columns).
#pragma once

#include "data/RecordList.h"
#include "platform/Dialog.h"
#include "platform/ListView.h"

#include <windows.h>

#include <span>
#include <string>
#include <vector>

class CNoteStackDlg : public CDialog {
public:
    CNoteStackDlg(int templateId, int listId);

    // Creates the panel hidden, without owner.
    bool CreateHidden();
    // Shows the panel centred on the desktop; a visible panel stays as it is.
    void ShowPanel();
    void HidePanel();

    const CRecordList& Records() const { return m_records; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

    // Rebuilds the rows from the records, keeping the selection mark by index.
    void Refresh();
    // Called at the end of each refresh.
    virtual void OnRefreshed() {}
    // The list's columns, the number of rows and the texts of row `row`
    // (one per column, the last ones may be left out).
    virtual std::span<const ListRows::ListColumn> Columns() const;
    virtual std::size_t RowCount() const { return m_records.Size(); }
    virtual std::vector<std::string> RowCells(std::size_t row) const;
    // The marked row: the notice "データを選択してください" and -1 when no
    // row is marked, -1 silently when the mark lies past the rows.
    int MarkedRecord();
    int SelectionMark() const;
    HWND List() const { return m_list; }

    CRecordList m_records{RecordEntry::WithoutWindow};

private:
    int m_listId;
    HWND m_list = nullptr;
};

// The trash panel (template 171, "ゴミ箱"): the notes deleted in the last
// days, newest first, with their first line, condition and deletion time.
// "元に戻す" puts the marked note back among the active notes;
// "完全に削除" deletes it for good after a question. The trash itself belongs to
// the controller; the panel reaches it through ITrashSource.
#pragma once

#include "collections/NoteStackDlg.h"
#include "data/TrashFile.h"

#include <cstdint>
#include <functional>

// What the trash panel needs of the owner of the trash.
class ITrashSource {
public:
    virtual ~ITrashSource() = default;
    virtual const CTrash& Trash() const = 0;
    // The days an item stays.
    virtual int TrashDays() const = 0;
    // Puts item `id` back first among the active notes (shown by the next
    // matching tick); false when it is no longer in the trash.
    virtual bool RestoreFromTrash(std::uint64_t id) = 0;
    // Deletes item `id` for good; false when it is no longer in the trash.
    virtual bool PurgeFromTrash(std::uint64_t id) = 0;
    // `changed` is called after every change of the trash (null: none).
    virtual void SetTrashWatcher(std::function<void()> changed) = 0;
};

class CTrashDlg : public CNoteStackDlg {
public:
    CTrashDlg();
    ~CTrashDlg() override;

    // Called once after creation: the trash to show (null: none). The panel
    // follows its changes until Start(nullptr) or its end.
    void Start(ITrashSource* source);

protected:
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnRefreshed() override;
    std::span<const ListRows::ListColumn> Columns() const override;
    std::size_t RowCount() const override;
    std::vector<std::string> RowCells(std::size_t row) const override;

private:
    void OnRestore();
    void OnPurge();

    ITrashSource* m_source = nullptr;
};

// The note record: the base record plus appearance, font, body text,
// reservation block and leader line, and the operations that bind it to its
// note window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/ArrowData.h"
#include "data/ObjData.h"
#include "data/PvLogFont.h"
#include "data/ReserveData.h"

class CIniFile;
class CWriteIniFile;
class ITackletWindow;

class CTackletData : public CObjData {
public:
    // Longest text taken from a note window.
    static constexpr std::size_t kMaxWindowText = 4000;
    // Opacity limits applied when a value is read.
    static constexpr std::int32_t kMinTransparent = 20;
    static constexpr std::int32_t kMaxTransparent = 100;

    CTackletData();

    // Creates the note window owned by `hWnd` and hands it the record's
    // values (through the window system, see TackletWindow.h).
    void StartTacklet(PvHandle hWnd) override;
    // Touches the access time, then EndTacklet.
    void Detach() override;

    // Takes the window's state back, destroys the window, marks the record
    // modified and notifies the controller.
    void EndTacklet();
    // As Detach, for a record whose window state was collected just before
    // (nothing can have changed since): the window is destroyed without
    // being read a second time.
    void DetachCollected();
    // Copies the note window's current state into the record (needs m_pWin).
    void CollectWindowState();
    // With a window: collect its state; the record stays attached.
    void CopyWindow();
    // With a window: collect its state, shift the note 5 pixels right and
    // down, and detach this copy from the window.
    void CopyWindowForDuplicate();
    // As CopyWindowForDuplicate without the shift.
    void CopyWindowForExport();
    // The window's text (cut to 4000 bytes) while it has one, else TEXT.
    std::string GetText() const;
    // Into the window while it has one (TEXT unchanged), else into TEXT.
    void SetText(const std::string& text);
    // Centre the note window on the target window / its monitor's work area.
    void CenterOnTarget();
    void CenterOnTargetMonitor();

    // Reads the note section `section` of a parsed note file. Missing keys
    // keep the held values or take the defaults of the file format.
    void ReadItem(const CIniFile& ini, std::uint32_t volumeKey, const std::string& section);
    // Writes the note section through `writer`; format 0 or 1 gives the body
    // as TEXTFORMAT and TEXT, any other format writes neither.
    void WriteItem(CWriteIniFile& writer, int format, std::uint32_t volumeKey, const std::string& section,
                   const std::string& path) const;
    // At least as many bytes as WriteItem writes for this note in `format`
    // under a section name of `sectionBytes` bytes (for sizing a buffer).
    std::size_t ItemBytesBound(int format, std::size_t sectionBytes) const;

    static std::int32_t ClampTransparent(std::int32_t value);

    std::int32_t READONLY = 0;
    // Opacity in percent (key TRANSPARENT; the bare name is a macro of the
    // Windows GDI headers).
    std::int32_t TRANSPARENT_ = 70;
    std::int32_t MOUSEHIDECTL = 0;
    std::int32_t COLOR = 0;
    std::int32_t PICKPOS = 0;
    std::int32_t BKCOLOR = 5;
    std::int32_t GRAFLG = 1;
    std::int32_t GRAPTN = 0;
    std::int32_t BKTRANSPARENT = 0;
    std::int32_t TXCOLOR = 0;
    PvLogFont m_logFont;
    std::int32_t FRAME = 0;
    ITackletWindow* m_pWin = nullptr;  // not owned; copies share it
    std::string TEXT;
    // A body that could not be read: its TEXTFORMAT and TEXT as they stand
    // in the file. They are written back unchanged for as long as TEXT is
    // still kUnreadableBodyNotice (the user has not changed the body).
    std::int32_t m_storedFormat = 0;
    std::string m_storedDigits;
    bool KeepsStoredBody() const;
    // Texts whose code-page bytes in the file their text does not give back
    // (a character the code page has two codes for, bytes that are no
    // character): the bytes as read, written back unchanged for as long as
    // the text is the one read from them.
    struct KeptBytes {
        const char* key;
        std::string text;
        std::string bytes;
    };
    std::vector<KeptBytes> m_keptBytes;
    // The kept bytes of `key` while its text is still `text`, else null.
    const std::string* KeptBytesOf(const char* key, std::string_view text) const;
    CReserveData m_reserve;
    CArrowData m_arrow;
    std::int32_t ARLINEWIDTH;
    // The note's lasting identity (hexadecimal digits; the same on every PC
    // that shares the file) and when the user last changed it (0: not
    // known). See NoteIdentity.h.
    std::string NOTEID;
    PvTime CHGDATE = 0;
    // NOTEID was derived from the content when read, and the note has not
    // changed since: every reader derives it again, so it is not written.
    bool m_derivedId = false;

    // Takes the state of another version of this note (text, appearance,
    // place, condition, identity and times); a shown note's window gets it
    // at once. The attachment and the window stay this record's.
    void TakeVersion(const CTackletData& other);

private:
    void HandOverValues();
    void PlaceWindow();
    void DetachCopy();
    void CenterOn(const PvRect& area);

private:
    void EndTacklet(bool collect);
};

// Base note record: the match condition, the times, the note and target
// rectangles and the attachment state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/PvTypes.h"
#include "data/WinInf.h"

class CObjData {
public:
    CObjData();
    virtual ~CObjData() = default;
    CObjData(const CObjData&) = default;
    CObjData& operator=(const CObjData&) = default;

    // Attaches to the first matching window when detached; when attached,
    // stays while the target is in the list and still matches, otherwise
    // detaches.
    virtual void MatchWindows(std::vector<CWinInf>& windows);
    // The match test. A process-name match stores the window's executable
    // path in EXEPATH even when a later condition fails.
    virtual bool IsMatchWindow(CWinInf& window);
    // Creates the note window for target `hWnd` (nothing in the base record).
    virtual void StartTacklet(PvHandle hWnd);
    // Ends the attachment (the base record only touches the access time).
    virtual void Detach();

    // ACSDATE becomes the current time while attached.
    void TouchAccessTime();

    std::int32_t TITLEFLAG = 1;
    std::int32_t PRECESSEFLAG = 1;
    std::int32_t FULL = 1;
    std::int32_t EXTENTFLAG = 0;
    std::int32_t EXFULLFLAG = 1;
    std::string TITLE;
    std::string PART;
    std::string EXENAME;  // upper case; "DESKTOP" for a desktop note
    std::string EXEPATH;
    std::string EXTEXT;
    std::string EXPART;
    std::int32_t EXCTLID = 0;
    std::string EXCLASS;
    PvTime GENDATE;
    PvTime ACSDATE;
    std::int32_t REC_LEFT = 0;
    std::int32_t REC_TOP = 0;
    std::int32_t REC_RIGHT = 0;
    std::int32_t REC_BOTTOM = 0;
    std::int32_t TGT_LEFT = 0;
    std::int32_t TGT_TOP = 0;
    std::int32_t TGT_RIGHT = 0;
    std::int32_t TGT_BOTTOM = 0;
    PvHandle hTargetWnd = 0;
    std::int32_t m_bAttached = 0;
    std::int32_t m_bModified = 0;

    PvRect NoteRect() const { return {REC_LEFT, REC_TOP, REC_RIGHT, REC_BOTTOM}; }
    void SetNoteRect(const PvRect& r);
    PvRect TargetRect() const { return {TGT_LEFT, TGT_TOP, TGT_RIGHT, TGT_BOTTOM}; }
    void SetTargetRect(const PvRect& r);
};


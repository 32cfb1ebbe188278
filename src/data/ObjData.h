// Base note record: the match condition, the times, the note and target
// rectangles and the attachment state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/PvTypes.h"
#include "data/WinInf.h"

class CObjData;

// How far a window gets through a note's condition, in the order the parts
// are tested; Matches when it passes every part. The matching tick and the
// main panel's explanation both ask FirstFailingPart.
enum class MatchStep {
    Process,      // another program
    Title,        // the title differs (whole or fragment)
    ChildUnread,  // the child condition needs the children, not read yet
    ChildClass,   // no child window has the class name
    ChildId,      // a child has the class name, none also the control ID
    ChildText,    // the child with class name and ID has another text
    Matches,
};

// Parts of the condition: exact texts, or the code-page form of the
// window's texts for a record of an older file (see SameText in the source).
bool ProcessPasses(const CObjData& note, const CWinInf& window);
bool TitlePasses(const CObjData& note, const CWinInf& window);
bool ProcessPasses(const CObjData& note, const std::string& exeName);
bool TitlePasses(const CObjData& note, const std::string& title);
// The first part of `note`'s condition that `window` fails, from what the
// window holds (its children as far as they were read).
MatchStep FirstFailingPart(const CObjData& note, const CWinInf& window);

class CObjData {
public:
    CObjData();
    virtual ~CObjData() = default;
    CObjData(const CObjData&) = default;
    CObjData& operator=(const CObjData&) = default;
    CObjData(CObjData&&) = default;
    CObjData& operator=(CObjData&&) = default;

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


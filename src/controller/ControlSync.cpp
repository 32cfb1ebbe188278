// Sharing the data file with other PCs through a synced folder: the folder
// watch, the merge of the file another PC wrote, the conflict copies sync
// services leave beside it, and the one path by which a merge deletes notes.
// The merging itself is CNoteSaver's (windowless).
#include "controller/ControlDlg.h"

#include "data/ConflictCopy.h"
#include "data/Trace.h"
#include "platform/WinText.h"
#include "res/resource.h"

namespace {

// How long the folder stays quiet before the watch reports a change.
constexpr DWORD kFolderQuietMs = 300;

// The folder of `path` ("" for the current folder), cut on the wide text
// so that no double-byte character is split.
std::wstring FolderOf(const std::string& path) {
    const std::wstring wide = WideOf(path);
    const std::size_t slash = wide.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : wide.substr(0, slash);
}

std::wstring Joined(const std::wstring& folder, const std::wstring& name) {
    return folder.empty() ? name : folder + L"\\" + name;
}

// Conflict copies of `dataPath` lying beside it, by full path.
std::vector<std::wstring> ConflictCopiesOf(const std::string& dataPath) {
    const std::wstring folder = FolderOf(dataPath);
    const std::wstring wide = WideOf(dataPath);
    const std::string fileName = TextOf(wide.substr(wide.find_last_of(L"\\/") + 1));
    std::vector<std::wstring> copies;
    WIN32_FIND_DATAW found{};
    const HANDLE find = ::FindFirstFileW(Joined(folder, L"*.*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return copies;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (IsConflictCopyName(fileName, TextOf(found.cFileName))) copies.push_back(Joined(folder, found.cFileName));
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return copies;
}

// Moves a merged copy into the subfolder beside it, under a free name.
bool PutAside(const std::wstring& copy) {
    const std::size_t slash = copy.find_last_of(L"\\/");
    const std::wstring folder = Joined(slash == std::wstring::npos ? L"" : copy.substr(0, slash),
                                       WideOf(kConflictCopyFolder));
    const std::wstring name = slash == std::wstring::npos ? copy : copy.substr(slash + 1);
    ::CreateDirectoryW(folder.c_str(), nullptr);
    for (int n = 0; n < 100; ++n) {
        const std::wstring target = Joined(folder, n == 0 ? name : name + L"." + std::to_wstring(n));
        if (::MoveFileExW(copy.c_str(), target.c_str(), MOVEFILE_COPY_ALLOWED)) return true;
        if (::GetLastError() != ERROR_ALREADY_EXISTS && ::GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

}  // namespace

void CControlDlg::StartFolderWatch() {
    m_saver.SetRemover([this](const std::vector<std::uint64_t>& ids) { RemoveMergedNotes(ids); });
    if (!GetHwnd() || !m_saver.Started()) return;
    std::wstring folder = FolderOf(m_saver.Path());
    if (folder.empty()) folder = L".";
    if (!m_folderWatch.Start(TextOf(folder), GetHwnd(), WM_PV_FOLDERCHANGED, kFolderQuietMs))
        Trace("the folder of %s cannot be watched\n", m_saver.Path().c_str());
    // Copies left while the program was not running.
    ::PostMessageW(GetHwnd(), WM_PV_FOLDERCHANGED, 0, 0);
}

void CControlDlg::OnFolderChanged() {
    if (!m_loaded) return;
    // Nothing here pumps messages: the list is changed and shown once, and
    // written at most once.
    const CNoteSaver::MergeResult file = m_saver.MergeFile(m_notes, m_settings.FORMAT);
    bool changed = file.changed;
    bool behind = file.read && file.fileBehind;
    for (const std::wstring& copy : ConflictCopiesOf(m_saver.Path())) {
        const CNoteSaver::MergeResult merged = m_saver.MergeCopy(m_notes, TextOf(copy));
        if (!merged.read) continue;  // still being written, or gone: the next change brings it again
        Trace("conflict copy %s: %zu added, %zu conflicts\n", TextOf(copy).c_str(), merged.added, merged.conflicts);
        changed = changed || merged.changed;
        behind = behind || merged.changed;
        if (!PutAside(copy)) Trace("conflict copy %s could not be moved aside\n", TextOf(copy).c_str());
    }
    if (changed) RefreshNoteList();
    if (behind) WriteIniFile(false);
}

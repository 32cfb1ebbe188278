#include "app/StartupData.h"

#include "platform/AppPaths.h"
#include "data/NoteFile.h"
#include "data/VolumeKey.h"

namespace {
CStartupData* g_instance = nullptr;
}

CStartupData& CStartupData::Instance() {
    if (!g_instance) g_instance = new CStartupData();
    return *g_instance;
}

bool CStartupData::Exists() { return g_instance != nullptr; }

void CStartupData::Destroy() {
    delete g_instance;
    g_instance = nullptr;
}

CStartupData::CStartupData()
    : m_dataPath(AppFile(kDataFileName)), m_pendingPath(AppFile(kPendingFileName)) {
    struct FileTexts {
        const std::string& path;
        std::vector<CTackletData>& notes;
        const char* unreadable;
        const char* restored;
    };
    const FileTexts files[] = {
        {m_dataPath, m_notes, "データファイルを読み込めません。読み込めるまでデータファイルは書き換えません。",
         "データファイルが壊れていたため、バックアップから復元しました。"},
        {m_pendingPath, m_pending,
         "保留リストファイルを読み込めません。読み込めるまで保留リストファイルは書き換えません。",
         "保留リストファイルが壊れていたため、バックアップから復元しました。"},
    };
    for (const FileTexts& file : files) {
        CStartupNoteFile read = ReadStartupNoteFile(file.path, VolumeKeyForPath(file.path));
        file.notes = std::move(read.contents.notes);
        if (read.contents.state == NoteFileState::Unreadable) m_notices.push_back(file.unreadable);
        if (read.restored) m_notices.push_back(file.restored);
        if (&file.path == &m_dataPath) m_dataRestored = read.restored;
    }
}

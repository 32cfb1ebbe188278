#include "platform/StartupData.h"

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
    : m_dataPath(CurrentDirFile(kDataFileName)), m_pendingPath(CurrentDirFile(kPendingFileName)) {
    m_notes = ReadNoteFile(m_dataPath, VolumeKeyForPath(m_dataPath));
    m_pending = ReadNoteFile(m_pendingPath, VolumeKeyForPath(m_pendingPath));
}

// Notes read once at start from the data file and the pending-list file.
// The controller and the pending list take their sequences over.
#pragma once

#include "data/TackletData.h"

#include <string>
#include <vector>

class CStartupData {
public:
    static CStartupData& Instance();  // created (and the files read) on first use
    static bool Exists();
    static void Destroy();

    std::vector<CTackletData>& Notes() { return m_notes; }
    std::vector<CTackletData>& Pending() { return m_pending; }
    const std::string& DataPath() const { return m_dataPath; }
    const std::string& PendingPath() const { return m_pendingPath; }

    // What the user must be told about the files as read (each at most
    // once): a file that could not be read, a file restored from its backup.
    const std::vector<std::string>& Notices() const { return m_notices; }
    // Whether the data file's notes come from its backup.
    bool DataRestored() const { return m_dataRestored; }

private:
    CStartupData();

    std::vector<CTackletData> m_notes;
    std::vector<CTackletData> m_pending;
    std::string m_dataPath;
    std::string m_pendingPath;
    std::vector<std::string> m_notices;
    bool m_dataRestored = false;
};

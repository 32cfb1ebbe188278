// End-to-end scenario of a data file shared with another PC through a
// synced folder: the test plays the sync service.
#pragma once

#include <string>

namespace e2e {
int SyncedFolder(const std::string& exe);
}

// Copies of a file that sync services leave beside it when two PCs changed
// it at once, told by their names:
//   OneDrive       PinvaneData-<PC>.ini
//   Dropbox        PinvaneData (<who>'s conflicted copy <date>).ini
//   Syncthing      PinvaneData.sync-conflict-<date>-<time>-<device>.ini
//   Google Drive   PinvaneData (1).ini
// Letters compare without case, as the file system does.
#pragma once

#include <string_view>

// Whether `name` (a file name without folder) is such a copy of `fileName`
// ("PinvaneData.ini").
bool IsConflictCopyName(std::string_view fileName, std::string_view name);

// The folder beside the data file that merged copies are moved into.
inline constexpr char kConflictCopyFolder[] = "conflicts";

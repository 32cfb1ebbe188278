#include "data/ConflictCopy.h"

#include <gtest/gtest.h>

TEST(ConflictCopyTest, NamesOfTheSyncServicesCopies) {
    const struct {
        const char* name;
        bool copy;
    } cases[] = {
        {"PinvaneData-OFFICE-PC.ini", true},                                      // OneDrive
        {"PinvaneData (Taro's conflicted copy 2026-12-11).ini", true},            // Dropbox
        {"PinvaneData (Taro のコンフリクト conflicted copy).ini", true},
        {"PinvaneData.sync-conflict-20261211-123456-ABCDEFG.ini", true},          // Syncthing
        {"PinvaneData (1).ini", true},                                            // Google Drive
        {"pinvanedata (12).INI", true},
        {"PinvaneData.ini", false},                                               // the file itself
        {"PinvaneData.ini.bak1", false},                                          // its backups
        {"PinvaneData.ini.1a2b.tmp", false},                                      // the writer's temporary file
        {"PinvaneData.ini.damaged", false},
        {"PinvaneData-.ini", false},
        {"PinvaneData (copy).ini", false},
        {"PinvaneData ().ini", false},
        {"MossrelPendingList.ini", false},
        {"MossrelPropaty.ini", false},
        {"PinvaneData-PC.txt", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsConflictCopyName("PinvaneData.ini", c.name), c.copy) << c.name;
}

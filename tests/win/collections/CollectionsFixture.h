// A controller fixture with the panels' common helpers: commands sent to a
// panel, its rows and cells, and note records made for the tests.
#pragma once

#include "ControllerFixture.h"

#include "data/TackletData.h"
#include "platform/ListView.h"

#include <commctrl.h>

#include <string>

class CCollectionsFixture : public CControllerFixture {
protected:
    static void Command(HWND dialog, int id) {
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
    static int Rows(HWND list) { return ListView_GetItemCount(list); }
    static std::string Cell(HWND list, int row, int column) {
        return ListRows::CellText(list, row, column);
    }
    static void Mark(HWND list, int row) { ListView_SetSelectionMark(list, row); }
    static CTackletData Record(const std::string& title, const std::string& text = std::string()) {
        CTackletData record;
        record.TITLE = title;
        record.EXENAME = "NOTEPAD.EXE";
        record.TEXT = text.empty() ? "text of " + title : text;
        return record;
    }
    std::string FileText(const std::string& path) const {
        std::string text;
        if (FILE* f = std::fopen(path.c_str(), "rb")) {
            char buf[4096];
            std::size_t n;
            while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
            std::fclose(f);
        }
        return text;
    }
};

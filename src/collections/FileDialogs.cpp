#include "collections/FileDialogs.h"

#include "data/MbString.h"

#include <commdlg.h>

#include <vector>

namespace {

// "a|b||" as the dialog wants it: each "|" a zero byte. A "|" inside a
// double-byte character is part of that character.
std::string FilterText(const char* filter) {
    std::string text(filter);
    for (std::size_t i = 0; i < text.size(); i += MbCharLength(text, i))
        if (text[i] == '|') text[i] = '\0';
    return text;
}

bool RunFileDialog(HWND owner, const std::string& filter, const char* defaultExt, bool save, std::string* path) {
    std::vector<char> file(32768, '\0');
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = defaultExt;
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NOCHANGEDIR | (save ? OFN_OVERWRITEPROMPT : 0);
    const BOOL ok = save ? ::GetSaveFileNameA(&ofn) : ::GetOpenFileNameA(&ofn);
    if (!ok) return false;
    *path = file.data();
    return true;
}

}  // namespace

PathChooser SaveFileChooser(const char* filter, const char* defaultExt) {
    std::string f = FilterText(filter);
    return [f, defaultExt](HWND owner, std::string* path) { return RunFileDialog(owner, f, defaultExt, true, path); };
}

PathChooser OpenFileChooser(const char* filter, const char* defaultExt) {
    std::string f = FilterText(filter);
    return [f, defaultExt](HWND owner, std::string* path) { return RunFileDialog(owner, f, defaultExt, false, path); };
}

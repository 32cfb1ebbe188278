#include "collections/FileDialogs.h"

#include "platform/WinText.h"

#include <commdlg.h>

#include <vector>

namespace {

// "a|b||" as the dialog wants it: each "|" a zero.
std::wstring FilterText(const char* filter) {
    std::wstring text = WideOf(filter);
    for (wchar_t& c : text)
        if (c == L'|') c = L'\0';
    return text;
}

bool RunFileDialog(HWND owner, const std::wstring& filter, const char* defaultExt, bool save, std::string* path) {
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring ext = WideOf(defaultExt);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = ext.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NOCHANGEDIR | (save ? OFN_OVERWRITEPROMPT : 0);
    const BOOL ok = save ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn);
    if (!ok) return false;
    *path = TextOf(file.data());
    return true;
}

}  // namespace

PathChooser SaveFileChooser(const char* filter, const char* defaultExt) {
    std::wstring f = FilterText(filter);
    return [f, defaultExt](HWND owner, std::string* path) { return RunFileDialog(owner, f, defaultExt, true, path); };
}

PathChooser OpenFileChooser(const char* filter, const char* defaultExt) {
    std::wstring f = FilterText(filter);
    return [f, defaultExt](HWND owner, std::string* path) { return RunFileDialog(owner, f, defaultExt, false, path); };
}

#include "GdiCounter.h"

#include <cstring>
#include <set>

namespace {

std::set<HGDIOBJ>& Objects() {
    static std::set<HGDIOBJ> objects;
    return objects;
}
long g_created = 0;

template <class H>
H Track(H handle) {
    if (handle) {
        Objects().insert(reinterpret_cast<HGDIOBJ>(handle));
        ++g_created;
    }
    return handle;
}

// The real functions, called through pointers taken from gdi32 itself (a
// call by name would come back through the redirected import).
template <class F>
F Real(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("gdi32.dll"), name)));
}

HBRUSH WINAPI MyCreateSolidBrush(COLORREF c) {
    static auto real = Real<HBRUSH(WINAPI*)(COLORREF)>("CreateSolidBrush");
    return Track(real(c));
}
HBRUSH WINAPI MyCreateBrushIndirect(const LOGBRUSH* b) {
    static auto real = Real<HBRUSH(WINAPI*)(const LOGBRUSH*)>("CreateBrushIndirect");
    return Track(real(b));
}
HPEN WINAPI MyCreatePen(int s, int w, COLORREF c) {
    static auto real = Real<HPEN(WINAPI*)(int, int, COLORREF)>("CreatePen");
    return Track(real(s, w, c));
}
HFONT WINAPI MyCreateFontIndirectA(const LOGFONTA* f) {
    static auto real = Real<HFONT(WINAPI*)(const LOGFONTA*)>("CreateFontIndirectA");
    return Track(real(f));
}
HBITMAP WINAPI MyCreateCompatibleBitmap(HDC dc, int w, int h) {
    static auto real = Real<HBITMAP(WINAPI*)(HDC, int, int)>("CreateCompatibleBitmap");
    return Track(real(dc, w, h));
}
HBITMAP WINAPI MyCreateDIBSection(HDC dc, const BITMAPINFO* i, UINT u, void** b, HANDLE s, DWORD o) {
    static auto real = Real<HBITMAP(WINAPI*)(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD)>("CreateDIBSection");
    return Track(real(dc, i, u, b, s, o));
}
HDC WINAPI MyCreateCompatibleDC(HDC dc) {
    static auto real = Real<HDC(WINAPI*)(HDC)>("CreateCompatibleDC");
    return Track(real(dc));
}
HRGN WINAPI MyCreateRectRgn(int l, int t, int r, int b) {
    static auto real = Real<HRGN(WINAPI*)(int, int, int, int)>("CreateRectRgn");
    return Track(real(l, t, r, b));
}
BOOL WINAPI MyDeleteObject(HGDIOBJ o) {
    static auto real = Real<BOOL(WINAPI*)(HGDIOBJ)>("DeleteObject");
    Objects().erase(o);
    return real(o);
}
BOOL WINAPI MyDeleteDC(HDC dc) {
    static auto real = Real<BOOL(WINAPI*)(HDC)>("DeleteDC");
    Objects().erase(reinterpret_cast<HGDIOBJ>(dc));
    return real(dc);
}

struct Redirect {
    const char* name;
    void* replacement;
};

const Redirect kRedirects[] = {
    {"CreateSolidBrush", reinterpret_cast<void*>(&MyCreateSolidBrush)},
    {"CreateBrushIndirect", reinterpret_cast<void*>(&MyCreateBrushIndirect)},
    {"CreatePen", reinterpret_cast<void*>(&MyCreatePen)},
    {"CreateFontIndirectA", reinterpret_cast<void*>(&MyCreateFontIndirectA)},
    {"CreateCompatibleBitmap", reinterpret_cast<void*>(&MyCreateCompatibleBitmap)},
    {"CreateDIBSection", reinterpret_cast<void*>(&MyCreateDIBSection)},
    {"CreateCompatibleDC", reinterpret_cast<void*>(&MyCreateCompatibleDC)},
    {"CreateRectRgn", reinterpret_cast<void*>(&MyCreateRectRgn)},
    {"DeleteObject", reinterpret_cast<void*>(&MyDeleteObject)},
    {"DeleteDC", reinterpret_cast<void*>(&MyDeleteDC)},
};

// Replaces, in the import table of this executable, every gdi32 entry named
// in kRedirects; returns how many entries were replaced.
int PatchImports() {
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return 0;
    int patched = 0;
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        if (_stricmp(reinterpret_cast<const char*>(base + imp->Name), "gdi32.dll") != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + (imp->OriginalFirstThunk ? imp->OriginalFirstThunk
                                                                                            : imp->FirstThunk));
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const char* name =
                reinterpret_cast<const char*>(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name);
            for (const Redirect& r : kRedirects) {
                if (std::strcmp(name, r.name) != 0) continue;
                DWORD old = 0;
                ::VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &old);
                slots->u1.Function = reinterpret_cast<ULONG_PTR>(r.replacement);
                ::VirtualProtect(&slots->u1.Function, sizeof(void*), old, &old);
                ++patched;
            }
        }
    }
    return patched;
}

}  // namespace

namespace GdiCounter {

bool Install() {
    static const int patched = PatchImports();
    return patched > 0;
}

int Live() { return static_cast<int>(Objects().size()); }
long Created() { return g_created; }

}  // namespace GdiCounter

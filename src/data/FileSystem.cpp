#include "data/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <wchar.h>
#else
#include <unistd.h>
#endif

#include <string_view>

#ifdef _WIN32
namespace {
// UTF-8 to UTF-16; a byte that starts no valid sequence becomes U+FFFD.
std::wstring WidePath(std::string_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        char32_t cp = 0xFFFD;
        std::size_t len = 1;
        if (c < 0x80) {
            cp = c;
        } else {
            len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            char32_t v = len == 4 ? (c & 0x07) : len == 3 ? (c & 0x0F) : (c & 0x1F);
            bool ok = len > 1 && i + len <= text.size();
            for (std::size_t k = 1; ok && k < len; ++k) {
                const unsigned char t = static_cast<unsigned char>(text[i + k]);
                ok = (t & 0xC0) == 0x80;
                v = (v << 6) | (t & 0x3F);
            }
            if (ok) cp = v;
            else len = 1;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (cp >> 10));
            out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<wchar_t>(cp);
        }
        i += len;
    }
    return out;
}
}  // namespace

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return ::_wfopen(WidePath(path).c_str(), WidePath(mode).c_str());
}

std::FILE* CreateNewFile(const std::string& path) {
    const int fd = ::_wopen(WidePath(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE* file = ::_fdopen(fd, "wb");
    if (file == nullptr) ::_close(fd);
    return file;
}

bool RemoveFile(const std::string& path) { return ::_wremove(WidePath(path).c_str()) == 0; }

bool RenameFile(const std::string& from, const std::string& to) {
    return ::_wrename(WidePath(from).c_str(), WidePath(to).c_str()) == 0;
}

PathKind KindOfPath(const std::string& path) {
    struct _stat64 st {};
    if (::_wstat64(WidePath(path).c_str(), &st) != 0) return PathKind::Missing;
    return (st.st_mode & _S_IFMT) == _S_IFREG ? PathKind::File : PathKind::Other;
}
#else
std::FILE* OpenFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

std::FILE* CreateNewFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, "wb");
    if (file == nullptr) ::close(fd);
    return file;
}

bool RemoveFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool RenameFile(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

PathKind KindOfPath(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return PathKind::Missing;
    return S_ISREG(st.st_mode) ? PathKind::File : PathKind::Other;
}
#endif

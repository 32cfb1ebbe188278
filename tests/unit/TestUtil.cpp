#include "TestUtil.h"

#include "data/CodePage.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

namespace {
std::uint32_t g_serial = 0;
bool g_available = false;
char g_lastDrive = 0;
}  // namespace

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    m_path = std::filesystem::temp_directory_path() /
             ("pvtest-" + std::to_string(rd()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string IniLines(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* line : lines) {
        out += IsValidUtf8(line) ? CodePageOf(line) : std::string(line);
        out += "\r\r\n";
    }
    return out;
}

TraceCapture::TraceCapture() {
    TraceSetSink(&TraceCapture::Sink, this);
    TraceEnable(true);
}

TraceCapture::~TraceCapture() {
    TraceEnable(false);
    TraceSetSink(nullptr, nullptr);
}

void TraceCapture::Sink(const char* text, void* context) { static_cast<TraceCapture*>(context)->m_text += text; }

FakeVolumeSerial::FakeVolumeSerial(std::uint32_t serial, bool available) {
    g_serial = serial;
    g_available = available;
    g_lastDrive = 0;
    SetVolumeSerialProvider(&FakeVolumeSerial::Provide);
}

FakeVolumeSerial::~FakeVolumeSerial() { SetVolumeSerialProvider(nullptr); }

char FakeVolumeSerial::LastDrive() { return g_lastDrive; }

bool FakeVolumeSerial::Provide(char drive, std::uint32_t* serial) {
    g_lastDrive = drive;
    if (!g_available) return false;
    *serial = g_serial;
    return true;
}

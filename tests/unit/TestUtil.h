// Helpers shared by the unit tests: scratch directories, file bytes and
// captured trace output.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "data/Trace.h"
#include "data/VolumeKey.h"

// A fresh directory removed again at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// Joins lines with the files' line end (0D 0D 0A), as the files hold them:
// in the code page (a line of raw code-page bytes, which is no valid UTF-8,
// is kept as it is).
std::string IniLines(std::initializer_list<const char*> lines);

// Collects trace text while alive (tracing switched on).
class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    const std::string& Text() const { return m_text; }

private:
    static void Sink(const char* text, void* context);
    std::string m_text;
};

// Installs a volume serial provider answering `serial` for every drive
// (or failing when `available` is false) while alive.
class FakeVolumeSerial {
public:
    FakeVolumeSerial(std::uint32_t serial, bool available = true);
    ~FakeVolumeSerial();
    static char LastDrive();

private:
    static bool Provide(char drive, std::uint32_t* serial);
};

// Reading and writing a data file of 1000 notes with 4000-byte bodies,
// side by side with the plain work underneath: reading the file's bytes and
// decoding the hexadecimal bodies in a simple loop. After the run the
// ratios to that baseline are printed.
#include <benchmark/benchmark.h>

#include "RatioReporter.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "data/NoteFile.h"
#include "data/TextProtect.h"

namespace {

constexpr int kNotes = 1000;
constexpr std::size_t kBodyBytes = 4000;
constexpr std::uint32_t kVolumeKey = 0x43000000;

std::filesystem::path ScratchDir() {
    // Memory-backed when possible, so that the disk does not time the writer.
    std::error_code ec;
    const std::filesystem::path shm = "/dev/shm";
    const auto base = std::filesystem::is_directory(shm, ec) ? shm : std::filesystem::temp_directory_path();
    const auto dir = base / "pv-bench";
    std::filesystem::create_directories(dir);
    return dir;
}

// A body of Shift-JIS kana, ASCII words and line breaks.
std::string Body(int seed) {
    std::string body;
    unsigned state = 2463534242u + static_cast<unsigned>(seed);
    while (body.size() < kBodyBytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        switch (state % 4) {
            case 0: body += "\x82"; body += static_cast<char>(0x9F + state % 80); break;  // hiragana
            case 1: body += "note "; break;
            case 2: body += "\r\n"; break;
            default: body += static_cast<char>('a' + state % 26); break;
        }
    }
    body.resize(kBodyBytes);
    if (static_cast<unsigned char>(body.back()) == 0x82) body.back() = 'x';
    return body;
}

struct Fixture {
    std::string path;
    std::string writePath;
    std::vector<CTackletData> notes;

    Fixture() {
        const auto dir = ScratchDir();
        path = (dir / "PinvaneData.ini").string();
        writePath = (dir / "PinvaneData-out.ini").string();
        notes.resize(kNotes);
        for (int i = 0; i < kNotes; ++i) {
            CTackletData& n = notes[i];
            n.TITLE = "無題 - メモ帳 " + std::to_string(i);
            n.EXENAME = "NOTEPAD.EXE";
            n.EXEPATH = "C:\\Windows\\system32\\notepad.exe";
            n.SetNoteRect({i, i, i + 200, i + 60});
            n.TEXT = Body(i);
        }
        WriteDataFile(path, notes, kTextScrambled, kVolumeKey);
    }
};

const Fixture& TheFixture() {
    static const Fixture fixture;
    return fixture;
}

struct HexTable {
    unsigned char value[256] = {};
    HexTable() {
        for (int c = 0; c < 10; ++c) value['0' + c] = static_cast<unsigned char>(c);
        for (int c = 0; c < 6; ++c) value['a' + c] = value['A' + c] = static_cast<unsigned char>(10 + c);
    }
};

// The plain work: the file's bytes in one read, then every "TEXT=" line
// decoded from hexadecimal into a buffer.
void BM_Baseline_ReadBytesAndDecodeBodies(benchmark::State& state) {
    const Fixture& f = TheFixture();
    static const HexTable hex;
    std::vector<unsigned char> body(kBodyBytes + 1);
    for (auto _ : state) {
        std::FILE* file = std::fopen(f.path.c_str(), "rb");
        std::fseek(file, 0, SEEK_END);
        const long size = std::ftell(file);
        std::fseek(file, 0, SEEK_SET);
        std::string bytes(static_cast<std::size_t>(size), '\0');
        if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) state.SkipWithError("short read");
        std::fclose(file);

        std::size_t decoded = 0;
        const char* p = bytes.data();
        const char* end = p + bytes.size();
        while (p < end) {
            const char* eol = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            if (eol == nullptr) eol = end;
            if (eol - p > 5 && std::memcmp(p, "TEXT=", 5) == 0) {
                std::size_t n = 0;
                for (const char* d = p + 5; d + 1 < eol && *d != '\r'; d += 2) {
                    body[n++] = static_cast<unsigned char>(hex.value[static_cast<unsigned char>(d[0])] << 4 |
                                                           hex.value[static_cast<unsigned char>(d[1])]);
                }
                decoded += n;
                benchmark::DoNotOptimize(body.data());
            }
            p = eol + 1;
        }
        benchmark::DoNotOptimize(decoded);
    }
}

void BM_ReadDataFile(benchmark::State& state) {
    const Fixture& f = TheFixture();
    for (auto _ : state) {
        std::vector<CTackletData> notes = ReadNoteFile(f.path, kVolumeKey);
        if (notes.size() != kNotes || notes[7].TEXT != f.notes[7].TEXT) state.SkipWithError("read wrong notes");
        benchmark::DoNotOptimize(notes.data());
    }
}

void BM_WriteDataFile(benchmark::State& state) {
    const Fixture& f = TheFixture();
    std::vector<CTackletData> notes = f.notes;
    for (auto _ : state) {
        if (!WriteDataFile(f.writePath, notes, kTextScrambled, kVolumeKey)) state.SkipWithError("write failed");
    }
}

BENCHMARK(BM_Baseline_ReadBytesAndDecodeBodies)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDataFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteDataFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    CRatioReporter reporter("BM_Baseline_ReadBytesAndDecodeBodies", "baseline");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    std::printf("sizeof(CTackletData) = %zu bytes\n", sizeof(CTackletData));
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(ScratchDir(), ec);
    return 0;
}

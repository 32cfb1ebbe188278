// Merging the data file another PC wrote (1000 notes with 4000-byte
// bodies) into the notes here, against one plain read of such a file in
// the same run: the merge is to cost at most twice that read. The ratios
// are printed after the run, and the run fails when the merge costs more.
#include <benchmark/benchmark.h>

#include "RatioReporter.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "controller/NoteSaver.h"
#include "data/NoteFile.h"
#include "data/NoteMerge.h"
#include "data/TextProtect.h"

namespace {

constexpr int kNotes = 1000;
constexpr std::size_t kBodyBytes = 4000;
constexpr double kMostTimesARead = 2.0;

std::filesystem::path ScratchDir() {
    std::error_code ec;
    const std::filesystem::path shm = "/dev/shm";
    const auto base = std::filesystem::is_directory(shm, ec) ? shm : std::filesystem::temp_directory_path();
    const auto dir = base / "pv-merge-bench";
    std::filesystem::create_directories(dir);
    return dir;
}

std::string Body(int seed) {
    std::string body;
    unsigned state = 2463534242u + static_cast<unsigned>(seed);
    while (body.size() < kBodyBytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        body += static_cast<char>('a' + state % 26);
        if (state % 40 == 0) body += "\r\n";
    }
    body.resize(kBodyBytes);
    return body;
}

// Ours: the base file's notes, ten changed here. Theirs (a file): the base
// with ten other notes changed, five deleted and five added.
struct Fixture {
    std::string basePath, theirPath, dataPath;
    std::vector<CTackletData> ours;

    Fixture() {
        const auto dir = ScratchDir();
        basePath = (dir / "base.ini").string();
        theirPath = (dir / "theirs.ini").string();
        dataPath = (dir / "PinvaneData.ini").string();
        std::vector<CTackletData> notes(kNotes);
        for (int i = 0; i < kNotes; ++i) {
            notes[i].TITLE = "memo " + std::to_string(i);
            notes[i].EXENAME = "NOTEPAD.EXE";
            notes[i].SetNoteRect({i, i, i + 200, i + 60});
            notes[i].TEXT = Body(i);
        }
        WriteDataFile(basePath, notes, kTextPlain, 0);
        ours = ReadNoteFile(basePath, 0);
        std::vector<CTackletData> theirs = ours;
        for (int i = 0; i < 10; ++i) {
            ours[i].TEXT += " here";
            theirs[100 + i].TEXT += " there";
            theirs[100 + i].m_derivedId = false;
        }
        theirs.erase(theirs.begin() + 500, theirs.begin() + 505);
        for (int i = 0; i < 5; ++i) {
            CTackletData added;
            added.TEXT = Body(5000 + i);
            added.NOTEID = "added" + std::to_string(i);
            theirs.push_back(added);
        }
        WriteDataFile(theirPath, theirs, kTextPlain, 0);
    }
};

const Fixture& TheFixture() {
    static const Fixture fixture;
    return fixture;
}

void BM_ReadDataFile(benchmark::State& state) {
    const Fixture& f = TheFixture();
    for (auto _ : state) {
        std::vector<CTackletData> notes = ReadNoteFile(f.theirPath, 0);
        if (notes.size() != kNotes) state.SkipWithError("read wrong notes");
        benchmark::DoNotOptimize(notes.data());
    }
}

// The saver's whole merge: the file read, the plan, the notes changed.
void BM_MergeDataFile(benchmark::State& state) {
    const Fixture& f = TheFixture();
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::copy_file(f.basePath, f.dataPath, std::filesystem::copy_options::overwrite_existing);
        CRecordList notes;
        std::vector<CTackletData> base = ReadNoteFile(f.basePath, 0);
        CNoteSaver saver;
        saver.Start(f.dataPath, base, kTextPlain, false);
        notes.Assign(std::vector<CTackletData>(f.ours));
        std::filesystem::copy_file(f.theirPath, f.dataPath, std::filesystem::copy_options::overwrite_existing);
        state.ResumeTiming();
        const CNoteSaver::MergeResult result = saver.MergeFile(notes, kTextPlain);
        if (result.added != 5 || result.taken != 10 || result.removed != 5 || result.conflicts != 0)
            state.SkipWithError("merged wrongly");
        benchmark::DoNotOptimize(notes.Items().data());
    }
}

BENCHMARK(BM_ReadDataFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeDataFile)->Unit(benchmark::kMillisecond)->Iterations(30);

class CMergeReporter : public CRatioReporter {
public:
    CMergeReporter() : CRatioReporter("BM_ReadDataFile", "plain read") {}
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
            const double t = run.GetAdjustedCPUTime();
            if (run.run_name.function_name == "BM_ReadDataFile") read_ = t;
            if (run.run_name.function_name == "BM_MergeDataFile") merge_ = t;
        }
        CRatioReporter::ReportRuns(runs);
    }
    double Ratio() const { return read_ > 0 ? merge_ / read_ : 0; }

private:
    double read_ = 0;
    double merge_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    CMergeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(ScratchDir(), ec);
    const double ratio = reporter.Ratio();
    std::printf("merge / plain read (CPU): %.2f, at most %.1f\n", ratio, kMostTimesARead);
    return ratio > 0 && ratio <= kMostTimesARead ? 0 : 1;
}

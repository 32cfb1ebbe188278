// pvnotegallery: shows real notes on a plain target window, one for each ear
// position, ear colour, background colour, gradient pattern, the read-only
// ear, the text colours, the keyed-out background and the resize frame, for
// a screenshot.
// Usage: pvnotegallery <ready file> <done file>
// Touches <ready file> once everything is painted, then waits (at most 60 s)
// until <done file> exists.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "NoteTestSupport.h"
#include "data/TackletData.h"

namespace {

constexpr int kNoteWidth = 140;
constexpr int kNoteHeight = 84;
constexpr int kLeft = 30;
constexpr int kTop = 50;
constexpr int kStepX = 152;
constexpr int kStepY = 118;

struct NoteSpec {
    const char* text;
    int pickPos = 0;
    int color = 0;
    int bkColor = 5;
    int graFlg = 1;
    int graPtn = 0;
    int txColor = 0;
    int readOnly = 0;
    int bkTransparent = 0;
    int frame = 0;
    int width = kNoteWidth;
    int height = kNoteHeight;
};

const char* const kEarNames[] = {"赤", "緑", "青", "橙", "黒"};
const char* const kBackNames[] = {"白", "赤", "緑", "青", "橙", "灰"};
const char* const kPosNames[] = {"右", "上", "左", "下"};
const char* const kTextNames[] = {"黒", "赤", "青"};

std::vector<std::vector<NoteSpec>> Rows(std::vector<std::string>& texts) {
    auto label = [&texts](std::string s) {
        texts.push_back(std::move(s));
        return texts.back().c_str();
    };
    texts.reserve(128);
    std::vector<std::vector<NoteSpec>> rows(7);
    for (int pos = 0; pos < 4; ++pos) {
        NoteSpec n{label(std::string("耳の位置 ") + std::to_string(pos) + " " + kPosNames[pos])};
        n.pickPos = pos;
        rows[0].push_back(n);
    }
    for (int tx = 0; tx < 3; ++tx) {
        NoteSpec n{label(std::string("文字色 ") + std::to_string(tx) + " " + kTextNames[tx] + "\r\nテキスト")};
        n.txColor = tx;
        n.bkColor = 0;
        rows[0].push_back(n);
    }
    {
        NoteSpec n{"書き込み禁止\r\n耳に R"};
        n.readOnly = 1;
        n.color = 2;
        rows[0].push_back(n);
    }
    for (int c = 0; c < 5; ++c) {
        NoteSpec n{label(std::string("耳の色 ") + std::to_string(c) + " " + kEarNames[c])};
        n.color = c;
        n.bkColor = 0;
        n.graFlg = 0;
        rows[1].push_back(n);
    }
    {
        NoteSpec n{"背景透過\r\n文字だけ見える"};
        n.bkTransparent = 1;
        n.bkColor = 4;
        n.txColor = 0;
        rows[1].push_back(n);
        NoteSpec m{"背景透過 (青字)\r\n耳も消える"};
        m.bkTransparent = 1;
        m.bkColor = 0;
        m.txColor = 2;
        m.pickPos = 1;
        rows[1].push_back(m);
    }
    for (int b = 0; b < 6; ++b) {
        NoteSpec n{label(std::string("背景 ") + std::to_string(b) + " " + kBackNames[b] + "\r\nグラデーションなし")};
        n.bkColor = b;
        n.graFlg = 0;
        n.color = b % 5;
        rows[2].push_back(n);
    }
    for (int p = 0; p < 8; ++p) {
        NoteSpec n{label(std::string("青 パターン ") + std::to_string(p))};
        n.bkColor = 3;
        n.graPtn = p;
        n.color = 2;
        rows[3].push_back(n);
    }
    for (int p = 0; p < 8; ++p) {
        NoteSpec n{label(std::string("灰 パターン ") + std::to_string(p))};
        n.bkColor = 5;
        n.graPtn = p;
        n.color = 4;
        rows[4].push_back(n);
    }
    for (int b = 0; b < 6; ++b) {
        NoteSpec n{label(std::string(kBackNames[b]) + " パターン 4")};
        n.bkColor = b;
        n.graPtn = 4;
        n.color = 3;
        n.pickPos = 3;
        rows[5].push_back(n);
    }
    {
        NoteSpec n{"大きな付箋\r\n複数行のテキスト。\r\n折り返しのある長い行がどのように見えるかを確かめるための文章です。"};
        n.width = 300;
        n.height = 100;
        n.bkColor = 4;
        n.graPtn = 1;
        n.color = 3;
        rows[6].push_back(n);
        NoteSpec f{"サイズ変更枠あり"};
        f.frame = 1;
        f.bkColor = 2;
        f.graPtn = 6;
        f.color = 1;
        f.pickPos = 2;
        rows[6].push_back(f);
    }
    return rows;
}


}  // namespace

int main(int argc, char** argv) {
    wintest::CShotFiles files;
    if (!files.Parse(argc, argv, 3, "pvnotegallery <ready file> <done file>")) return 2;

    CTestWindowSystem system(kNoteWidth, kNoteHeight);
    CTargetWindow target(5, 5, 1270, 1010, "付箋ギャラリー");
    if (!target.Get()) return 1;
    RECT t;
    ::GetWindowRect(target.Get(), &t);

    std::vector<std::string> texts;
    std::vector<CTackletData> notes;
    const auto rows = Rows(texts);
    int y = kTop;
    for (const auto& row : rows) {
        int x = kLeft;
        int rowHeight = kNoteHeight;
        for (const NoteSpec& s : row) {
            CTackletData rec;
            rec.EXENAME = "PVNOTEGALLERY.EXE";
            rec.TEXT = s.text;
            rec.PICKPOS = s.pickPos;
            rec.COLOR = s.color;
            rec.BKCOLOR = s.bkColor;
            rec.GRAFLG = s.graFlg;
            rec.GRAPTN = s.graPtn;
            rec.TXCOLOR = s.txColor;
            rec.READONLY = s.readOnly;
            rec.BKTRANSPARENT = s.bkTransparent;
            rec.FRAME = s.frame;
            rec.SetNoteRect(PvRect{x, y, x + s.width, y + s.height});
            rec.SetTargetRect(PvRect{t.left, t.top, t.right, t.bottom});
            notes.push_back(rec);
            x += s.width + (kStepX - kNoteWidth);
            rowHeight = std::max(rowHeight, s.height);
        }
        y += rowHeight + (kStepY - kNoteHeight);
    }
    for (CTackletData& rec : notes) rec.StartTacklet(target.Handle());

    Pump(800);  // enabled, painted
    files.Hold();

    for (CTackletData& rec : notes) rec.EndTacklet();
    return 0;
}

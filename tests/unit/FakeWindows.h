// Fakes of the note window and the window system for the record tests.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/TackletWindow.h"

// A note window that keeps what it is given and logs every call by name.
class FakeTackletWindow : public ITackletWindow {
public:
    explicit FakeTackletWindow(PvHandle handle, std::vector<std::string>* log) : m_handle(handle), m_log(log) {}

    PvHandle Handle() const override { return m_handle; }
    void SetTarget(bool isDesktop, PvHandle target) override { Log("SetTarget"); desktop = isDesktop; this->target = target; }
    void SetText(const std::string& t) override { Log("SetText"); text = t; }
    std::string GetText() const override { return text; }
    void SetReadOnly(int v) override { Log("SetReadOnly"); readOnly = v; }
    int IsReadOnly() const override { return readOnly; }
    void SetBkTransparent(int v) override { Log("SetBkTransparent"); bkTransparent = v; }
    int GetBkTransparent() const override { return bkTransparent; }
    void SetTransparent(int v) override { Log("SetTransparent"); transparent = v; }
    int GetTransparent() const override { return transparent; }
    void SetMouseHideCtl(int v) override { Log("SetMouseHideCtl"); mouseHide = v; }
    int GetMouseHideCtl() const override { return mouseHide; }
    void SetColor(int v) override { Log("SetColor"); color = v; }
    int GetColor() const override { return color; }
    void SetFrame(int v) override { Log("SetFrame"); frame = v; }
    int HasFrame() const override { return frame; }
    void SetPickPos(int v) override { Log("SetPickPos"); pickPos = v; }
    int GetPickPos() const override { return pickPos; }
    void SetBkColor(int v) override { Log("SetBkColor"); bkColor = v; }
    int GetBkColor() const override { return bkColor; }
    void SetTxColor(int v) override { Log("SetTxColor"); txColor = v; }
    int GetTxColor() const override { return txColor; }
    void SetGradient(int f, int p) override { Log("SetGradient"); graFlg = f; graPtn = p; }
    int GetGraFlg() const override { return graFlg; }
    int GetGraPtn() const override { return graPtn; }
    void SetEditFont(const PvLogFont& f) override { Log("SetEditFont"); font = f; }
    PvLogFont GetEditFont() const override { return font; }
    void SetReserve(const CReserveData& r) override { Log("SetReserve"); reserve = r; }
    CReserveData GetReserve() const override { return reserve; }
    PvRect GetWindowRect() const override { return rect; }
    void MoveWindow(int l, int t, int w, int h) override {
        Log("MoveWindow");
        rect = {l, t, l + w, t + h};
        rectWin = rect;
    }
    PvRect GetRectWin() const override { return rectWin; }
    void SetTargetRect(const PvRect& r) override { Log("SetTargetRect"); targetRect = r; }
    PvRect GetTargetRect() const override { return targetRect; }
    void SetArrow(const CArrowData& a, int w) override { Log("SetArrow"); arrow = a; lineWidth = w; }
    CArrowData GetArrow() override { return arrow; }
    int GetArrowLineWidth() const override { return lineWidth; }
    void CompleteStart() override { Log("CompleteStart"); }
    void Destroy() override { Log("Destroy"); destroyed = true; }

    bool desktop = false;
    PvHandle target = 0;
    std::string text;
    int readOnly = 0, bkTransparent = 0, transparent = 0, mouseHide = 0, color = 0, frame = 0;
    int pickPos = 0, bkColor = 0, txColor = 0, graFlg = 0, graPtn = 0, lineWidth = 0;
    PvLogFont font;
    CReserveData reserve;
    PvRect rect{100, 100, 150, 130};
    PvRect rectWin{100, 100, 150, 130};
    PvRect targetRect;
    CArrowData arrow;
    bool destroyed = false;

private:
    void Log(const char* call) {
        if (m_log) m_log->push_back(call);
    }
    PvHandle m_handle;
    std::vector<std::string>* m_log;
};

// A window system of a few known windows on one monitor.
class FakeWindowSystem : public IWindowSystem {
public:
    FakeWindowSystem() { SetTackletWindowSystem(this); }
    ~FakeWindowSystem() override { SetTackletWindowSystem(nullptr); }

    bool IsWindow(PvHandle h) override { return windows.count(h) != 0; }
    bool GetWindowRect(PvHandle h, PvRect* r) override {
        auto it = windows.find(h);
        if (it == windows.end()) return false;
        *r = it->second;
        return true;
    }
    bool GetNearestMonitorWorkArea(const PvRect&, PvRect* work) override {
        if (!hasMonitor) return false;
        *work = workArea;
        return true;
    }
    ITackletWindow* CreateTackletWindow(PvHandle owner) override {
        log.push_back("Create");
        if (failCreate) return nullptr;
        created.push_back(std::make_unique<FakeTackletWindow>(0x9000 + created.size(), &log));
        owners.push_back(owner);
        return created.back().get();
    }
    void GetInitialNoteSize(int* w, int* h) override {
        *w = initialWidth;
        *h = initialHeight;
    }
    void EnumerateChildWindows(PvHandle parent, std::vector<CChildWinInf>* out) override {
        ++enumerations;
        auto it = children.find(parent);
        if (it != children.end()) out->insert(out->end(), it->second.begin(), it->second.end());
    }
    void NotifyUpdateWindow() override { ++notifications; }

    FakeTackletWindow* LastWindow() { return created.empty() ? nullptr : created.back().get(); }

    std::map<PvHandle, PvRect> windows;
    std::map<PvHandle, std::vector<CChildWinInf>> children;
    PvRect workArea{0, 0, 1024, 768};
    bool hasMonitor = true;
    bool failCreate = false;
    int initialWidth = 200;
    int initialHeight = 60;
    int enumerations = 0;
    int notifications = 0;
    std::vector<std::string> log;
    std::vector<std::unique_ptr<FakeTackletWindow>> created;
    std::vector<PvHandle> owners;
};

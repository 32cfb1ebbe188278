// Shared pieces of the condition and preset dialog tests: a window with
// child controls, and any of the dialogs run modally and driven by a
// script of steps.
#pragma once

#include "WinSelTestSupport.h"  // RowCount
#include "WinTestUtil.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controller/WindowList.h"
#include "notewin/WindowSystem.h"

// A top-level window of one colour with child controls: an edit (control
// ID 100), two buttons of one class with control ID 0, and children that
// are never offered: a hidden one, a disabled one, one without text.
class CChildTarget {
public:
    static constexpr int kEditId = 100;
    static constexpr COLORREF kColor = RGB(40, 160, 200);

    CChildTarget(const char* title, int x, int y, int width = 420, int height = 300);
    ~CChildTarget();
    CChildTarget(const CChildTarget&) = delete;
    CChildTarget& operator=(const CChildTarget&) = delete;

    HWND Hwnd() const { return m_hWnd; }
    HWND Edit() const { return m_edit; }
    HWND FirstButton() const { return m_first; }
    HWND SecondButton() const { return m_second; }
    void SetEditText(const char* text);

private:
    HWND m_hWnd = nullptr;
    HWND m_edit = nullptr;
    HWND m_first = nullptr;
    HWND m_second = nullptr;
};

// A visible message box of this thread and its text, or null.
HWND FindMessageBox(std::string* text);

// Cancels every visible dialog of this thread but `keep` (nested dialogs
// left open by a failed step).
void CancelOtherDialogs(HWND keep);
// The visible dialog of this thread captioned `caption`, or null.
HWND FindThreadDialog(const char* caption);

// A dialog run modally and driven by its own timer: each tick first
// answers a message box of this thread (with the next given answer, IDOK
// when none is left; its text is kept), otherwise runs the next step.
// When the steps are used up the dialog is cancelled, so a run always ends.
// Steps also run while a nested dialog of the dialog is open.
template <class Dlg>
class CScripted : public Dlg {
public:
    using Step = std::function<void(CScripted&)>;

    template <class... Args>
    explicit CScripted(Args&&... args) : Dlg(std::forward<Args>(args)...) {}

    void AddStep(Step step) { m_steps.push_back(std::move(step)); }
    // Called from a step: that step runs again at the next tick.
    void RunAgain() { m_again = true; }
    // A step on the dialog captioned `caption` that this one opened: it
    // waits (a few seconds at most) until that dialog is shown.
    void AddStepOn(const char* caption, std::function<void(HWND)> action) {
        auto tries = std::make_shared<int>(0);
        AddStep([caption, action, tries](CScripted& d) {
            HWND nested = FindThreadDialog(caption);
            if (nested) {
                action(nested);
            } else if (++*tries < 100) {
                d.RunAgain();
            } else {
                ADD_FAILURE() << "no dialog " << caption;
            }
        });
    }
    void Answer(std::vector<int> answers) { m_answers = std::move(answers); }
    const std::vector<std::string>& Boxes() const { return m_boxes; }

protected:
    BOOL OnInitDialog() override {
        BOOL result = Dlg::OnInitDialog();
        ::SetTimer(this->GetHwnd(), kTimer, 60, nullptr);
        return result;
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (msg == WM_TIMER && wParam == kTimer) {
            Tick();
            return true;
        }
        return Dlg::OnMessage(msg, wParam, lParam, result);
    }

private:
    static constexpr UINT_PTR kTimer = 77;
    void Tick() {
        std::string text;
        if (HWND box = FindMessageBox(&text)) {
            m_boxes.push_back(text);
            int answer = IDOK;
            if (m_nextAnswer < m_answers.size()) answer = m_answers[m_nextAnswer++];
            ::PostMessageA(box, WM_COMMAND, answer, 0);
            return;
        }
        if (m_running) return;  // a step waits in a nested loop
        if (m_next < m_steps.size()) {
            m_running = true;
            Step step = m_steps[m_next++];
            step(*this);
            m_running = false;
            if (m_again) --m_next;
            m_again = false;
        } else if (m_next == m_steps.size()) {
            ++m_next;
            CancelOtherDialogs(this->GetHwnd());
            this->EndDialog(IDCANCEL);
        }
    }

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    bool m_running = false;
    bool m_again = false;
    std::vector<int> m_answers;
    std::size_t m_nextAnswer = 0;
    std::vector<std::string> m_boxes;
};


// A click on row `row` of list `listId` as the dialog sees it: the row
// marked, then NM_CLICK.
void ClickListRow(HWND dialog, int listId, int row);
// A click on an empty part of the list: the selection and the mark cleared.
void ClickListNowhere(HWND dialog, int listId);
// Posted, so that a step may open a nested dialog or a message box and
// the following steps act on it.
void PressButton(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
std::string ItemText(HWND dialog, int id);
std::string Cell(HWND list, int row, int column);

// The mouse-out step of every note the mouse is over, or has left with
// something still to restore: one 200 ms timer for all of them, with the
// cursor and the Ctrl key read once per step however many notes lie under
// the mouse. A note that is not watched costs nothing.
#pragma once

#include <windows.h>

#include <vector>

class CNoteMouseWatch {
public:
    static constexpr UINT kPeriod = 200;

    class IClient {
    public:
        // One step: where the cursor is and whether Ctrl is held. The
        // client may leave the watch from here.
        virtual void MouseOutStep(POINT cursor, bool ctrlDown) = 0;

    protected:
        ~IClient() = default;
    };

    // The user-interface thread's watch.
    static CNoteMouseWatch& Instance();

    CNoteMouseWatch() = default;
    ~CNoteMouseWatch();
    CNoteMouseWatch(const CNoteMouseWatch&) = delete;
    CNoteMouseWatch& operator=(const CNoteMouseWatch&) = delete;

    // Both do nothing when the client is already in, or already out. The
    // timer runs while at least one client is watched.
    void Add(IClient* client);
    void Remove(IClient* client);
    bool Contains(const IClient* client) const;
    bool TimerRunning() const { return m_timer != 0; }

    // Steps every client watched when the step began and still watched
    // when its turn comes (a step may end another client's watch).
    void Step(POINT cursor, bool ctrlDown);

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);

    std::vector<IClient*> m_clients;
    UINT_PTR m_timer = 0;
};

#include "data/TackletWindow.h"

namespace {
IWindowSystem* g_windowSystem = nullptr;
}

void SetTackletWindowSystem(IWindowSystem* system) { g_windowSystem = system; }

IWindowSystem* TackletWindowSystem() { return g_windowSystem; }

#include "data/Trace.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "data/CodePage.h"

namespace {

struct TraceState {
    bool enabled = false;
    TraceSink sink = nullptr;
    void* context = nullptr;
};

TraceState& State() {
    static TraceState state;
    return state;
}

}  // namespace

void TraceEnable(bool on) { State().enabled = on; }

bool TraceEnabled() { return State().enabled; }

void TraceSetSink(TraceSink sink, void* context) {
    State().sink = sink;
    State().context = context;
}

void Trace(const char* format, ...) {
    TraceState& state = State();
    if (!state.enabled) return;

    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    char small[512];
    int needed = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (needed < 0) {
        va_end(copy);
        return;
    }
    std::string text;
    if (static_cast<size_t>(needed) < sizeof small) {
        text.assign(small, static_cast<size_t>(needed));
    } else {
        text.resize(static_cast<size_t>(needed) + 1);
        std::vsnprintf(text.data(), text.size(), format, copy);
        text.resize(static_cast<size_t>(needed));
    }
    va_end(copy);

    if (state.sink) {
        state.sink(text.c_str(), state.context);
    } else {
        // The console and any file it is sent to get the code page's bytes.
        text = CodePageOf(text);
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
    }
}

// Diagnostic trace output.
//
// Every diagnostic line of the program goes through Trace(). Nothing is
// written unless tracing was switched on (the debug command-line switch);
// tests can divert the text to a sink of their own.
#pragma once

#if defined(__GNUC__) && !defined(__clang__) && defined(__MINGW32__)
#define PV_PRINTF_FMT(a, b) __attribute__((format(gnu_printf, a, b)))
#else
#define PV_PRINTF_FMT(a, b) __attribute__((format(printf, a, b)))
#endif

// Receives each formatted trace text (already printf-expanded).
using TraceSink = void (*)(const char* text, void* context);

// Switches trace output on or off (off at start).
void TraceEnable(bool on);
bool TraceEnabled();

// Sends the text to `sink` instead of standard output while set; a null
// sink restores standard output. Output still happens only when enabled.
void TraceSetSink(TraceSink sink, void* context);

// printf-style trace line; the format carries its own line break.
void Trace(const char* format, ...) PV_PRINTF_FMT(1, 2);

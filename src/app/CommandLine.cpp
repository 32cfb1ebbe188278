#include "app/CommandLine.h"

#include "data/MbString.h"
#include "data/Trace.h"

#include <cstdio>
#include <cstring>

bool ScanArgumentsForDebug(int argc, char** argv) {
    bool debug = false;
    for (int i = 1; i < argc; ++i) {
        char label[64];
        std::snprintf(label, sizeof label, "%d番目の引数", i);
        Trace("%s=%s\n", label, argv[i]);
        if (std::strcmp(argv[i], "-D119") == 0) {
            debug = true;
            // Tracing is switched on by the caller once the console exists;
            // the line goes out then only when it already is.
            Trace("DEBUGMODE ON\n");
        }
    }
    return debug;
}

std::string DirectoryOfPath(const std::string& path) {
    size_t pos = MbFindLast(path, '\\');
    if (pos == std::string::npos) return std::string();
    return path.substr(0, pos);
}

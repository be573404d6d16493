// Leaks inside system libraries that Qt loads (font configuration, the session bus); the
// program's own allocations are never listed here.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n"
           "leak:libdbus-1\n";
}

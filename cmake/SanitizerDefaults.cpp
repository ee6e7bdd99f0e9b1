// Linked into every executable of a sanitizer build, so that a test binary (or the
// program itself, started by a test) reports the same way whether ctest, scripts/test or a
// developer's shell runs it. Options given in the environment still win.

extern "C" {

// No strict_string_checks: the X keyboard library reads unterminated strings with strndup,
// within bounds, and would stop every windowed test.
const char* __asan_default_options() {
    return "detect_leaks=1";
}

const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}

// Memory that system libraries keep for the whole process (font caches, type registries,
// the X, D-Bus and GLib client libraries) is not a leak of ours; the project's own code gets
// no suppression.
const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n"
           "leak:libglib-2.0\n"
           "leak:libgobject-2.0\n"
           "leak:libgstreamer-1.0\n"
           "leak:libsrt-gnutls\n"
           "leak:libX11\n"
           "leak:libxcb\n"
           "leak:libdbus-1\n"
           "leak:libQt6DBus\n"
           "leak:libicuuc\n"
           // ximagesink drops an XShm image (no frame past libXext in the trace) when the
           // window it draws into is destroyed under it, as a dying sub-player's window is.
           "leak:XShmCreateImage\n";
}
}

// Tests that draw text load the machine's fonts through fontconfig, which keeps a cache for
// the life of the process on purpose; the leak checker is told so, nothing else is hidden.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

// A service for the tests of the services host: logs each call to "<root>/services.log" as
// "<prefix> init <context>" / "<prefix> deinit <handle>". Its Init fails when the file
// "<root>/fail_<prefix>" exists, so tests can see a failing service skipped.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define ZT_NAME2(a, b) a##b
#define ZT_NAME(a, b) ZT_NAME2(a, b)
#define ZT_TEXT2(a) #a
#define ZT_TEXT(a) ZT_TEXT2(a)

namespace {

std::string root_file(const char* name) {
    const char* root = std::getenv("ZT_ROOT");
    return std::string(root ? root : ".") + "/" + name;
}

void log_call(const char* what, uint32_t value) {
    if (FILE* log = std::fopen(root_file("services.log").c_str(), "a")) {
        std::fprintf(log, "%s %s %u\n", ZT_TEXT(SERVICE_PREFIX), what, value);
        std::fclose(log);
    }
}

}  // namespace

extern "C" uint32_t ZT_NAME(SERVICE_PREFIX, _Init)(uint32_t context) {
    log_call("init", context);
    std::string fail = root_file("fail_" ZT_TEXT(SERVICE_PREFIX));
    if (FILE* marker = std::fopen(fail.c_str(), "r")) {
        std::fclose(marker);
        return 0;
    }
    return 0x1000 + context;
}

extern "C" uint32_t ZT_NAME(SERVICE_PREFIX, _Deinit)(uint32_t handle) {
    log_call("deinit", handle);
    return 1;
}

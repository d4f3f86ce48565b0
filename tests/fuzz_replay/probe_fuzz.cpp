// A fuzz target for testing the replay driver: it writes each input it is given, as
// "<size>:<bytes>", one line each, to the file named by ZT_REPLAY_PROBE_LOG, and aborts on an
// input that starts with "crash".
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (const char* path = std::getenv("ZT_REPLAY_PROBE_LOG")) {
        if (std::FILE* log = std::fopen(path, "a")) {
            std::fprintf(log, "%zu:", size);
            std::fwrite(data, 1, size, log);
            std::fputc('\n', log);
            std::fclose(log);
        }
    }
    if (size >= 5 && std::memcmp(data, "crash", 5) == 0) std::abort();
    return 0;
}

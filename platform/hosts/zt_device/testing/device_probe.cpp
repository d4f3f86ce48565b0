// A program the device tests register as a notification target: appends its command line
// (one line) to "<root>/probe.log" and exits.
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const char* root = std::getenv("ZT_ROOT");
    std::string path = std::string(root ? root : ".") + "/probe.log";
    FILE* log = std::fopen(path.c_str(), "a");
    if (!log) return 2;
    std::fprintf(log, "started %s\n", argc > 1 ? argv[1] : "");
    std::fclose(log);
    return 0;
}

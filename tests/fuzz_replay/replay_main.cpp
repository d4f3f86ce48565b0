// The replay driver of every fuzz target: feeds inputs to LLVMFuzzerTestOneInput the way
// libFuzzer would (the empty input first, then each file in a buffer of exactly its size, so
// a sanitizer build catches a read past the end), without needing libFuzzer.
//
//   NAME_replay           replays the target's committed corpus (its folder is built in)
//   NAME_replay PATH...   replays these instead: each PATH is a file, or a folder whose files
//                         are replayed (sorted, subfolders included)
//
// Each input is named on stdout before it runs, so the last line before a crash names the
// input that caused it. Exit status: 0 all inputs ran, 2 a path could not be read or named no
// input at all (an empty corpus would pass while testing nothing).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

bool collect(const fs::path& path, std::vector<fs::path>& inputs) {
    std::error_code error;
    if (fs::is_regular_file(path, error)) {
        inputs.push_back(path);
        return true;
    }
    if (!fs::is_directory(path, error)) {
        std::fprintf(stderr, "replay: %s is neither a file nor a folder\n", path.c_str());
        return false;
    }
    std::vector<fs::path> found;
    fs::recursive_directory_iterator it(path, error), end;
    for (; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error)) found.push_back(it->path());
    }
    if (error) {
        std::fprintf(stderr, "replay: cannot list %s: %s\n", path.c_str(), error.message().c_str());
        return false;
    }
    if (found.empty()) {
        std::fprintf(stderr, "replay: %s holds no inputs\n", path.c_str());
        return false;
    }
    std::sort(found.begin(), found.end());
    inputs.insert(inputs.end(), found.begin(), found.end());
    return true;
}

bool read_input(const fs::path& path, std::vector<uint8_t>& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

void run(const uint8_t* data, size_t size) {
    // A fresh allocation of exactly the input's size, as libFuzzer hands it over.
    auto copy = std::make_unique<uint8_t[]>(size);
    std::copy(data, data + size, copy.get());
    LLVMFuzzerTestOneInput(copy.get(), size);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> inputs;
    if (argc < 2) {
        if (!collect(ZT_FUZZ_CORPUS, inputs)) return 2;
    }
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--help") {
            std::printf("usage: %s [FILE_OR_FOLDER...]\n"
                        "Feeds each input to the fuzz target; without arguments, its committed corpus\n"
                        "%s\n", argv[0], ZT_FUZZ_CORPUS);
            return 0;
        }
        if (!collect(argv[i], inputs)) return 2;
    }
    std::printf("replay: the empty input\n");
    std::fflush(stdout);
    run(nullptr, 0);
    std::vector<uint8_t> bytes;
    for (const fs::path& input : inputs) {
        if (!read_input(input, bytes)) {
            std::fprintf(stderr, "replay: cannot read %s\n", input.c_str());
            return 2;
        }
        std::printf("replay: %s (%zu bytes)\n", input.c_str(), bytes.size());
        std::fflush(stdout);
        run(bytes.data(), bytes.size());
    }
    std::printf("replay: %zu inputs ran\n", inputs.size() + 1);
    return 0;
}

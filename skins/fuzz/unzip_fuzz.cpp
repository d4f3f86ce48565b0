// Any bytes as an archive: extraction by first record, by a name and with a password either
// yields a block of the member's size or fails cleanly.
#include <cstddef>
#include <cstdint>

#include "skins/unzippo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zt::skins::MemoryArchiveInput input({ data, size });
    zt::skins::CUnzippo::extract(input);
    zt::skins::CUnzippo::extract(input, "clock.png");
    zt::skins::CUnzippo::extract(input, std::nullopt, "secret");
    return 0;
}

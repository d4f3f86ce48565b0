// A zip-packed skin image: the bytes as a bitmap file directly, and as an archive whose first
// member is decoded as a bitmap, the way Load picture reads "<Name>.zip".
#include <cstddef>
#include <cstdint>

#include "skins/bitmap_file.h"
#include "skins/unzippo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zt::skins::decode_bitmap_file({ data, size });
    zt::skins::MemoryArchiveInput input({ data, size });
    zt::skins::CUnzippo::Result member = zt::skins::CUnzippo::extract(input);
    if (member.block) zt::skins::decode_bitmap_file(*member.block);
    return 0;
}

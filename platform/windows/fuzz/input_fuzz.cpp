// libFuzzer target for what other processes hand a window: any byte stream cut into frames
// at any points, and any record file. Frames that come out re-encode to the same bytes; a
// record that decodes re-encodes to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/windows/message_frame.h"
#include "platform/windows/window_record.h"

using namespace zt::platform::detail;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte chooses how the stream is cut into reads.
    std::size_t step = 1 + data[0] % 64;
    std::vector<uint8_t> out;
    FrameReader reader;
    for (std::size_t at = 1; at < size; at += step) {
        std::size_t n = std::min(step, size - at);
        reader.append({ data + at, n });
        Frame frame;
        while (reader.next(frame) == FrameReader::Status::Frame) {
            auto again = encode_frame(frame.kind, frame.number, frame.wparam, frame.lparam, frame.payload);
            out.insert(out.end(), again.begin(), again.end());
        }
    }
    // Every frame handed out is exactly the bytes that came in, in order.
    if (out.size() > size - 1 || !std::equal(out.begin(), out.end(), data + 1)) std::abort();

    if (auto record = decode_window_record({ data, size })) {
        auto again = encode_window_record(*record);
        if (again.size() != size || !std::equal(again.begin(), again.end(), data)) std::abort();
    }
    return 0;
}

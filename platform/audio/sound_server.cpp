#include "platform/audio/sound_server.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/audio/qt_media.h"

namespace zt::platform::audio {
namespace {

// The levels are applied to the samples themselves: a sink's volume is one number for both
// channels, and the device's wave volume keeps them apart.
std::vector<uint8_t> scaled_samples(const WaveFormat& wave, uint16_t left, uint16_t right) {
    std::vector<uint8_t> out(wave.samples.begin(), wave.samples.end());
    const size_t width = wave.bits_per_sample / 8;
    for (size_t at = 0, index = 0; at + width <= out.size(); at += width, ++index) {
        const uint32_t level = (wave.channels >= 2 && index % wave.channels == 1) ? right : left;
        if (width == 2) {
            const int16_t sample = int16_t(uint16_t(out[at] | out[at + 1] << 8));
            const int16_t scaled = int16_t(int32_t(sample) * int32_t(level) / 0xFFFF);
            out[at] = uint8_t(uint16_t(scaled) & 0xFF);
            out[at + 1] = uint8_t(uint16_t(scaled) >> 8);
        } else {
            const int32_t centred = int32_t(out[at]) - 128;
            out[at] = uint8_t(centred * int32_t(level) / 0xFFFF + 128);
        }
    }
    return out;
}

}  // namespace

bool sound_server_available() {
    prepare_qt_media();
    return !QMediaDevices::defaultAudioOutput().isNull();
}

bool play_on_sound_server(const WaveFormat& wave, uint16_t left, uint16_t right,
                          const Cancel& cancel) {
    prepare_qt_media();
    if (wave.format_tag != 1 || wave.channels == 0 ||
        (wave.bits_per_sample != 8 && wave.bits_per_sample != 16))
        return false;
    QAudioFormat format;
    format.setSampleRate(int(wave.sample_rate));
    format.setChannelCount(wave.channels);
    format.setSampleFormat(wave.bits_per_sample == 16 ? QAudioFormat::Int16 : QAudioFormat::UInt8);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(format)) return false;

    const std::vector<uint8_t> samples = scaled_samples(wave, left, right);
    QAudioSink sink(device, format);
    QIODevice* stream = sink.start();  // push mode: no event loop needed in this thread
    if (stream == nullptr) return false;
    using namespace std::chrono_literals;
    size_t written = 0;
    while (!cancel.requested() && written < samples.size()) {
        const qint64 room = std::min<qint64>(sink.bytesFree(), qint64(samples.size() - written));
        if (room > 0) {
            const qint64 put = stream->write(reinterpret_cast<const char*>(samples.data() + written), room);
            if (put < 0) break;
            written += size_t(put);
        }
        std::this_thread::sleep_for(5ms);
    }
    // Let what was handed over sound out before returning, as a synchronous play does.
    const auto drained = std::chrono::steady_clock::now() +
                         std::chrono::milliseconds(sink.bufferSize() * 1000 / std::max(1u, wave.byte_rate) + 50);
    while (!cancel.requested() && std::chrono::steady_clock::now() < drained) std::this_thread::sleep_for(5ms);
    sink.stop();
    return true;
}

}  // namespace zt::platform::audio

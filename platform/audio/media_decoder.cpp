#include "platform/audio/media_decoder.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/audio/qt_media.h"

namespace zt::platform::audio {
namespace {

std::atomic<bool> g_no_decoder { false };

DecodeResult no_decoder(const char* why) {
    if (!g_no_decoder.exchange(true))
        std::fprintf(stderr, "zt audio: %s; MP3 and WMA sounds are timed from their headers\n", why);
    return { DecodeStatus::NoDecoder, {} };
}

int16_t to_int16(const uint8_t* sample, QAudioFormat::SampleFormat format) {
    switch (format) {
    case QAudioFormat::UInt8: return int16_t((int32_t(sample[0]) - 128) * 256);
    case QAudioFormat::Int16: { int16_t v; std::memcpy(&v, sample, sizeof v); return v; }
    case QAudioFormat::Int32: { int32_t v; std::memcpy(&v, sample, sizeof v); return int16_t(v >> 16); }
    case QAudioFormat::Float: {
        float v;
        std::memcpy(&v, sample, sizeof v);
        if (!std::isfinite(v)) return 0;
        return int16_t(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
    }
    default: return 0;
    }
}

// False when the buffer's format differs from what came before or is not one we know.
bool append_samples(const QAudioBuffer& buffer, DecodedSound& sound) {
    const QAudioFormat format = buffer.format();
    const int width = format.bytesPerSample();
    if (width <= 0 || format.sampleRate() <= 0 || format.channelCount() <= 0 ||
        format.channelCount() > 0xFFFF || format.sampleFormat() == QAudioFormat::Unknown)
        return false;
    if (sound.sample_rate == 0) {
        sound.sample_rate = uint32_t(format.sampleRate());
        sound.channels = uint16_t(format.channelCount());
    } else if (sound.sample_rate != uint32_t(format.sampleRate()) || sound.channels != format.channelCount()) {
        return false;
    }
    const auto* bytes = buffer.constData<uint8_t>();
    const size_t count = size_t(buffer.byteCount()) / size_t(width);
    const size_t at = sound.samples.size();
    sound.samples.resize(at + count * 2);
    for (size_t i = 0; i < count; ++i) {
        const int16_t value = to_int16(bytes + i * size_t(width), format.sampleFormat());
        std::memcpy(sound.samples.data() + at + i * 2, &value, sizeof value);
    }
    return true;
}

}  // namespace

uint64_t DecodedSound::duration_ms() const {
    const uint64_t byte_rate = uint64_t(sample_rate) * channels * 2;
    return byte_rate == 0 ? 0 : uint64_t(samples.size()) * 1000 / byte_rate;
}

WaveFormat DecodedSound::wave() const {
    WaveFormat wave;
    wave.format_tag = 1;
    wave.channels = channels;
    wave.sample_rate = sample_rate;
    wave.block_align = uint16_t(channels * 2);
    wave.byte_rate = sample_rate * wave.block_align;
    wave.bits_per_sample = 16;
    wave.samples = samples;
    return wave;
}

DecodeResult decode_media_file(const std::filesystem::path& file, const Cancel& cancel) {
    if (cancel.requested()) return { DecodeStatus::Cancelled, {} };
    if (g_no_decoder.load()) return { DecodeStatus::NoDecoder, {} };
    // Some backends neither decode a missing or empty file nor say so: spare the stall.
    std::error_code error;
    if (std::filesystem::file_size(file, error) == 0 || error) return { DecodeStatus::NotDecodable, {} };
    prepare_qt_media();
    if (!ensure_qt_application()) return no_decoder("Qt cannot run here");
    QAudioDecoder decoder;
    if (!decoder.isSupported()) return no_decoder("Qt Multimedia has no audio decoder");

    DecodeResult result { DecodeStatus::Decoded, {} };
    QEventLoop loop;  // the decoder's signals arrive through this thread's event loop
    auto last_progress = std::chrono::steady_clock::now();
    const auto fail = [&](DecodeStatus status) {
        if (result.status == DecodeStatus::Decoded) result.status = status;
        loop.quit();
    };
    QObject::connect(&decoder, &QAudioDecoder::bufferReady, &loop, [&] {
        last_progress = std::chrono::steady_clock::now();
        // A short file can decode whole between two ticks of the watch below.
        if (cancel.requested()) fail(DecodeStatus::Cancelled);
        else if (!append_samples(decoder.read(), result.sound)) fail(DecodeStatus::NotDecodable);
    });
    QObject::connect(&decoder, &QAudioDecoder::finished, &loop, [&] {
        if (cancel.requested()) result.status = DecodeStatus::Cancelled;
        loop.quit();
    });
    QObject::connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), &loop,
                     [&](QAudioDecoder::Error code) {
                         fail(code == QAudioDecoder::NotSupportedError ? DecodeStatus::NoDecoder
                                                                        : DecodeStatus::NotDecodable);
                     });
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
        if (cancel.requested()) fail(DecodeStatus::Cancelled);
        else if (std::chrono::steady_clock::now() - last_progress > kStallLimit) fail(DecodeStatus::NotDecodable);
    });
    watch.start(5);

    decoder.setSource(QUrl::fromLocalFile(QFile::decodeName(file.c_str())));
    decoder.start();
    loop.exec();
    watch.stop();
    decoder.stop();

    if (result.status == DecodeStatus::NoDecoder) return no_decoder("Qt Multimedia's decoder backend is missing");
    if (result.status == DecodeStatus::Decoded && result.sound.samples.empty())
        result.status = DecodeStatus::NotDecodable;
    if (result.status != DecodeStatus::Decoded) result.sound = {};
    return result;
}

}  // namespace zt::platform::audio

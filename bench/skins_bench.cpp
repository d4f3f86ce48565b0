// Drawing and unpacking costs of the clock screens: one rotated long hand, a whole 480 x 640
// frame (background, dial, three hands, twelve alarm icons), and inflating a 1 MB member.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "skins/drawing.h"
#include "skins/image_strip.h"
#include "skins/picture_loader.h"
#include "skins/unzippo.h"
#include "skins/testing/test_images.h"
#include "skins/testing/zip_writer.h"

namespace {

using zt::skins::CImageStrip;
using zt::skins::CPicture;
using zt::skins::Rgb;
using zt::skins::testing::StripBuilder;

// An opaque-ish strip of one part with soft edges and its anchor at (anchor_x, middle row).
CImageStrip hand(int32_t length, int32_t thickness, int32_t anchor_x) {
    StripBuilder builder(length, thickness);
    for (int32_t y = 0; y < thickness; ++y)
        for (int32_t x = 0; x < length; ++x) {
            builder.colour(x, y, { static_cast<uint8_t>(x), 40, static_cast<uint8_t>(y * 9) });
            builder.opacity(x, y, (y == 0 || y == thickness - 1) ? 96 : 255);
        }
    builder.anchor(anchor_x > 0 ? anchor_x : 1, thickness / 2).boundary(thickness - 1);
    return CImageStrip(builder.build());
}

CImageStrip round_icon(int32_t size) {
    StripBuilder builder(size, size);
    const int32_t r = size / 2;
    for (int32_t y = 0; y < size; ++y)
        for (int32_t x = 0; x < size; ++x) {
            int32_t d2 = (x - r) * (x - r) + (y - r) * (y - r);
            builder.colour(x, y, { 220, 30, 30 }).opacity(x, y, d2 < r * r ? 255 : 0);
        }
    builder.boundary(size - 1);
    return CImageStrip(builder.build());
}

void BM_DrawRotatedHand480(benchmark::State& state) {
    CImageStrip long_hand = hand(480, 12, 240);
    CPicture frame = zt::skins::testing::solid_picture(480, 640, { 20, 20, 20 });
    int32_t angle = 0;
    for (auto _ : state) {
        zt::skins::draw_rotated(frame, long_hand, 240, 320, angle);
        angle = (angle + 7) % 360;
        benchmark::DoNotOptimize(frame.bits());
    }
}
BENCHMARK(BM_DrawRotatedHand480);

void BM_ComposeClockFrame(benchmark::State& state) {
    CPicture background = zt::skins::testing::gradient_picture(15, 15);
    CPicture backdrop = *CPicture::create(480, 640);
    zt::skins::scale_picture(backdrop.view(), background.view(), zt::skins::scale_mode::kStretch);
    CImageStrip dial = round_icon(440);
    CImageStrip hour = hand(130, 14, 20), minute = hand(190, 10, 20), second = hand(210, 4, 30);
    CImageStrip alarm = round_icon(32);
    CPicture frame = *CPicture::create(480, 640);
    int32_t tick = 0;
    for (auto _ : state) {
        zt::skins::copy_with_opacity(frame, backdrop, 0, 0, 480, 640, 0, 0);
        zt::skins::draw_part(frame, dial, 0, 0, 0, 20, 100);
        for (int i = 0; i < 12; ++i) {
            // Icons on a circle of radius 200 around the dial centre, from the 7-bit table.
            int32_t k = (i * 30) % 90, q = (i * 30) / 90;
            int32_t s = zt::skins::sine_table(k), c = zt::skins::sine_table(90 - k);
            int32_t dx = q == 0 ? c : q == 1 ? -s : q == 2 ? -c : s;
            int32_t dy = q == 0 ? s : q == 1 ? c : q == 2 ? -s : -c;
            zt::skins::draw_part(frame, alarm, 0, 0, 0, 240 + dx * 200 / 128 - 16, 320 + dy * 200 / 128 - 16);
        }
        zt::skins::draw_rotated(frame, hour, 240, 320, (tick * 1) % 360);
        zt::skins::draw_rotated(frame, minute, 240, 320, (tick * 6) % 360);
        zt::skins::draw_rotated(frame, second, 240, 320, (tick * 13) % 360);
        ++tick;
        benchmark::DoNotOptimize(frame.bits());
    }
}
BENCHMARK(BM_ComposeClockFrame);

void BM_Inflate1MbMember(benchmark::State& state) {
    std::vector<uint8_t> member(1 << 20);
    uint32_t seed = 12345;
    for (size_t i = 0; i < member.size(); ++i) {
        // Image-like data: runs and gentle noise, so deflate has something to do.
        seed = seed * 1103515245u + 12345u;
        member[i] = static_cast<uint8_t>((i / 3) % 251 + ((seed >> 28) & 3));
    }
    std::vector<uint8_t> archive = zt::skins::testing::make_zip({ { "clock.bmp", member, 8 } });
    for (auto _ : state) {
        zt::skins::MemoryArchiveInput input(archive);
        auto result = zt::skins::CUnzippo::extract(input);
        if (!result.block) state.SkipWithError("extraction failed");
        benchmark::DoNotOptimize(result.block->data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(member.size()));
}
BENCHMARK(BM_Inflate1MbMember);

// Decoding the largest image a screen loads at start-up, the 480 x 640 background.
void BM_DecodeBackgroundPng(benchmark::State& state) {
    const auto file = std::filesystem::path(ZT_SKINS_DIR) / "Default" / "BG_vga.png";
    for (auto _ : state) {
        auto picture = zt::skins::load_picture_file(file);
        if (!picture) state.SkipWithError("BG_vga.png did not decode");
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_DecodeBackgroundPng)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// One frame of each clock screen at 480 x 640 with the Default skin, as the screen makes it on a
// tick: the background, the face with its hands or digits, alarms (and the digital clock's
// calendar), then the copy into the image the window paints.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <filesystem>

#include "contracts/registry_keys.h"
#include "platform/base/device_path.h"
#include "platform/gui/locale_calendar.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"
#include "skins/clocks/analog_clock.h"
#include "skins/clocks/digital_clock.h"
#include "skins/drawing.h"
#include "skins/picture_qimage.h"
#include "skins/skin_manager.h"

namespace {

namespace fs = std::filesystem;
using zt::skins::CPicture;

constexpr zt::skins::ClockPlacement kScreen { 480, 532, false, false, true };
const zt::skins::AlarmMark kAlarms[] = { { 6, 30, true }, { 7, 0, true }, { 18, 45, false }, { 22, 10, true } };
const zt::platform::SYSTEMTIME kTime { 2026, 12, 2, 8, 10, 8, 42, 0 };

struct SkinDevice {
    SkinDevice() {
        const std::u16string folder = u"\\Program Files\\Zun Time\\Default\\";
        const fs::path host = *zt::platform::map_device_path(folder);
        fs::create_directories(host);
        fs::copy(fs::path(ZT_SKINS_DIR) / "Default", host, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        auto key = zt::platform::registry::Key::create(zt::platform::registry::Root::CurrentUser,
                                                       zt::contracts::kSkinsKeyPath);
        key->key.set_string(u"Default", folder);
        skins.build_skin_list(zt::skins::SkinConsumer::MainProgram);
        skins.load_skin(u"Default", false);
        background = skins.load_image(u"BG.png");
    }
    zt::platform::testing::TempDeviceRoot root;
    zt::skins::CSkinManager skins { { true, 5 } };
    std::optional<CPicture> background;
};

template <class Compose>
void run_frames(benchmark::State& state, SkinDevice& device, Compose compose) {
    CPicture frame = *CPicture::create(kScreen.width, kScreen.height);
    QImage shown;
    for (auto _ : state) {
        zt::skins::copy_with_opacity(frame, *device.background, 0, 0, kScreen.width, kScreen.height, 0, 0);
        compose(frame);
        zt::skins::to_qimage(frame, shown);
        benchmark::DoNotOptimize(shown.constBits());
    }
}

void BM_AnalogClockFrame(benchmark::State& state) {
    SkinDevice device;
    zt::skins::CAnalogClockFace face;
    if (!device.background || !face.load(device.skins)) return state.SkipWithError("the Default skin did not load");
    face.place(kScreen);
    run_frames(state, device, [&](CPicture& frame) { face.compose(frame, kTime, { true, true, true, false }, kAlarms); });
}
BENCHMARK(BM_AnalogClockFrame)->Unit(benchmark::kMillisecond);

void BM_DigitalClockFrameWithCalendar(benchmark::State& state) {
    SkinDevice device;
    zt::skins::CDigitalClockFace face;
    if (!device.background || !face.load(device.skins, false)) return state.SkipWithError("the Default skin did not load");
    face.place(kScreen);
    const zt::platform::gui::CalendarLocale locale = zt::platform::gui::calendar_locale_named(u"en_US");
    run_frames(state, device, [&](CPicture& frame) {
        face.compose(frame, kTime, { true, true, true, false }, kAlarms, locale);
    });
}
BENCHMARK(BM_DigitalClockFrameWithCalendar)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the calendar's text
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

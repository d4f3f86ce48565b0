// The dock applet's blob, size rules, menu, commands and the city the main program sends it,
// on a fresh device with the shipped default skin.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "applet/dock_applet.h"
#include "core/number_text.h"
#include "platform/base/clock.h"
#include "platform/base/le_bytes.h"
#include "platform/gui/testing/widget_test_app.h"
#include "skins/testing/skin_fixture.h"
#include "today/item_icons.h"

namespace zt::applet {
namespace {

namespace abi = platform::today;

class RecordingReach final : public today::ItemReach {
public:
    void start_main_program(std::u16string_view command_line) override { started.emplace_back(command_line); }
    void post_to_window(std::u16string_view, uint32_t, uint32_t, uint32_t) override {}
    void reschedule(const core::CTimeStore&) override {}
    std::vector<std::u16string> started;
};

// The host widget: records what the applet sends it.
class RecordingHost final : public QWidget {
public:
    std::vector<std::pair<uint32_t, uintptr_t>> messages;

protected:
    bool event(QEvent* event) override {
        if (event->type() != abi::ChildMessageEvent::kType) return QWidget::event(event);
        auto* message = static_cast<abi::ChildMessageEvent*>(event);
        messages.emplace_back(message->message, message->wparam);
        message->handled = true;
        return true;
    }
};

std::vector<uint8_t> tokyo_answer() {
    world::CityRecord city;
    city.id = 1234;
    city.country_index = 7;
    city.region_index = 3;
    city.time_zone = 5;
    city.set_name(u"Tokyo");
    world::TimeZoneRules rules;
    rules.bias = 540;
    const auto record = world::encode_city_record(city);
    const auto zone = world::encode_time_zone_rules(rules);
    std::vector<uint8_t> answer(record.size() + zone.size());
    std::copy(record.begin(), record.end(), answer.begin());
    std::copy(zone.begin(), zone.end(), answer.begin() + static_cast<ptrdiff_t>(record.size()));
    return answer;
}

TEST(AppletBlob, BlackSkinIs326BytesAndAnythingMalformedGivesTheDefaults) {
    AppletData data;
    data.skin_name = u"Black";
    data.flags = kShowDateFlag;
    data.view = kDigitalView;
    data.city[120] = 5;
    const std::vector<uint8_t> blob = write_applet_data(data);
    ASSERT_EQ(blob.size(), 326u);
    EXPECT_EQ(platform::read_le32(&blob[0]), 1u);
    EXPECT_EQ(platform::read_le32(&blob[4]), 5u);
    EXPECT_EQ(platform::read_le16(&blob[8]), u'B');
    EXPECT_EQ(platform::read_le16(&blob[16]), u'k');
    EXPECT_EQ(platform::read_le32(&blob[18]), 1u) << "flags follow the name";
    EXPECT_EQ(platform::read_le32(&blob[22]), 1u) << "then the view";
    EXPECT_EQ(blob[26 + 120], 5) << "then the city record";
    EXPECT_EQ(read_applet_data(blob), data);
    EXPECT_FALSE(data.city_chosen()) << "a zone without a name is no city";

    std::vector<uint8_t> other = blob;
    platform::write_le32(other.data(), 2);
    EXPECT_EQ(read_applet_data(other), AppletData {}) << "version 2";
    EXPECT_EQ(read_applet_data(std::span(blob).first(325)), AppletData {}) << "one byte short";
    other = blob;
    platform::write_le32(&other[4], 6);
    EXPECT_EQ(read_applet_data(other), AppletData {}) << "a name running past the end";
    EXPECT_EQ(read_applet_data({}).skin_name, u"default");
}

class DockApplet : public skins::testing::SkinDeviceTest {
protected:
    void SetUp() override {
        SkinDeviceTest::SetUp();
        platform::gui::testing::widget_test_app();
        add_shipped_skin(u"Default", ZT_SKINS_DIR);
        add_shipped_skin(u"Black", ZT_SKINS_DIR);
        host = std::make_unique<RecordingHost>();
    }
    // Paints into a white 300 x 200 panel; how many pixels changed, all inside the placement.
    std::pair<bool, int> paint(CDockApplet& applet) {
        const int32_t stride = skins::CPicture::stride_for(300);
        std::vector<uint8_t> bits(static_cast<size_t>(stride) * 200, 0xFF);
        const bool drawn = applet.paint({ 0, 0, 300, 200 }, { bits.data(), 300, 200, stride, host.get() });
        const skins::PixelView panel { bits.data(), 300, 200, stride };
        int changed = 0;
        for (int32_t y = 0; y < 200; ++y) {
            for (int32_t x = 0; x < 300; ++x) {
                const uint8_t* pixel = panel.pixel(x, y);
                if (pixel[0] == 0xFF && pixel[1] == 0xFF && pixel[2] == 0xFF) continue;
                ++changed;
                EXPECT_TRUE(applet.placement() && applet.placement()->contains({ x, y })) << x << "," << y;
            }
        }
        return { drawn, changed };
    }
    uint32_t update_message() const {
        return platform::dock::register_window_message(platform::dock::kHostUpdateMessageName);
    }
    std::unique_ptr<RecordingHost> host;
};

TEST_F(DockApplet, CityAnswerIsTakenOnlyWhole_AndLocalTimeShrinksTheBoxOnTheNextPaint) {
    auto reach = std::make_unique<RecordingReach>();
    RecordingReach& started = *reach;
    CDockApplet applet({}, std::move(reach));
    ASSERT_TRUE(applet.init(host.get())) << "the default skin has the analog images";
    ASSERT_NE(applet.message_window(), 0u);
    const int32_t clock_width = applet.width(), clock_height = applet.height();
    EXPECT_TRUE(paint(applet).first);
    EXPECT_EQ(applet.placement(), (skins::Rect { (300 - clock_width) / 2, (200 - applet.height()) / 2,
                                                 (300 - clock_width) / 2 + clock_width, (200 - applet.height()) / 2 + applet.height() }));

    const std::vector<uint8_t> answer = tokyo_answer();
    EXPECT_FALSE(applet.take_city_answer({ 1131, answer }));
    EXPECT_FALSE(applet.take_city_answer({ 1130, std::span(answer).first(299) }));
    EXPECT_FALSE(applet.data().city_chosen());
    EXPECT_TRUE(host->messages.empty());

    ASSERT_TRUE(applet.take_city_answer({ 1130, answer }));
    EXPECT_TRUE(applet.data().city_chosen());
    EXPECT_EQ(applet.data().city_record().name_view(), u"Tokyo");
    EXPECT_EQ(applet.data().city_rules().bias, 540);
    EXPECT_EQ(host->messages, (std::vector<std::pair<uint32_t, uintptr_t>> { { update_message(), reinterpret_cast<uintptr_t>(&applet) } }));
    const int32_t city_height = applet.height();
    EXPECT_GT(city_height, clock_height) << "a line for the city's name";
    EXPECT_TRUE(paint(applet).first) << "the answer already stored the size";

    ASSERT_TRUE(applet.handle_command(101));
    EXPECT_EQ(started.started.back(), u"ChooseCity " + core::format_unsigned(applet.message_window()) + u" 7 3 1234");
    ASSERT_TRUE(applet.handle_command(102));
    EXPECT_EQ(applet.data().city, world::CityRecordBytes {}) << "the whole record is cleared";
    host->messages.clear();
    EXPECT_FALSE(paint(applet).first) << "the size changed instead";
    EXPECT_EQ(host->messages.size(), 1u);
    EXPECT_EQ(applet.height(), clock_height);
    const auto [drawn, changed] = paint(applet);
    EXPECT_TRUE(drawn);
    EXPECT_GT(changed, 0) << "the clock is drawn over the panel";
    EXPECT_FALSE(applet.handle_command(999));
}

TEST_F(DockApplet, ShowDateTwiceRestoresTheSizeAndTheBlobFollowsTheCommands) {
    CDockApplet applet({}, std::make_unique<RecordingReach>());
    ASSERT_TRUE(applet.init(host.get()));
    const std::pair<int32_t, int32_t> plain { applet.width(), applet.height() };
    ASSERT_TRUE(applet.handle_command(100));
    EXPECT_FALSE(paint(applet).first);
    EXPECT_GT(applet.height(), plain.second);
    ASSERT_TRUE(applet.handle_command(100));
    EXPECT_FALSE(paint(applet).first);
    EXPECT_EQ((std::pair { applet.width(), applet.height() }), plain);
    EXPECT_TRUE(paint(applet).first);

    ASSERT_TRUE(applet.handle_command(201));
    EXPECT_FALSE(paint(applet).first) << "the digital face has its own size";
    const auto [drawn, changed] = paint(applet);
    EXPECT_TRUE(drawn);
    EXPECT_GT(changed, 0);
    uint8_t small[10] {};
    EXPECT_EQ(applet.get_data(small, sizeof small), 330u) << "\"default\" is 7 units";
    EXPECT_EQ(small[0], 0) << "nothing copied into a short buffer";
    std::vector<uint8_t> blob(330);
    EXPECT_EQ(applet.get_data(blob.data(), 330), 330u);
    EXPECT_EQ(read_applet_data(blob).view, kDigitalView);

    char16_t description[16] {};
    EXPECT_EQ(copy_applet_description(description, 14), 15u);
    EXPECT_EQ(description[0], 0) << "14 units are too few";
    EXPECT_EQ(copy_applet_description(description, 15), 15u);
    EXPECT_EQ(std::u16string_view(description), u"Zun Time Applet");
    EXPECT_EQ(today::applet_icon(true).size(), QSize(32, 32));
    EXPECT_EQ(today::applet_icon(false).size(), QSize(16, 16));
}

TEST_F(DockApplet, UpdateAsksForOneRepaintAMinuteAndNoneWhileOneIsPending) {
    platform::ManualClock clock;
    platform::ScopedClockOverride installed(clock);
    CDockApplet applet({}, std::make_unique<RecordingReach>());
    ASSERT_TRUE(applet.init(host.get()));
    EXPECT_EQ(applet.retry_count(), -1) << "the images are complete";
    EXPECT_TRUE(applet.update()) << "nothing drawn yet";
    EXPECT_FALSE(applet.update()) << "the host has not painted since";
    EXPECT_TRUE(paint(applet).first);
    clock.advance_ms(59'000);
    EXPECT_FALSE(applet.update()) << "the same minute is shown";
    clock.advance_ms(1'000);
    EXPECT_TRUE(applet.update()) << "the minute turned";
}

std::vector<std::pair<QString, uint32_t>> actions(const QMenu& menu, std::vector<QString>* checked = nullptr) {
    std::vector<std::pair<QString, uint32_t>> result;
    for (QAction* action : menu.actions()) {
        result.emplace_back(action->text(), action->menu() ? 0 : action->data().toUInt());
        if (checked && action->isChecked()) checked->push_back(action->text());
        if (action->menu())
            for (QAction* inner : action->menu()->actions())
                if (checked && inner->isChecked()) checked->push_back(inner->text());
    }
    return result;
}

TEST_F(DockApplet, MenuOffersSkinsInTheAnalogViewOnlyAndChecksTheCurrentChoices) {
    CDockApplet applet({}, std::make_unique<RecordingReach>());
    applet.init(host.get());
    QMenu analog;
    applet.fill_context_menu(analog);
    std::vector<QString> checked;
    EXPECT_EQ(actions(analog, &checked), (std::vector<std::pair<QString, uint32_t>> {
                                             { "Views", 0 }, { "Skins", 0 }, { "Show Date", 100 }, { "Change City...", 101 } }));
    EXPECT_EQ(checked, (std::vector<QString> { "Analog Clock", "Default" }));
    const QList<QAction*> skins = analog.actions()[1]->menu()->actions();
    ASSERT_EQ(skins.size(), 2);
    EXPECT_EQ(skins[1]->text(), "Black");
    ASSERT_TRUE(applet.handle_command(skins[1]->data().toUInt()));
    EXPECT_EQ(applet.data().skin_name, u"Black");

    const std::vector<uint8_t> answer = tokyo_answer();
    applet.take_city_answer({ 1130, answer });
    applet.handle_command(100);
    applet.handle_command(201);
    QMenu digital;
    applet.fill_context_menu(digital);
    checked.clear();
    EXPECT_EQ(actions(digital, &checked), (std::vector<std::pair<QString, uint32_t>> {
                                              { "Views", 0 }, { "Show Date", 100 }, { "Local Time", 102 }, { "Change City...", 101 } }));
    EXPECT_EQ(checked, (std::vector<QString> { "Digital Clock", "Show Date" }));
    EXPECT_EQ(digital.actions()[0]->menu()->actions()[1]->data().toUInt(), 201u);
}

}  // namespace
}  // namespace zt::applet

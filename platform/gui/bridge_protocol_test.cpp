// The debug bridge's requests as both ends read them, and how a client finds the foreground
// program's bridge.
#include <gtest/gtest.h>

#include "platform/gui/bridge_protocol.h"
#include "platform/gui/key_codes.h"
#include "platform/testing/temp_device_root.h"
#include "platform/windows/window.h"

namespace zt::platform::gui::bridge {
namespace {

Request every_field() {
    Request request;
    request.verb = Verb::Drag;
    request.id = 0xA1B2C3D4;
    request.from = { -5, 7 };
    request.to = { 479, 639 };
    request.duration_ms = 350;
    request.key_code = 0x25;
    request.text = u"h\u00e9\U0001F600\t";
    return request;
}

void expect_same(const Request& a, const Request& b) {
    EXPECT_EQ(a.verb, b.verb);
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.from.x, b.from.x);
    EXPECT_EQ(a.from.y, b.from.y);
    EXPECT_EQ(a.to.x, b.to.x);
    EXPECT_EQ(a.to.y, b.to.y);
    EXPECT_EQ(a.duration_ms, b.duration_ms);
    EXPECT_EQ(a.key_code, b.key_code);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.output_file, b.output_file);
}

TEST(BridgeRequest, EveryFieldSurvivesTheTripLittleEndian) {
    const Request input = every_field();
    const std::vector<std::uint8_t> bytes = encode_request(input);
    ASSERT_EQ(bytes.size(), 48u + 2 * input.text.size());
    EXPECT_EQ(bytes[0], 0x52) << "magic, low byte first";
    EXPECT_EQ(bytes[12], 0xD4) << "the id, low byte first";
    const auto decoded = decode_request(bytes);
    ASSERT_TRUE(decoded);
    expect_same(*decoded, input);

    Request picture { .verb = Verb::Screencap, .id = 9, .output_file = "answer-12-3" };
    const auto back = decode_request(encode_request(picture));
    ASSERT_TRUE(back);
    expect_same(*back, picture);
}

TEST(BridgeRequest, MalformedRequestsAreRefused) {
    const std::vector<std::uint8_t> good = encode_request(every_field());
    for (std::size_t length = 0; length < good.size(); ++length) {
        EXPECT_FALSE(decode_request(std::span(good.data(), length))) << "cut at " << length;
    }
    std::vector<std::uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_FALSE(decode_request(longer)) << "trailing byte";
    std::vector<std::uint8_t> foreign = good;
    foreign[0] ^= 1;
    EXPECT_FALSE(decode_request(foreign)) << "not a bridge request";
    std::vector<std::uint8_t> verb = good;
    verb[8] = 99;
    EXPECT_FALSE(decode_request(verb)) << "unknown verb";

    Request huge = every_field();
    huge.text.assign(kMaxTextUnits + 1, u'x');
    EXPECT_FALSE(decode_request(encode_request(huge)));
    Request slow = every_field();
    slow.duration_ms = kMaxDragMs + 1;
    EXPECT_FALSE(decode_request(encode_request(slow)));

    for (const char* name : { "../registry.db", "a/b", ".hidden", "", "x y" }) {
        EXPECT_FALSE(decode_request(encode_request(Request { .verb = Verb::Ui, .output_file = name }))) << name;
    }
    EXPECT_FALSE(decode_request(encode_request(Request { .verb = Verb::Tap, .output_file = "answer" })))
        << "input writes no file";
}

TEST(BridgeRequest, HardwareKeysHaveNames) {
    EXPECT_EQ(key_code_of_name("left"), VK_LEFT);
    EXPECT_EQ(key_code_of_name("down"), VK_DOWN);
    EXPECT_EQ(key_code_of_name("action"), VK_RETURN);
    EXPECT_EQ(key_code_of_name("button1"), VK_APP1);
    EXPECT_EQ(key_code_of_name("button4"), VK_APP4);
    EXPECT_FALSE(key_code_of_name("button5"));
    EXPECT_FALSE(key_code_of_name("0x25")) << "codes are numbers, not names";
}

TEST(BridgeDiscovery, TheForegroundProgramIsTheOneWithAVisibleWindowAndABridge) {
    zt::platform::testing::TempDeviceRoot root;
    EXPECT_FALSE(find_foreground_bridge()) << "no program at all";
    auto bridge = Window::create(kBridgeWindowClass, u"", {}, WindowOptions { .visible = false });
    ASSERT_TRUE(bridge);
    EXPECT_FALSE(find_foreground_bridge()) << "a bridge but nothing shown";
    auto shown = Window::create(u"Dialog", u"Zun Time", {}, WindowOptions { .visible = true, .rect = { 0, 0, 10, 10 } });
    ASSERT_TRUE(shown);
    const auto found = find_foreground_bridge();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->handle, bridge->handle());
    EXPECT_FALSE(bridge_folder().empty());
}

}  // namespace
}  // namespace zt::platform::gui::bridge

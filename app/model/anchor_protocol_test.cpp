#include "app/model/anchor_protocol.h"

#include <gtest/gtest.h>

namespace {

using zt::app::decode_command_line;
using zt::app::encode_command_line;
using zt::platform::CopyData;

CopyData copy_data(uint32_t word, const std::vector<uint8_t>& bytes) { return CopyData { word, bytes }; }

TEST(CommandLinePayload, RoundTripsWithTerminatorCountedInTheLength) {
    const auto bytes = encode_command_line(u"EditAlarm 12");
    EXPECT_EQ(bytes.size(), (12u + 1u) * 2u);
    EXPECT_EQ(bytes[0], 'E');
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(decode_command_line(copy_data(0, bytes)), u"EditAlarm 12");
    EXPECT_EQ(decode_command_line(copy_data(0, encode_command_line(u"Zeit \u00fc\u20ac"))), u"Zeit \u00fc\u20ac");
    EXPECT_EQ(decode_command_line(copy_data(0, encode_command_line(u""))), u"") << "empty, for the caller to ignore";
}

TEST(CommandLinePayload, ForeignPayloadsAreRefused) {
    const auto good = encode_command_line(u"NewAlarm");
    EXPECT_FALSE(decode_command_line(copy_data(1130, good))) << "another data word";
    EXPECT_FALSE(decode_command_line(copy_data(0, {}))) << "nothing";
    auto odd = good;
    odd.push_back(0);
    EXPECT_FALSE(decode_command_line(copy_data(0, odd))) << "odd byte count";
    auto unterminated = good;
    unterminated.resize(unterminated.size() - 2);
    EXPECT_FALSE(decode_command_line(copy_data(0, unterminated))) << "no terminator";
    EXPECT_FALSE(decode_command_line(copy_data(0, { 'N', 0 }))) << "one unit that is not a terminator";
    EXPECT_FALSE(decode_command_line(copy_data(0, encode_command_line(std::u16string(zt::app::kMaxCommandLineUnits + 1, u'x')))))
        << "too long for a command line";
    EXPECT_TRUE(decode_command_line(copy_data(0, encode_command_line(std::u16string(zt::app::kMaxCommandLineUnits, u'x')))));
}

TEST(CommandLinePayload, TextEndsAtAnEmbeddedZero) {
    const std::vector<uint8_t> bytes { 'N', 0, 'e', 0, 'w', 0, 0, 0, 'X', 0, 0, 0 };
    EXPECT_EQ(decode_command_line(copy_data(0, bytes)), u"New");
}

}  // namespace

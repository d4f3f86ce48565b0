#include "contracts/item_command.h"

#include <gtest/gtest.h>

namespace {

using zt::contracts::ItemCommand;
using zt::contracts::item_command_parameter;
using zt::contracts::split_item_command_parameter;

TEST(ItemCommandParameter, CommandInTheHighWordArgumentInTheLow) {
    EXPECT_EQ(item_command_parameter(ItemCommand::Snooze, 10), 10u);
    EXPECT_EQ(item_command_parameter(ItemCommand::Delete, 0), 0x40000u);
    EXPECT_EQ(item_command_parameter(ItemCommand::Change, 0xFFFF), 0x7FFFFu) << "the argument never spills";
    const auto word = split_item_command_parameter(item_command_parameter(ItemCommand::Disable, 0xABCD));
    EXPECT_EQ(word.command, 6);
    EXPECT_EQ(word.argument, 0xABCD);
    EXPECT_EQ(split_item_command_parameter(0xFFFF0003u).command, 0xFFFF) << "unknown commands reach the receiver as numbers";
}

}  // namespace

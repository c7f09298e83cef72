#include "radiosim/options.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "rawclient.h"

namespace radiosim::test {
namespace {

CConfig Parse(std::vector<std::string> arguments) { return ParseCommandLine(arguments).config; }

TEST(RadioSimOptions, ValuesReachTheConfig) {
    const CConfig c = Parse({"--link", "/tmp/radio", "--memory=radio.dat", "--save-on-write",
                             "--firmware", "4.5", "--band-a", "144-146.125", "--band-b=430.5-440",
                             "--start-ack", "none", "--bad-ack", "7:0x00", "--stall", "2:0"});
    EXPECT_EQ(c.linkPath, "/tmp/radio");
    EXPECT_EQ(c.memoryPath, "radio.dat");
    EXPECT_TRUE(c.saveOnWrite);
    EXPECT_EQ(c.firmware, (std::vector<uint8_t>{4, 5}));
    EXPECT_EQ(c.bandA.low, 14400000u);
    EXPECT_EQ(c.bandA.high, 14612500u);
    EXPECT_EQ(c.bandB.low, 43050000u);
    EXPECT_EQ(c.faults.startAckReply, kNoReply);
    EXPECT_EQ(c.faults.badAckBlock, 7);
    EXPECT_EQ(c.faults.badAckReply, 0);
    EXPECT_EQ(c.faults.stallBlock, 2);
    EXPECT_EQ(c.faults.stallMs, 0); // no pause at all is still a stall

    EXPECT_EQ(Parse({"--bad-ack", "3"}).faults.badAckReply, 0x42);
    const CConfig corrupt = Parse({"--corrupt-write", "12:0x1F"});
    EXPECT_EQ(corrupt.faults.corruptWriteBlock, 12);
    EXPECT_EQ(corrupt.faults.corruptWriteOffset, 31);
    EXPECT_TRUE(Parse({"--firmware", ""}).firmware.empty());
    EXPECT_TRUE(ParseCommandLine({"--help"}).help);
}

TEST(RadioSimOptions, BadUsageIsRefused) {
    const std::vector<std::vector<std::string>> cases{
        {"--nonsense"},
        {"--link"},
        {"--pace=1"},
        {"--stray", "many"},
        {"--stray", "-1"},
        {"--model", "NINECHARS"},
        {"--band-a", "136"},
        {"--band-a", "1x-2"},
        {"--band-b", "400.123456-480"},
        {"--firmware", "1..2"},
        {"--firmware", "1.2.3.4.5.6.7.8"},
        {"--ident-length", "33"},
        {"--bad-ack", "1:300"},
        {"--start-ack", "0x"},
        {"--corrupt-write", "3"},
        {"--corrupt-write", "3:32"},
    };
    for (const auto& arguments : cases)
        EXPECT_THROW(ParseCommandLine(arguments), std::invalid_argument) << arguments[0];
}

} // namespace
} // namespace radiosim::test

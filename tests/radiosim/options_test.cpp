#include "radiosim/options.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

#include "rawclient.h"

namespace radiosim::test {
namespace {

CConfig Parse(std::vector<std::string> arguments) { return ParseCommandLine(arguments).config; }

TEST(RadioSimOptions, ValuesReachTheConfig) {
    const CConfig c = Parse({"--link", "/tmp/radio", "--memory=radio.dat", "--save-on-write",
                             "--firmware", "4.5", "--band-a", "144-146.125", "--band-b=430.5-440",
                             "--start-ack", "none", "--bad-ack", "7:0x00", "--stall", "2:500"});
    EXPECT_EQ(c.linkPath, "/tmp/radio");
    EXPECT_EQ(c.memoryPath, "radio.dat");
    EXPECT_TRUE(c.saveOnWrite);
    EXPECT_FALSE(c.saveOnExit);
    EXPECT_EQ(c.firmware, (std::vector<uint8_t>{4, 5}));
    EXPECT_EQ(c.bandA.low, 14400000u);
    EXPECT_EQ(c.bandA.high, 14612500u);
    EXPECT_EQ(c.bandB.low, 43050000u);
    EXPECT_EQ(c.faults.startAckReply, kNoReply);
    EXPECT_EQ(c.faults.badAckBlock, 7);
    EXPECT_EQ(c.faults.badAckReply, 0);
    EXPECT_EQ(c.faults.stallBlock, 2);
    EXPECT_EQ(c.faults.stallMs, 500);

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
        {"--stall", "1"},
        {"--start-ack", "0x"},
        {"--corrupt-write", "3"},
        {"--corrupt-write", "3:32"},
    };
    for (const auto& arguments : cases)
        EXPECT_THROW(ParseCommandLine(arguments), std::invalid_argument) << arguments[0];
}

// The program from a shell: the path on the first line, serving until SIGTERM, saving on exit.
TEST(RadioSimProgram, ServesUntilTerminated) {
    const std::filesystem::path program = std::filesystem::path(TARSEL_BIN_DIR) / "tarsel-radiosim";
    if (!std::filesystem::exists(program)) GTEST_SKIP() << "tarsel-radiosim not built";
    const auto base =
        std::filesystem::temp_directory_path() / ("radiosim-program-" + std::to_string(::getpid()));
    const std::string link = base.string() + ".link";
    const std::string memory = base.string() + ".dat";

    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::execl(program.c_str(), "tarsel-radiosim", "--link", link.c_str(), "--memory",
                memory.c_str(), "--save-on-exit", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    std::string firstLine;
    char c = 0;
    while (::read(out[0], &c, 1) == 1 && c != '\n') firstLine += c;
    ::close(out[0]);
    EXPECT_TRUE(firstLine.starts_with("/dev/pts/")) << firstLine;
    {
        CRawClient client(link);
        ASSERT_FALSE(client.OpenAndStart().empty());
        EXPECT_EQ(client.WriteBlock(0x0001, B("Z")), kAckByte);
        client.Write(B("ENDW"));
    }
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    std::ifstream in(memory, std::ios::binary);
    const Bytes saved(std::istreambuf_iterator<char>(in), {});
    ASSERT_EQ(saved.size(), kMemorySize);
    EXPECT_EQ(saved[1], 'Z');
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
    std::filesystem::remove(memory);
}

} // namespace
} // namespace radiosim::test

#include "runcli.h"

#include "core/image/labels.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tarsel {
namespace {

using test::CTempDir;
using test::Lines;
using test::LoadImage;
using test::RunCli;

TEST(CliFiles, NewThenChannelsMatchTheTable) {
    CTempDir dir;
    ASSERT_EQ(RunCli({"new", dir / "a.dat"}).status, 0);
    EXPECT_EQ(LoadImage(dir / "a.dat"), BuildDefaultImage());
    CMemoryImage image = test::RandomImage(42);
    ASSERT_FALSE(SaveDataFile(dir / "r.dat", image));
    const auto result = RunCli({"channels", dir / "r.dat"});
    ASSERT_EQ(result.status, 0);
    CBandLimits limits;
    CChannelTable table;
    FillChannelTable(image, limits, table);
    const auto lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 259u);
    EXPECT_EQ(lines[0], "\t接收频率\t发射频率\t哑音解码\t哑音编码\t功率\t扫描\t带宽\t繁忙锁定");
    for (int channel = 1; channel <= 258; ++channel) {
        std::string expected = GridLabel(channel);
        for (const auto& cell : table.Row(channel).cells) expected += "\t" + cell;
        EXPECT_EQ(lines[channel], expected);
    }
}

TEST(CliFiles, NormaliseToAnotherFileLeavesTheInput) {
    CTempDir dir;
    const CMemoryImage image = test::RandomImage(8);
    ASSERT_FALSE(SaveDataFile(dir / "in.dat", image));
    ASSERT_EQ(RunCli({"normalise", dir / "in.dat", dir / "out.dat"}).status, 0);
    EXPECT_EQ(LoadImage(dir / "in.dat"), image);
    const CMemoryImage expected = test::Normalised(image);
    EXPECT_EQ(LoadImage(dir / "out.dat"), expected);
    ASSERT_EQ(RunCli({"normalise", dir / "in.dat"}).status, 0);
    EXPECT_EQ(LoadImage(dir / "in.dat"), expected);
}

TEST(CliFiles, SetChannelCommitsInTheListedOrder) {
    CTempDir dir;
    ASSERT_EQ(RunCli({"new", dir / "a.dat"}).status, 0);
    // --power before --rx on the command line still commits after the receive frequency.
    auto result = RunCli({"set-channel", dir / "a.dat", "b5", "--power", "低", "--rx", "435.0101",
                          "--tx-tone", "d23i", "--busy-lock", "载波", "--name", "ABCDEFGHI"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto plain = Lines(RunCli({"channels", dir / "a.dat"}).out);
    const auto named = Lines(RunCli({"channels", "--names", dir / "a.dat"}).out);
    EXPECT_EQ(plain[133], "B 005\t435.01000\t435.01000\t无\tD023I\t低\t是\t宽\t载波");
    EXPECT_EQ(named[0], plain[0] + "\t名称");
    EXPECT_EQ(named[133], plain[133] + "\tABCDEFG");
    result = RunCli(
        {"set-channel", "--settings", dir / "none.ini", dir / "a.dat", "A VFO", "--tx", "145"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Lines(RunCli({"channels", dir / "a.dat"}).out)[257], "A VFO\t\t\t\t\t\t\t\t")
        << "a transmit edit on an empty row leaves it empty";
}

// Bad usage (2) and failures (1) of every command are told on stderr and change no file. A port
// that leads nowhere shows the order of the checks: usage first, then the port.
TEST(CliFiles, BadUsageAndFailures) {
    CTempDir dir;
    ASSERT_EQ(RunCli({"new", dir / "a.dat"}).status, 0);
    std::ofstream(dir / "in.csv") << "Location,Frequency\n1,145.5\n";
    const std::string file = dir / "a.dat", csv = dir / "in.csv", none = dir / "none";
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* words;
    };
    const Case cases[] = {
        {{"frobnicate"}, 2, "unknown command 'frobnicate'"},
        {{}, 2, "subcommand"},
        {{"channels"}, 2, "FILE"},
        {{"set-channel", file, "C 001"}, 2, "unknown channel label"},
        {{"set-channel", file, "A 0"}, 2, "unknown channel label"},
        {{"set-channel", file, "B 200"}, 2, "unknown channel label"},
        {{"set-channel", file, "A 001", "--power", "中"}, 2, "--power"},
        {{"channels", dir / "missing.dat"}, 1, "missing.dat"},
        {{"normalise", file, dir / "no" / "out.dat"}, 1, "cannot save"},
        {{"import-csv", file}, 2, ""},
        {{"import-csv", file, csv, "--first", "0"}, 2, "--first"},
        {{"import-csv", file, csv, "--first", "257"}, 2, "--first"},
        {{"import-csv", file, dir / "missing.csv"}, 1, "missing.csv"},
        {{"import-csv", dir / "missing.dat", csv}, 1, "missing.dat"},
        {{"export-csv", dir / "missing.dat"}, 1, "missing.dat"},
        {{"export-csv"}, 2, ""},
        {{"export-csv", file, dir / "no-such-folder" / "out.csv"}, 1, "out.csv"},
        {{"write", "--port", none, "--port", none, file}, 2, ""},
        {{"write", "--port", "COM1", "--ports", "all", file}, 2, ""},
        {{"write", "--ports", "some", file}, 2, ""},
        {{"read", "--port", "COM1", "--port", "COM2", file}, 2, ""},
        {{"init", "--port", none, file, "--service-password", "MR274Q"}, 2, "password"},
        {{"init", "--port", none, file, "--service-password", ""}, 2, "password"},
        {{"init", "--port", none, file}, 2, "--service-password"},
        {{"calibration", "write", file, "--port", none, "--service-password", "x"}, 2, "password"},
        {{"dtmf-decoder", "send", file, "--port", none, "--service-password", "mr274q"}, 2, ""},
        {{"calibration"}, 2, "subcommand is required"},
        {{"dtmf-decoder", "write", file, "--port", "COM0", "--service-password", "mr274q"}, 1,
         "无法打开串口"},
    };
    for (const auto& c : cases) {
        const auto result = RunCli(c.args);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_NE(result.err.find(c.words), std::string::npos) << result.err;
        EXPECT_FALSE(result.err.empty());
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(LoadImage(file), BuildDefaultImage()) << "bad usage changes nothing";
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.dat"));
}

} // namespace
} // namespace tarsel

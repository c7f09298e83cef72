// The radio commands of tarsel-cli against the tarsel-radiosim program.
#include "radioprocess.h"
#include "runcli.h"

#include "../core/testimage.h"
#include "core/image/channeltable.h"
#include "core/image/datafile.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tarsel {
namespace {

using test::CRadioProcess;
using test::CTempDir;
using test::FileText;
using test::Lines;
using test::LoadImage;
using test::RunCli;

bool InClone(std::size_t i) { return i < 0x3000 || i >= 0x3F70; }

class CliRadioTest : public ::testing::Test {
protected:
    CTempDir dir;
    std::string settings = (dir / "Program.ini").string();
    std::string memory = (dir / "radio.dat").string();

    CRadioProcess StartRadio(std::vector<std::string> faults = {}) {
        return CRadioProcess::Saving(memory, std::move(faults));
    }
    test::CCliResult Cli(std::vector<std::string> args) {
        args.insert(args.begin(), {"--settings", settings});
        return RunCli(args);
    }
};

TEST_F(CliRadioTest, ReadMakesOrUpdatesTheFile) {
    const CMemoryImage radioMemory = test::RandomImage(21);
    ASSERT_FALSE(SaveDataFile(memory, radioMemory));
    const CMemoryImage existing = test::RandomImage(22);
    ASSERT_FALSE(SaveDataFile(dir / "old.dat", existing));
    CRadioProcess radio = StartRadio();

    for (const char* name : {"new.dat", "old.dat"}) {
        const auto result = Cli({"read", "--port", radio.Device(), (dir / name).string()});
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, ""); // no bar when stderr is not a terminal
    }
    const CMemoryImage fresh = LoadImage(dir / "new.dat"), updated = LoadImage(dir / "old.dat");
    const CMemoryImage blank = BuildDefaultImage();
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) {
        ASSERT_EQ(fresh[i], InClone(i) ? radioMemory[i] : blank[i]) << i;
        ASSERT_EQ(updated[i], InClone(i) ? radioMemory[i] : existing[i]) << i;
    }
}

TEST_F(CliRadioTest, FailuresNameTheMessageThenTheCauseAndLeaveFilesAlone) {
    const CMemoryImage existing = test::RandomImage(23);
    ASSERT_FALSE(SaveDataFile(dir / "old.dat", existing));
    const std::string before = FileText(dir / "old.dat");
    struct Case {
        std::vector<std::string> faults;
        std::string command;
        const char* message;
        const char* cause;
    } cases[] = {
        {{"--silent"}, "read", "通信出错", "no reply to the wake-up after 4 attempts"},
        // The cause texts of every fault are the core's; here only how each kind of command
        // reports one.
        {{"--ident-length", "12"},
         "info",
         "通信出错",
         "identification block incomplete: 12 of 32 bytes"},
        {{"--bad-ack", "3"},
         "write",
         "通信出错",
         "block 0x0060 not acknowledged: reply 0x42, expected 0x41"},
    };
    for (const Case& c : cases) {
        CRadioProcess radio = StartRadio(c.faults);
        std::vector<std::string> args{c.command, "--port", radio.Device()};
        if (c.command != "info") args.push_back((dir / "old.dat").string());
        const auto result = Cli(args);
        EXPECT_EQ(result.status, 1) << c.command;
        const auto lines = Lines(result.err);
        ASSERT_EQ(lines.size(), 2u) << result.err;
        EXPECT_EQ(lines[0], c.message);
        EXPECT_EQ(lines[1], c.cause);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(FileText(dir / "old.dat"), before);
    }
    CRadioProcess radio = StartRadio({"--silent"});
    EXPECT_EQ(Cli({"read", "--port", radio.Device(), (dir / "new.dat").string()}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "new.dat"));
}

TEST_F(CliRadioTest, AnUnreadableFileOrFolder) {
    std::ofstream(dir / "short.dat") << "too short";
    CRadioProcess radio = StartRadio();
    const auto result = Cli({"read", "--port", radio.Device(), (dir / "short.dat").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(FileText(dir / "short.dat"), "too short");
    const auto nowhere = Cli({"read", "--port", radio.Device(), (dir / "no/a.dat").string()});
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_NE(nowhere.err.find("no such folder"), std::string::npos) << nowhere.err;
}

TEST_F(CliRadioTest, WriteAndInitSendTheNormalisedImage) {
    const CMemoryImage file = test::RandomImage(24);
    ASSERT_FALSE(SaveDataFile(dir / "a.dat", file));
    CMemoryImage expected = file;
    CBandLimits limits;
    NormaliseThroughTable(expected, limits);
    ASSERT_NE(expected, file);

    struct Case {
        std::vector<std::string> extra;
        bool whole;
    } cases[] = {{{"write"}, false}, {{"init", "--service-password", "mr274q"}, true}};
    for (const Case& c : cases) {
        std::filesystem::remove(memory);
        CRadioProcess radio = StartRadio();
        std::vector<std::string> args = c.extra;
        args.insert(args.begin() + 1, {"--port", radio.Device(), (dir / "a.dat").string()});
        const auto result = Cli(args);
        ASSERT_EQ(result.status, 0) << result.err;
        radio.Stop();
        const CMemoryImage sent = LoadImage(memory);
        for (std::size_t i = 0; i < CMemoryImage::kSize; ++i)
            ASSERT_EQ(sent[i], c.whole || InClone(i) ? expected[i] : 0xFF) << i;
        EXPECT_EQ(LoadImage(dir / "a.dat"), file);
    }
}

TEST_F(CliRadioTest, AWrongServicePasswordIsBadUsage) {
    ASSERT_FALSE(SaveDataFile(dir / "a.dat", test::RandomImage(25)));
    const std::string trace = (dir / "trace.txt").string();
    CRadioProcess radio({"--trace", trace});
    for (const char* password : {"MR274Q", ""}) {
        const auto result = Cli({"init", "--port", radio.Device(), (dir / "a.dat").string(),
                                 "--service-password", password});
        EXPECT_EQ(result.status, 2) << password;
    }
    EXPECT_EQ(Cli({"init", "--port", radio.Device(), (dir / "a.dat").string()}).status, 2);
    radio.Stop();
    EXPECT_EQ(FileText(trace).find("WakeUp"), std::string::npos); // nothing was sent
}

TEST_F(CliRadioTest, InfoPrintsFourLinesFromThePortOfTheSettingsFile) {
    CRadioProcess radio = StartRadio({"--firmware", "1.2.3", "--band-b", "400-520"});
    std::ofstream(settings) << "[Setup]\nCOM=12\n[Ports]\nCOM12=" << radio.Device()
                            << "\n[Version]\nv1=V1.5\nv1.2.3=V2.0\n";
    const auto result = Cli({"info"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Lines(result.out), (std::vector<std::string>{"MCU版本\tv1.2.3", "PC版本\tV2.0",
                                                           "A段\t136\t174", "B段\t400\t520"}));
    const auto byName = Cli({"info", "--port", "\\\\.\\COM12"});
    EXPECT_EQ(byName.out, result.out) << byName.err;
}

} // namespace
} // namespace tarsel

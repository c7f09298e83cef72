// The radio commands of tarsel-cli against the tarsel-radiosim program.
#include "runcli.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tarsel {
namespace {

using test::CRadioProcess;
using test::FileText;
using test::Lines;
using test::LoadImage;

class CliRadioTest : public test::CCliTest {
protected:
    std::string memory = (dir / "radio.dat").string();

    CRadioProcess StartRadio(std::vector<std::string> faults = {}) {
        return CRadioProcess::Saving(memory, std::move(faults));
    }
};

TEST_F(CliRadioTest, ReadMakesOrUpdatesTheFile) {
    const CMemoryImage radioMemory = test::RandomImage(21), existing = test::RandomImage(22);
    ASSERT_FALSE(SaveDataFile(memory, radioMemory));
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
        ASSERT_EQ(fresh[i], test::InClone(i) ? radioMemory[i] : blank[i]) << i;
        ASSERT_EQ(updated[i], test::InClone(i) ? radioMemory[i] : existing[i]) << i;
    }
}

TEST_F(CliRadioTest, FailuresNameTheMessageThenTheCauseAndLeaveFilesAlone) {
    ASSERT_FALSE(SaveDataFile(dir / "old.dat", test::RandomImage(23)));
    const std::string before = FileText(dir / "old.dat");
    // The cause texts of every fault are the core's; here only how each kind of command reports
    // one.
    const struct {
        std::vector<std::string> faults;
        std::string command;
        const char* cause;
    } cases[] = {
        {{"--silent"}, "read", "no reply to the wake-up after 4 attempts"},
        {{"--ident-length", "12"}, "info", "identification block incomplete: 12 of 32 bytes"},
        {{"--bad-ack", "3"}, "write", "block 0x0060 not acknowledged: reply 0x42, expected 0x41"},
    };
    for (const auto& c : cases) {
        CRadioProcess radio = StartRadio(c.faults);
        std::vector<std::string> args{c.command, "--port", radio.Device()};
        if (c.command != "info") args.push_back((dir / "old.dat").string());
        const auto result = Cli(args);
        EXPECT_EQ(result.status, 1) << c.command;
        EXPECT_EQ(Lines(result.err), (std::vector<std::string>{"通信出错", c.cause}));
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(FileText(dir / "old.dat"), before);
    }
    CRadioProcess radio = StartRadio({"--silent"});
    EXPECT_EQ(Cli({"read", "--port", radio.Device(), (dir / "new.dat").string()}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "new.dat"));

    // A file that cannot be read or saved.
    std::ofstream(dir / "short.dat") << "too short";
    CRadioProcess sound = StartRadio();
    EXPECT_EQ(Cli({"read", "--port", sound.Device(), (dir / "short.dat").string()}).status, 1);
    EXPECT_EQ(FileText(dir / "short.dat"), "too short");
    const auto nowhere = Cli({"read", "--port", sound.Device(), (dir / "no/a.dat").string()});
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_NE(nowhere.err.find("no such folder"), std::string::npos) << nowhere.err;
}

TEST_F(CliRadioTest, WriteAndInitSendTheNormalisedImage) {
    const CMemoryImage file = test::RandomImage(24);
    ASSERT_FALSE(SaveDataFile(dir / "a.dat", file));
    const CMemoryImage expected = test::Normalised(file);
    ASSERT_NE(expected, file);

    for (const bool init : {false, true}) {
        std::filesystem::remove(memory);
        CRadioProcess radio = StartRadio();
        std::vector<std::string> args{"write", "--port", radio.Device(), (dir / "a.dat").string()};
        if (init) args = {"init", args[1], args[2], args[3], "--service-password", "mr274q"};
        const auto result = Cli(args);
        ASSERT_EQ(result.status, 0) << result.err;
        radio.Stop();
        const CMemoryImage sent = LoadImage(memory);
        for (std::size_t i = 0; i < CMemoryImage::kSize; ++i)
            ASSERT_EQ(sent[i], init || test::InClone(i) ? expected[i] : 0xFF) << i;
        EXPECT_EQ(LoadImage(dir / "a.dat"), file);
    }
}

// The radio's own name for its device (--link), as a user would map it.
TEST_F(CliRadioTest, InfoPrintsFourLinesFromThePortOfTheSettingsFile) {
    const auto link = dir / "cable";
    CRadioProcess radio = StartRadio({"--firmware", "1.2", "--band-b", "400-520", "--link", link});
    std::ofstream(settings) << "[Setup]\nCOM=12\n[Ports]\nCOM12=" << link.string()
                            << "\n[Version]\nv1=V1.5\nv1.2=V2.0\n";
    const auto result = Cli({"info"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Lines(result.out), (std::vector<std::string>{"MCU版本\tv1.2", "PC版本\tV2.0",
                                                           "A段\t136\t174", "B段\t400\t520"}));
    const auto byName = Cli({"info", "--port", "\\\\.\\COM12"});
    EXPECT_EQ(byName.out, result.out) << byName.err;
    radio.Stop();
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

} // namespace
} // namespace tarsel

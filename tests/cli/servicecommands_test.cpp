// calibration and dtmf-decoder of tarsel-cli against the tarsel-radiosim program.
#include "radioprocess.h"
#include "runcli.h"

#include "../core/testimage.h"
#include "core/image/datafile.h"
#include "core/image/finalise.h"
#include "core/service/calibrationfields.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tarsel {
namespace {

using test::CTempDir;

using CRadio = test::CRadioProcess;

class CliServiceTest : public ::testing::Test {
protected:
    CTempDir dir;
    std::string memory = (dir / "radio.dat").string();
    std::string file = (dir / "a.dat").string();

    CRadio StartRadio(std::vector<std::string> faults = {}) {
        return CRadio::Saving(memory, std::move(faults));
    }
    test::CCliResult Cli(const std::string& command, const std::string& direction,
                         const std::string& port, const std::string& password = "mr274q") {
        return test::RunCli({"--settings", (dir / "Program.ini").string(), command, direction, file,
                             "--port", port, "--service-password", password});
    }
};

TEST_F(CliServiceTest, ReadsReplaceOnlyTheirRegionAndOnlyWhenComplete) {
    const CMemoryImage radioMemory = test::RandomImage(31);
    const CMemoryImage existing = test::RandomImage(32);
    struct Case {
        const char* command;
        map::CRange region;
    } cases[] = {{"calibration", map::kCalibrationRange}, {"dtmf-decoder", map::kDtmfDecoderRange}};
    for (const Case& c : cases) {
        ASSERT_FALSE(SaveDataFile(memory, radioMemory));
        ASSERT_FALSE(SaveDataFile(file, existing));
        {
            CRadio failing = StartRadio({"--bad-ack", "1"});
            const auto failed = Cli(c.command, "read", failing.Device());
            EXPECT_EQ(failed.status, 1);
            EXPECT_EQ(failed.err.substr(0, failed.err.find('\n')), "通信出错");
            EXPECT_EQ(test::LoadImage(file), existing);
        }
        CRadio radio = StartRadio();
        const auto result = Cli(c.command, "read", radio.Device());
        ASSERT_EQ(result.status, 0) << result.err;
        const CMemoryImage updated = test::LoadImage(file);
        for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) {
            const bool inside = i >= c.region.start && i < c.region.end;
            ASSERT_EQ(updated[i], inside ? radioMemory[i] : existing[i]) << c.command << i;
        }
    }
}

TEST_F(CliServiceTest, WritesSendTheStoredWindowAndLeaveTheFile) {
    const CMemoryImage original = test::RandomImage(33);
    ASSERT_FALSE(SaveDataFile(file, original));

    CMemoryImage expected = original;
    CBandLimits limits;
    LoadBandLimits(expected, limits);
    CCalibrationFields fields = LoadFields(expected, limits);
    StoreFields(fields, limits, expected);

    std::filesystem::remove(memory);
    CRadio radio = StartRadio();
    ASSERT_EQ(Cli("calibration", "write", radio.Device()).status, 0);
    radio.Stop();
    const CMemoryImage sent = test::LoadImage(memory);
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) {
        const bool inside = i >= map::kCalibrationRange.start && i < map::kCalibrationRange.end;
        ASSERT_EQ(sent[i], inside ? expected[i] : 0xFF) << i;
    }
    EXPECT_EQ(sent[0x3EB0], 66);

    std::filesystem::remove(memory);
    CRadio decoder = StartRadio();
    ASSERT_EQ(Cli("dtmf-decoder", "write", decoder.Device()).status, 0);
    decoder.Stop();
    const CMemoryImage decoderSent = test::LoadImage(memory);
    EXPECT_EQ(decoderSent[0x3E00], 0x01); // headers rewritten
    EXPECT_EQ(decoderSent[0x3E01], 0xC4);
    EXPECT_EQ(decoderSent[0x3E02], original[0x3E02]);
    EXPECT_EQ(decoderSent[0x3E2F], original[0x3E2F]);
    EXPECT_EQ(decoderSent[0x3E30], 0xFF);
    EXPECT_EQ(test::LoadImage(file), original);
}

TEST_F(CliServiceTest, AWrongPasswordOrDirectionIsBadUsage) {
    ASSERT_FALSE(SaveDataFile(file, test::RandomImage(34)));
    CRadio radio = StartRadio();
    EXPECT_EQ(Cli("calibration", "write", radio.Device(), "wrong").status, 2);
    EXPECT_EQ(Cli("dtmf-decoder", "send", radio.Device()).status, 2);
    const auto bare = test::RunCli({"calibration"});
    EXPECT_EQ(bare.status, 2);
    EXPECT_NE(bare.err.find("subcommand is required"), std::string::npos) << bare.err;
    const auto noPort = Cli("dtmf-decoder", "write", "COM0");
    EXPECT_EQ(noPort.status, 1);
    EXPECT_EQ(noPort.err.substr(0, noPort.err.find('\n')), "无法打开串口");
}

} // namespace
} // namespace tarsel

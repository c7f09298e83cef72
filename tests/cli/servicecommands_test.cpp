// calibration and dtmf-decoder of tarsel-cli against the tarsel-radiosim program.
#include "runcli.h"

#include "core/service/calibrationfields.h"
#include "core/service/decoderfields.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

using test::CRadioProcess;
using test::LoadImage;

class CliServiceTest : public test::CCliTest {
protected:
    std::string memory = (dir / "radio.dat").string(), file = (dir / "a.dat").string();

    test::CCliResult Run(const char* command, const char* direction, const std::string& port,
                         const std::string& password = "mr274q") const {
        return Cli({command, direction, file, "--port", port, "--service-password", password});
    }
};

// A read replaces only its region and only when complete; a write sends the region as the
// window stores its fields, and leaves FILE as it was.
TEST_F(CliServiceTest, ReadsAndWritesCarryOnlyTheirRegion) {
    const CMemoryImage radioMemory = test::RandomImage(31), existing = test::RandomImage(32);
    CMemoryImage stored = existing;
    CBandLimits limits;
    LoadBandLimits(stored, limits);
    CCalibrationFields calibration = LoadFields(stored, limits);
    StoreFields(calibration, limits, stored);
    CDecoderFields decoder = LoadDecoderFields(stored);
    StoreDecoderFields(decoder, stored);
    const struct {
        const char* command;
        map::CRange region;
    } cases[] = {{"calibration", map::kCalibrationRange}, {"dtmf-decoder", map::kDtmfDecoderRange}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        ASSERT_FALSE(SaveDataFile(memory, radioMemory));
        ASSERT_FALSE(SaveDataFile(file, existing));
        {
            CRadioProcess failing = CRadioProcess::Saving(memory, {"--bad-ack", "1"});
            const auto failed = Run(c.command, "read", failing.Device());
            EXPECT_EQ(failed.status, 1);
            EXPECT_EQ(test::Lines(failed.err).at(0), "通信出错");
            EXPECT_EQ(LoadImage(file), existing);
        }
        CRadioProcess reading = CRadioProcess::Saving(memory);
        ASSERT_EQ(Run(c.command, "read", reading.Device()).status, 0);
        const CMemoryImage updated = LoadImage(file);

        ASSERT_FALSE(SaveDataFile(file, existing));
        std::filesystem::remove(memory);
        CRadioProcess writing = CRadioProcess::Saving(memory);
        ASSERT_EQ(Run(c.command, "write", writing.Device()).status, 0);
        writing.Stop();
        const CMemoryImage sent = LoadImage(memory);
        bool prepared = false;
        for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) {
            const bool inside = i >= c.region.start && i < c.region.end;
            ASSERT_EQ(updated[i], inside ? radioMemory[i] : existing[i]) << i;
            ASSERT_EQ(sent[i], inside ? stored[i] : 0xFF) << i;
            prepared |= inside && stored[i] != existing[i];
        }
        EXPECT_TRUE(prepared) << "the fields' store changes the random image";
        EXPECT_EQ(LoadImage(file), existing);
    }
}

} // namespace
} // namespace tarsel

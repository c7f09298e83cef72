// The clone transfers over a real pseudo-terminal against the virtual radio: what arrives in the
// radio and in the image. The information and service exchanges go the same way through the
// command-line tests.
#include "core/image/bcd.h"
#include "core/radiolink/posixserialport.h"
#include "core/radiolink/transfer.h"
#include "radiosim/virtualradio.h"

#include "../core/testimage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace tarsel {
namespace {

using test::InRanges;
using test::RandomImage;

class ExchangeLinkTest : public ::testing::Test {
protected:
    void StartRadio(radiosim::CConfig config = {}) {
        radio_ = std::make_unique<radiosim::CVirtualRadio>(std::move(config));
        radio_->Start();
    }
    radiosim::CVirtualRadio& Radio() { return *radio_; }
    const std::string& Device() const { return radio_->DevicePath(); }

    // The exchange is over: nothing holds the device any more.
    void ExpectPortFree() {
        EXPECT_FALSE(port_.IsOpen());
        CPosixSerialPort other;
        const COpenResult reopened = other.OpenRadioPort(Device());
        EXPECT_TRUE(reopened.Succeeded()) << DescribeOpenFailure(reopened);
    }

    CPosixSerialPort port_;
    std::unique_ptr<radiosim::CVirtualRadio> radio_;
};

TEST_F(ExchangeLinkTest, ReadBringsTheRadioIntoTheImage) {
    StartRadio();
    CMemoryImage memory = RandomImage(11);
    memory[map::kBandALowTopByte] = 0xFF;
    Radio().SetMemory(memory.Bytes());
    const CMemoryImage before = RandomImage(12);
    CMemoryImage image = before;

    const CExchangeResult result = ReadRadio(port_, Device(), image);

    ASSERT_TRUE(result.Done()) << DescribeCause(result);
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) {
        if (i >= map::kBandALow && i < map::kBandBLow) continue;
        ASSERT_EQ(image[i], InRanges(i, map::kCloneRanges) ? memory[i] : before[i]) << i;
    }
    EXPECT_EQ(DecodeFrequencyField(image.Field<4>(map::kBandALow)), 13600000);
    EXPECT_EQ(DecodeFrequencyField(image.Field<4>(map::kBandAHigh)), 17400000);
    EXPECT_TRUE(
        Radio().WaitFor([](const auto& c) { return c.endReads == 1; }, std::chrono::seconds(20)));
    EXPECT_EQ(Radio().Counters().blocksRead, 389);
    ExpectPortFree();
}

TEST_F(ExchangeLinkTest, WriteAndInitialiseStoreTheImageInTheRadio) {
    for (const ETransfer transfer : {ETransfer::Write, ETransfer::Initialise}) {
        StartRadio();
        const CMemoryImage image = RandomImage(13);
        const CExchangeResult result = transfer == ETransfer::Write
                                           ? WriteRadio(port_, Device(), image)
                                           : InitialiseRadio(port_, Device(), image);
        ASSERT_TRUE(result.Done()) << DescribeCause(result);
        ASSERT_TRUE(Radio().WaitFor([](const auto& c) { return c.endWrites == 1; },
                                    std::chrono::seconds(20)));
        const auto memory = Radio().Memory();
        for (std::size_t i = 0; i < CMemoryImage::kSize; ++i)
            ASSERT_EQ(memory[i], InRanges(i, TransferRanges(transfer)) ? image[i] : 0xFF) << i;
        ExpectPortFree();
    }
}

} // namespace
} // namespace tarsel

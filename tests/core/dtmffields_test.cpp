#include "core/dtmf/codelistfields.h"
#include "core/dtmf/dtmfstring.h"
#include "core/dtmf/remotefields.h"
#include "core/dtmf/timingfields.h"
#include "core/image/memorymap.h"
#include "testimage.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarsel {
namespace {

using test::Bytes;

TEST(DtmfString, WriteErasesTheFieldAndReadStopsAboveFifteen) {
    CMemoryImage image;
    image.Fill(0x00);
    auto field = image.Field<16>(map::kDtmfPttIdStart);
    WriteDtmfString("12A*", field);
    EXPECT_EQ(Bytes(image, map::kDtmfPttIdStart, 6),
              (std::vector<uint8_t>{0x01, 0x02, 0x0A, 0x0E, 0xFF, 0xFF}));
    EXPECT_EQ(image[map::kDtmfPttIdStart + 15], 0xFF);
    EXPECT_EQ(image[map::kDtmfPttIdStart + 16], 0x00) << "the next field is not touched";
    EXPECT_EQ(ReadDtmfString(field), "12A*");
    field[2] = 0x10; // a byte above 15 ends the string, whatever follows
    EXPECT_EQ(ReadDtmfString(field), "12");
    field[0] = 0xFF;
    EXPECT_EQ(ReadDtmfString(field), "");
    WriteDtmfString("0123456789ABCD*#99", field);
    EXPECT_EQ(ReadDtmfString(field), "0123456789ABCD*#") << "cut at the end of the field";
}

// One byte of the image in, what the page shows, and what it stores back.
TEST(DtmfTiming, LoadedBytesAreShownCorrectedAndStoredBack) {
    struct Case {
        uint16_t offset;
        uint8_t byte;
        std::string CDtmfTimingFields::*text; // or the list index below
        int CDtmfTimingFields::*index;
        const char* shown;
        int shownIndex;
        uint8_t stored;
    };
    using F = CDtmfTimingFields;
    const Case cases[] = {
        {map::kDtmfFirstDigitDelay, 0, &F::firstDigitDelay, nullptr, "200", 0, 4},
        {map::kDtmfFirstDigitDelay, 3, &F::firstDigitDelay, nullptr, "100", 0, 2},
        {map::kDtmfFirstDigitDelay, 20, &F::firstDigitDelay, nullptr, "1000", 0, 20},
        {map::kDtmfFirstDigitDelay, 255, &F::firstDigitDelay, nullptr, "200", 0, 4},
        {map::kDtmfWaitTime, 255, &F::waitTime, nullptr, "60", 0, 60},
        {map::kDtmfWaitTime, 0, &F::waitTime, nullptr, "3", 0, 3},
        {map::kDtmfWaitTime, 30, &F::waitTime, nullptr, "30", 0, 30},
        {map::kDtmfRate, 40, nullptr, &F::rateIndex, nullptr, 2, 50},
        {map::kDtmfRate, 83, nullptr, &F::rateIndex, nullptr, 0, 83},
        {map::kDtmfRate, 34, nullptr, &F::rateIndex, nullptr, 3, 34},
        {map::kDtmfFirstDigitTime, 1, nullptr, &F::firstDigitTimeIndex, nullptr, 2, 10},
        {map::kDtmfFirstDigitTime, 3, nullptr, &F::firstDigitTimeIndex, nullptr, 1, 2},
        {map::kDtmfFirstDigitTime, 0, nullptr, &F::firstDigitTimeIndex, nullptr, 0, 0},
        {map::kDtmfFirstDigitTime, 20, nullptr, &F::firstDigitTimeIndex, nullptr, 3, 20},
        {map::kDtmfStarHashTime, 10, nullptr, &F::starHashTimeIndex, nullptr, 2, 10},
        {map::kDtmfStarHashTime, 255, nullptr, &F::starHashTimeIndex, nullptr, 1, 2},
    };
    for (const Case& c : cases) {
        CMemoryImage image;
        image[c.offset] = c.byte;
        CDtmfTimingFields fields = LoadDtmfTiming(image);
        if (c.text) {
            EXPECT_EQ(fields.*c.text, c.shown) << c.offset << " " << int(c.byte);
        } else {
            EXPECT_EQ(fields.*c.index, c.shownIndex) << c.offset << " " << int(c.byte);
        }
        StoreDtmfTiming(fields, image);
        EXPECT_EQ(image[c.offset], c.stored) << c.offset << " " << int(c.byte);
    }
}

TEST(DtmfTiming, SharedBytesKeepTheOtherEditorsBits) {
    CMemoryImage image;
    image[map::kSettingsBits49] = 0b1110'0111 | (1 << 3); // side tone "按键"
    image[map::kDtmfFlags] = 0b1111'1011;                 // wait for reply off
    CDtmfTimingFields fields = LoadDtmfTiming(image);
    EXPECT_EQ(fields.sideToneIndex, 1);
    EXPECT_EQ(fields.waitForReplyIndex, 0);
    fields.sideToneIndex = 2;
    fields.waitForReplyIndex = 1;
    fields.pttIdStart = "12A*";
    fields.pttIdEnd = "";
    StoreDtmfTiming(fields, image);
    EXPECT_EQ(image[map::kSettingsBits49], 0b1110'0111 | (2 << 3));
    EXPECT_EQ(image[map::kDtmfFlags], 0xFF);
    EXPECT_EQ(Bytes(image, map::kDtmfPttIdStart, 5),
              (std::vector<uint8_t>{0x01, 0x02, 0x0A, 0x0E, 0xFF}));
    EXPECT_EQ(Bytes(image, map::kDtmfPttIdEnd, 16), std::vector<uint8_t>(16, 0xFF));
    EXPECT_EQ(LoadDtmfTiming(image), fields) << "what was stored loads back";
}

TEST(DtmfRemote, KillCodeEndMark) {
    struct Case {
        const char* code;
        std::vector<uint8_t> bytes; // the whole kill code field
        const char* loaded;
    };
    const uint8_t kept = 0x55; // the last byte before the store
    const Case cases[] = {
        {"1234",
         {1, 2, 3, 4, 0x0F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, kept},
         "1234"},
        {"12#",
         {1, 2, 0x0F, 0x0F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, kept},
         "12#"},
        {"", std::vector<uint8_t>(15, 0xFF), ""},
        {"123456789012345", {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5, 0x0F}, "123456789012345"},
        // Only 15 bytes are read back: a last "#" of a full code is taken for the end mark.
        {"12345678901234#",
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 0x0F, 0x0F},
         "12345678901234"},
    };
    for (const Case& c : cases) {
        CMemoryImage image;
        image[map::kDtmfKillCode + 15] = kept;
        CDtmfRemoteFields fields = LoadDtmfRemote(image);
        fields.killCode = c.code;
        StoreDtmfRemote(fields, image);
        EXPECT_EQ(Bytes(image, map::kDtmfKillCode, c.bytes.size()), c.bytes) << c.code;
        EXPECT_EQ(LoadDtmfRemote(image).killCode, c.loaded) << c.code;
    }
}

TEST(DtmfRemote, DecodeTimeRoundTrip) {
    // Every value the field can show survives a load and store: 2.3 is exactly 230.
    for (int units = 10; units <= 250; units += 10) {
        CMemoryImage image;
        image[map::kDtmfDecodeTime] = static_cast<uint8_t>(units);
        CDtmfRemoteFields fields = LoadDtmfRemote(image);
        StoreDtmfRemote(fields, image);
        EXPECT_EQ(image[map::kDtmfDecodeTime], units);
    }
    // The byte as the field shows it before the validation pass, and what is stored back.
    struct Case {
        uint8_t byte;
        const char* shown;
        uint8_t stored;
    };
    const Case cases[] = {{57, "0.6", 60},   {5, "0.1", 10},    {9, "0.1", 10},
                          {4, "0.0", 250},   {0, "0.0", 250},   {255, "2.6", 250},
                          {230, "2.3", 230}, {251, "2.5", 250}, {15, "0.2", 20}};
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeTimeText(c.byte), c.shown) << int(c.byte);
        CMemoryImage image;
        image[map::kDtmfDecodeTime] = c.byte;
        CDtmfRemoteFields fields = LoadDtmfRemote(image);
        StoreDtmfRemote(fields, image);
        EXPECT_EQ(image[map::kDtmfDecodeTime], c.stored) << int(c.byte);
    }
}

// The checks on leaving a field, and the spin buttons' steps, which wrap past either end. The
// decode time wraps as its byte does: 2.6 is 260, stored as 4; 3.5 is 350, stored as 94.
TEST(DtmfFields, EditCorrectionsAndSpinSteps) {
    using Pairs = std::vector<std::pair<const char*, const char*>>;
    const std::pair<std::string (*)(std::string_view), Pairs> corrections[] = {
        {NormaliseFirstDigitDelay,
         {{"250", "200"}, {"50", "200"}, {"1100", "200"}, {"1000", "1000"}, {"", "200"},
          {"199", "100"}}},
        {ClampWaitTime, {{"2", "3"}, {"99", "60"}, {"", "3"}, {"255", "60"}}},
        {ClampAutoResetTime, {{"70", "60"}, {"1", "3"}, {"", "3"}}},
        {NormaliseDecodeTime,
         {{"0.57", "0.6"}, {"2.6", "2.5"}, {"3.5", "0.9"}, {"", "2.5"}, {"2.3", "2.3"}}}};
    for (const auto& [rule, cases] : corrections)
        for (const auto& [text, result] : cases) EXPECT_EQ(rule(text), result) << text;
    using Steps = std::vector<std::tuple<const char*, int, const char*>>;
    const std::pair<std::string (*)(std::string_view, int), Steps> steps[] = {
        {StepFirstDigitDelay,
         {{"1000", 1, "100"}, {"100", -1, "1000"}, {"150", 1, "200"}, {"150", -1, "100"},
          {"500", 1, "600"}, {"500", -1, "400"}, {"", -1, "1000"}}},
        {StepWaitTime, {{"60", 1, "3"}, {"3", -1, "60"}, {"10", 1, "11"}, {"0", 1, "3"}}},
        {StepAutoResetTime, {{"60", 1, "3"}, {"3", -1, "60"}, {"10", -1, "9"}}},
        {StepDecodeTime,
         {{"2.5", 1, "0.1"}, {"0.1", -1, "2.5"}, {"2.2", 1, "2.3"}, {"2.4", -1, "2.3"}}}};
    for (const auto& [rule, cases] : steps)
        for (const auto& [text, step, result] : cases)
            EXPECT_EQ(rule(text, step), result) << text << step;
}

TEST(DtmfRemote, LoadFallbacksAndSharedBits) {
    CMemoryImage image;
    image[map::kDtmfAutoResetTime] = 0;
    image[map::kDtmfGroupCallCode] = 5; // a digit is no list entry
    image[map::kDtmfKillType] = 4;
    image[map::kDtmfFlags] = 0b0111'1110;
    CDtmfRemoteFields fields = LoadDtmfRemote(image);
    EXPECT_EQ(fields.autoResetTime, "10");
    EXPECT_EQ(fields.groupCallIndex, 0);
    EXPECT_EQ(fields.killTypeIndex, 0);
    EXPECT_EQ(fields.killEnabledIndex, 1);
    EXPECT_EQ(fields.decodeResponseIndex, 2);
    EXPECT_EQ(fields.alarmCode, "");
    fields.decodeResponseIndex = 1;
    fields.killEnabledIndex = 0;
    fields.groupCallIndex = 5;
    fields.alarmCode = "99#";
    StoreDtmfRemote(fields, image);
    EXPECT_EQ(image[map::kDtmfFlags], 0b1111'1101);
    EXPECT_EQ(image[map::kDtmfGroupCallCode], 15);
    EXPECT_EQ(image[map::kDtmfAutoResetTime], 10);
    EXPECT_EQ(image[map::kDtmfKillType], 0);
    EXPECT_EQ(Bytes(image, map::kDtmfAlarmCode, 8),
              (std::vector<uint8_t>{9, 9, 15, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(LoadDtmfRemote(image), fields);
}

TEST(DtmfCodeList, AniSuffixFollowsSeparatorAndOwnId) {
    CMemoryImage image;
    WriteDtmfString("123A456", image.Field<16>(map::kDtmfCodeList));
    WriteDtmfString("123", image.Field<16>(map::kDtmfCodeList + 16));
    WriteDtmfString("99A456", image.Field<16>(map::kDtmfCodeList + 9 * 16));
    WriteDtmfString("456", image.Field<7>(map::kDtmfOwnId));
    image[map::kDtmfAniSeparator] = 10;
    CAniMemory memory;
    CDtmfCodeListFields fields = LoadDtmfCodeList(image, "100", memory);
    EXPECT_EQ(fields.separatorIndex, 0);
    fields.separatorIndex = 5; // "#"
    ChangeSeparator(fields, memory);
    EXPECT_EQ(fields.codes[0], "123#456");
    EXPECT_EQ(fields.codes[1], "123");
    EXPECT_EQ(fields.codes[9], "99#456");
    RememberOwnId(fields, memory);
    fields.ownId = "789";
    LeaveOwnId(fields, memory);
    EXPECT_EQ(fields.codes[0], "123#789");
    fields.ownId = "";
    LeaveOwnId(fields, memory);
    EXPECT_EQ(fields.ownId, "789") << "the own ID cannot be cleared";
    EXPECT_EQ(fields.codes[0], "123#789");
}

TEST(DtmfCodeList, ASeparatorThatIsNoDigitRewritesNothingAtFirst) {
    CMemoryImage image;
    WriteDtmfString("1A", image.Field<16>(map::kDtmfCodeList));
    CAniMemory memory;
    CDtmfCodeListFields fields = LoadDtmfCodeList(image, "100", memory);
    EXPECT_EQ(fields.separatorIndex, 0) << "shows \"A\"";
    fields.separatorIndex = 1;
    ChangeSeparator(fields, memory);
    EXPECT_EQ(fields.codes[0], "1A") << "the placeholder matches no code";
    fields.separatorIndex = 2;
    ChangeSeparator(fields, memory);
    fields.codes[1] = "7C";
    fields.separatorIndex = 3;
    ChangeSeparator(fields, memory);
    EXPECT_EQ(fields.codes[1], "7D") << "later changes work";
}

TEST(DtmfCodeList, StoreCutsLongCodesAndKeepsTheCallId) {
    CMemoryImage image;
    CAniMemory memory;
    std::string callId = "100";
    CDtmfCodeListFields fields = LoadDtmfCodeList(image, callId, memory);
    fields.separatorIndex = 4; // "*"
    fields.ownId = "12345";
    EXPECT_EQ(AniCallText(fields), "100*12345");
    fields.codes[0] = "1234567890ABCD*#12";
    fields.codes[3] = AniCallText(fields);
    fields.callId = "555";
    StoreDtmfCodeList(fields, image, callId);
    EXPECT_EQ(callId, "555");
    EXPECT_EQ(image[map::kDtmfAniSeparator], 14);
    EXPECT_EQ(Bytes(image, map::kDtmfOwnId, 7), (std::vector<uint8_t>{1, 2, 3, 4, 5, 0xFF, 0xFF}));
    const CDtmfCodeListFields loaded = LoadDtmfCodeList(image, callId, memory);
    EXPECT_EQ(loaded.codes[0], "1234567890ABCD*#");
    EXPECT_EQ(loaded.codes[3], "100*12345");
    EXPECT_EQ(Bytes(image, map::kDtmfCodeList + 16, 16), std::vector<uint8_t>(16, 0xFF));
    EXPECT_EQ(loaded.callId, "555");
}

} // namespace
} // namespace tarsel

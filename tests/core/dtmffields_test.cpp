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
using V = std::vector<uint8_t>;

// The bytes of the first digit delay, the wait time, the rate, the first digit time and the star
// and hash time as loaded; what the page shows (the lists by their index); what it stores back.
TEST(DtmfTiming, LoadedBytesAreShownCorrectedAndStoredBack) {
    const uint16_t offsets[] = {map::kDtmfFirstDigitDelay, map::kDtmfWaitTime, map::kDtmfRate,
                                map::kDtmfFirstDigitTime, map::kDtmfStarHashTime};
    const std::tuple<V, std::vector<std::string>, V> rows[] = {
        {{0, 0, 40, 1, 255}, {"200", "3", "2", "2", "1"}, {4, 3, 50, 10, 2}},
        {{3, 255, 83, 3, 10}, {"100", "60", "0", "1", "2"}, {2, 60, 83, 2, 10}},
        {{20, 30, 34, 0, 0}, {"1000", "30", "3", "0", "0"}, {20, 30, 34, 0, 0}},
        {{255, 30, 63, 20, 20}, {"200", "30", "1", "3", "3"}, {4, 30, 63, 20, 20}},
    };
    for (const auto& [bytes, shown, stored] : rows) {
        CMemoryImage image;
        for (std::size_t i = 0; i < bytes.size(); ++i) image[offsets[i]] = bytes[i];
        CDtmfTimingFields f = LoadDtmfTiming(image);
        EXPECT_EQ((std::vector<std::string>{f.firstDigitDelay, f.waitTime,
                                            std::to_string(f.rateIndex),
                                            std::to_string(f.firstDigitTimeIndex),
                                            std::to_string(f.starHashTimeIndex)}),
                  shown);
        StoreDtmfTiming(f, image);
        V after;
        for (uint16_t offset : offsets) after.push_back(image[offset]);
        EXPECT_EQ(after, stored) << shown[0];
    }
}

TEST(DtmfRemote, KillCodeEndMark) {
    // Only 15 bytes are read back: a last "#" of a full code is taken for the end mark.
    const std::tuple<std::string, V, const char*> cases[] = {
        {"1234", {1, 2, 3, 4, 0x0F, 0xFF}, "1234"}, {"12#", {1, 2, 0x0F, 0x0F, 0xFF}, "12#"},
        {"", {0xFF, 0xFF}, ""},
        {"123456789012345", {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5}, "123456789012345"},
        {"12345678901234#", {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 0x0F}, "12345678901234"},
    };
    for (const auto& [code, bytes, loaded] : cases) {
        CMemoryImage image;
        image[map::kDtmfKillCode + 15] = 0x55; // written only as the end mark of 15 digits
        CDtmfRemoteFields fields = LoadDtmfRemote(image);
        fields.killCode = code;
        StoreDtmfRemote(fields, image);
        EXPECT_EQ(Bytes(image, map::kDtmfKillCode, bytes.size()), bytes) << code;
        EXPECT_EQ(image[map::kDtmfKillCode + 15], code.size() == 15 ? 0x0F : 0x55) << code;
        EXPECT_EQ(LoadDtmfRemote(image).killCode, loaded) << code;
    }
}

TEST(DtmfRemote, DecodeTimeTextAndUnits) {
    // Every value the field can show survives a load and store: 2.3 is exactly 230.
    for (int units = 10; units <= 250; units += 10)
        EXPECT_EQ(DecodeTimeUnits(DecodeTimeText(units)), units);
    // A byte as the field shows it before the validation pass, and what that text stores as.
    const std::tuple<int, const char*, int> cases[] = {
        {57, "0.6", 60}, {5, "0.1", 10}, {4, "0.0", 250}, {255, "2.6", 250}, {15, "0.2", 20}};
    for (const auto& [units, shown, stored] : cases) {
        EXPECT_EQ(DecodeTimeText(units), shown) << units;
        EXPECT_EQ(DecodeTimeUnits(shown), stored) << units;
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
        {ClampWaitTime, {{"2", "3"}, {"99", "60"}, {"", "3"}}},
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

// The flags byte is shared by both pages; the side tone's byte by the optional features.
TEST(DtmfFields, LoadFallbacksAndSharedBytes) {
    CMemoryImage image;
    image[map::kDtmfAutoResetTime] = 0;
    image[map::kDtmfGroupCallCode] = 5; // a digit is no list entry
    image[map::kDtmfKillType] = 4;
    image[map::kDtmfFlags] = 0b0111'1011; // kill off, wait for reply off, decode response 3
    image[map::kSettingsBits49] = 0b1110'0111 | (1 << 3); // side tone "按键"
    image.Fill(map::kDtmfPttIdEnd, 16, 0x00);
    CDtmfRemoteFields remote = LoadDtmfRemote(image);
    // Group call, kill enabled and type, kill code, reset time, decode response, alarm code,
    // decode time (2.6 corrected by the validation pass).
    EXPECT_EQ(remote, (CDtmfRemoteFields{0, 1, 0, "", "10", 3, "", "2.5"}));
    CDtmfTimingFields timing = LoadDtmfTiming(image);
    EXPECT_EQ(timing.sideToneIndex, 1);
    EXPECT_EQ(timing.waitForReplyIndex, 0);
    remote.decodeResponseIndex = 1;
    remote.killEnabledIndex = 0;
    remote.groupCallIndex = 5;
    remote.alarmCode = "99#";
    timing.sideToneIndex = 2;
    timing.waitForReplyIndex = 1;
    timing.pttIdStart = "12A*";
    timing.pttIdEnd = "";
    StoreDtmfRemote(remote, image);
    StoreDtmfTiming(timing, image);
    EXPECT_EQ(image[map::kDtmfFlags], 0b1111'1101);
    EXPECT_EQ(image[map::kSettingsBits49], 0b1110'0111 | (2 << 3));
    EXPECT_EQ(image[map::kDtmfGroupCallCode], 15);
    EXPECT_EQ(image[map::kDtmfAutoResetTime], 10);
    EXPECT_EQ(image[map::kDtmfKillType], 0);
    EXPECT_EQ(image[map::kDtmfDecodeTime], 250);
    EXPECT_EQ(Bytes(image, map::kDtmfAlarmCode, 8), (V{9, 9, 15, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(image, map::kDtmfPttIdStart, 5), (V{0x01, 0x02, 0x0A, 0x0E, 0xFF}));
    EXPECT_EQ(Bytes(image, map::kDtmfPttIdEnd, 16), V(16, 0xFF)) << "the whole field is erased";
    EXPECT_EQ(LoadDtmfRemote(image), remote);
    EXPECT_EQ(LoadDtmfTiming(image), timing);
}

TEST(DtmfCodeList, AniSuffixFollowsSeparatorAndOwnIdAndStoreCutsLongCodes) {
    CMemoryImage image;
    WriteDtmfString("123A456", image.Field<16>(map::kDtmfCodeList));
    WriteDtmfString("123", image.Field<16>(map::kDtmfCodeList + 16));
    WriteDtmfString("99A456", image.Field<16>(map::kDtmfCodeList + 9 * 16));
    WriteDtmfString("456", image.Field<7>(map::kDtmfOwnId));
    CAniMemory memory;
    // A separator byte that is no digit: shown as "A", but no code ends in it.
    CDtmfCodeListFields fields = LoadDtmfCodeList(image, "100", memory);
    EXPECT_EQ(fields.separatorIndex, 0);
    fields.separatorIndex = 5; // "#"
    ChangeSeparator(fields, memory);
    EXPECT_EQ(fields.codes[0], "123A456");

    image[map::kDtmfAniSeparator] = 10;
    fields = LoadDtmfCodeList(image, "100", memory);
    fields.separatorIndex = 4; // "*"
    ChangeSeparator(fields, memory);
    EXPECT_EQ(fields.codes[0], "123*456");
    EXPECT_EQ(fields.codes[1], "123");
    EXPECT_EQ(fields.codes[9], "99*456");
    RememberOwnId(fields, memory);
    fields.ownId = "12345";
    LeaveOwnId(fields, memory);
    EXPECT_EQ(fields.codes[0], "123*12345");
    fields.ownId = "";
    LeaveOwnId(fields, memory);
    EXPECT_EQ(fields.ownId, "12345") << "the own ID cannot be cleared";
    EXPECT_EQ(AniCallText(fields), "100*12345");

    fields.codes[3] = "1234567890ABCD*#12";
    fields.callId = "555";
    std::string callId = "100";
    StoreDtmfCodeList(fields, image, callId);
    EXPECT_EQ(callId, "555");
    EXPECT_EQ(image[map::kDtmfAniSeparator], 14);
    EXPECT_EQ(Bytes(image, map::kDtmfOwnId, 7), (V{1, 2, 3, 4, 5, 0xFF, 0xFF}));
    const CDtmfCodeListFields loaded = LoadDtmfCodeList(image, callId, memory);
    EXPECT_EQ(loaded.codes[0], "123*12345");
    EXPECT_EQ(loaded.codes[3], "1234567890ABCD*#");
    EXPECT_EQ(loaded.callId, "555");
}

} // namespace
} // namespace tarsel

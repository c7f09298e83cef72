// The small forms' and the service windows' rules, and the field tables both faces build their
// controls from (a row the tables get wrong is a control missing, unnamed or without its rule).
#include "core/document/history.h"
#include "core/dtmf/codelistfields.h"
#include "core/dtmf/dtmfstring.h"
#include "core/dtmf/remotefields.h"
#include "core/dtmf/timingfields.h"
#include "core/editors/optionfields.h"
#include "core/fmradio/fmfields.h"
#include "core/image/bcd.h"
#include "core/image/datafile.h"
#include "core/image/finalise.h"
#include "core/image/memorymap.h"
#include "core/image/modelform.h"
#include "core/service/calibrationfields.h"
#include "core/service/decoderfields.h"
#include "core/service/hexnumber.h"
#include "core/service/password.h"
#include "core/service/radioinfo.h"
#include "testimage.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace tarsel {
namespace {

using test::Bytes;
using V = std::vector<uint8_t>;

// The checks on leaving a field, and the spin buttons' steps, which wrap past either end. The
// decode time wraps as its byte does: 2.6 is 260, stored as 4; 3.5 is 350, stored as 94.
TEST(DtmfFields, EditCorrectionsAndSpinSteps) {
    // Every value the field can show survives a load and store: 2.3 is exactly 230.
    for (int units = 10; units <= 250; units += 10)
        EXPECT_EQ(DecodeTimeUnits(DecodeTimeText(units)), units);
    // A byte as the field shows it before the validation pass, and what that text stores as.
    const std::tuple<int, const char*, int> times[] = {
        {57, "0.6", 60}, {5, "0.1", 10}, {4, "0.0", 250}, {255, "2.6", 250}, {15, "0.2", 20}};
    for (const auto& [units, shown, stored] : times) {
        EXPECT_EQ(DecodeTimeText(units), shown) << units;
        EXPECT_EQ(DecodeTimeUnits(shown), stored) << units;
    }
    using Pairs = std::vector<std::pair<const char*, const char*>>;
    const std::pair<std::string (*)(std::string_view), Pairs> corrections[] = {
        {NormaliseFirstDigitDelay,
         {{"50", "200"}, {"1100", "200"}, {"1000", "1000"}, {"199", "100"}}},
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
          {"500", -1, "400"}}},
        {StepWaitTime, {{"60", 1, "3"}, {"3", -1, "60"}, {"10", 1, "11"}, {"0", 1, "3"}}},
        {StepAutoResetTime, {{"60", 1, "3"}, {"3", -1, "60"}, {"10", -1, "9"}}},
        {StepDecodeTime,
         {{"2.5", 1, "0.1"}, {"0.1", -1, "2.5"}, {"2.2", 1, "2.3"}, {"2.4", -1, "2.3"}}}};
    for (const auto& [rule, cases] : steps)
        for (const auto& [text, step, result] : cases)
            EXPECT_EQ(rule(text, step), result) << text << step;
}

// The timing page's bytes of the first digit delay, the wait time, the rate, the first digit
// time and the star and hash time as loaded, shown (the lists by their index) and stored back.
// The flags byte is shared by both pages; the side tone's byte by the optional features.
TEST(DtmfFields, LoadCorrectionsFallbacksSharedBytesAndTheKillCodeEndMark) {
    const uint16_t offsets[] = {map::kDtmfFirstDigitDelay, map::kDtmfWaitTime, map::kDtmfRate,
                                map::kDtmfFirstDigitTime, map::kDtmfStarHashTime};
    const std::tuple<V, std::tuple<const char*, const char*, int, int, int>, V> rows[] = {
        {{0, 0, 40, 1, 255}, {"200", "3", 2, 2, 1}, {4, 3, 50, 10, 2}},
        {{3, 255, 83, 3, 10}, {"100", "60", 0, 1, 2}, {2, 60, 83, 2, 10}},
        {{20, 30, 34, 0, 0}, {"1000", "30", 3, 0, 0}, {20, 30, 34, 0, 0}},
        {{255, 30, 63, 20, 20}, {"200", "30", 1, 3, 3}, {4, 30, 63, 20, 20}},
    };
    for (const auto& [bytes, shown, stored] : rows) {
        CMemoryImage image;
        for (std::size_t i = 0; i < bytes.size(); ++i) image[offsets[i]] = bytes[i];
        CDtmfTimingFields f = LoadDtmfTiming(image);
        EXPECT_EQ(std::tuple(f.firstDigitDelay, f.waitTime, f.rateIndex, f.firstDigitTimeIndex,
                             f.starHashTimeIndex),
                  shown);
        StoreDtmfTiming(f, image);
        V after;
        for (uint16_t offset : offsets) after.push_back(image[offset]);
        EXPECT_EQ(after, stored) << int(bytes[0]);
    }

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
    EXPECT_EQ(std::pair(timing.sideToneIndex, timing.waitForReplyIndex), std::pair(1, 0));
    remote = {5, 0, 0, "", "10", 1, "99#", "2.5"};
    timing.sideToneIndex = 2;
    timing.waitForReplyIndex = 1;
    timing.pttIdStart = "12A*";
    timing.pttIdEnd = "";
    StoreDtmfRemote(remote, image);
    StoreDtmfTiming(timing, image);
    const std::map<int, int> stored = {
        {map::kDtmfFlags, 0b1111'1101},   {map::kSettingsBits49, 0b1110'0111 | (2 << 3)},
        {map::kDtmfGroupCallCode, 15},    {map::kDtmfAutoResetTime, 10},
        {map::kDtmfKillType, 0},          {map::kDtmfDecodeTime, 250}};
    EXPECT_EQ(test::BytesAt(image, stored), stored);
    EXPECT_EQ(Bytes(image, map::kDtmfAlarmCode, 8), (V{9, 9, 15, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(image, map::kDtmfPttIdStart, 5), (V{0x01, 0x02, 0x0A, 0x0E, 0xFF}));
    EXPECT_EQ(Bytes(image, map::kDtmfPttIdEnd, 16), V(16, 0xFF)) << "the whole field is erased";
    EXPECT_EQ(LoadDtmfRemote(image), remote);
    EXPECT_EQ(LoadDtmfTiming(image), timing);

    // Only 15 bytes are read back: a last "#" of a full code is taken for the end mark.
    const std::tuple<std::string, V, const char*> cases[] = {
        {"1234", {1, 2, 3, 4, 0x0F, 0xFF}, "1234"}, {"12#", {1, 2, 0x0F, 0x0F, 0xFF}, "12#"},
        {"", {0xFF, 0xFF}, ""},
        {"123456789012345", {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5}, "123456789012345"},
        {"12345678901234#", {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 0x0F}, "12345678901234"},
    };
    for (const auto& [code, bytes, loaded] : cases) {
        image[map::kDtmfKillCode + 15] = 0x55; // written only as the end mark of 15 digits
        CDtmfRemoteFields fields = LoadDtmfRemote(image);
        fields.killCode = code;
        StoreDtmfRemote(fields, image);
        EXPECT_EQ(Bytes(image, map::kDtmfKillCode, bytes.size()), bytes) << code;
        EXPECT_EQ(image[map::kDtmfKillCode + 15], code.size() == 15 ? 0x0F : 0x55) << code;
        EXPECT_EQ(LoadDtmfRemote(image).killCode, loaded) << code;
    }
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
}

TEST(FormTables, EveryRowIsAControlOfItsKind) {
    const std::span<const CFormField> forms[][3] = {
        {OptionFormFields()}, {FmRadioFieldTable()}, {ModelFieldTable()},
        {DtmfTimingFieldTable(), DtmfRemoteFieldTable(), DtmfCodeListFieldTable()}};
    for (const auto& pages : forms) {
        std::set<int> ids; // one window: no two controls share an id
        for (const std::span<const CFormField>& page : pages)
            for (const CFormField& field : page) {
                SCOPED_TRACE(field.controlId);
                EXPECT_TRUE(ids.insert(field.controlId).second);
                EXPECT_EQ(field.kind == EFieldKind::List, !field.entries.empty());
                EXPECT_EQ(field.kind == EFieldKind::Column, field.rows > 0);
                // Buttons step, and are named, together.
                EXPECT_EQ(field.step != nullptr, field.stepId != 0);
                if (field.stepId != 0) EXPECT_TRUE(ids.insert(field.stepId).second);
                if (field.step || field.leave) EXPECT_GT(field.maxLength, 0);
            }
    }
    // E and F are DTMF codes, but not keys.
    const std::tuple<EKeyRule, char, std::optional<char>> keys[] = {
        {EKeyRule::Dtmf, 'b', 'B'}, {EKeyRule::Dtmf, '#', '#'}, {EKeyRule::Dtmf, 'E', std::nullopt},
        {EKeyRule::Dtmf, 'e', std::nullopt}, {EKeyRule::Dtmf, ' ', std::nullopt},
        {EKeyRule::Decimal, '7', '7'}, {EKeyRule::Decimal, 'A', std::nullopt},
        {EKeyRule::Decimal, '.', std::nullopt}, {EKeyRule::Frequency, '.', '.'},
        {EKeyRule::Printable, '\x7f', std::nullopt}, {EKeyRule::Printable, ' ', ' '},
        {EKeyRule::Printable, '~', '~'}};
    for (const auto& [rule, key, accepted] : keys)
        EXPECT_EQ(AcceptKey(rule, key), accepted) << int(rule) << " " << key;
}

TEST(FmFields, StoreWritesBcdAndErasesFillersAndTextsAreCorrectedIntoTheBand) {
    CMemoryImage image;
    CFmRadioFields fields = LoadFmRadio(image);
    EXPECT_EQ(fields, (CFmRadioFields{.presetIndex = 0})) << "a blank image opens with preset 1";
    fields.presetIndex = map::kFmPresetCount; // no entry: the first one is stored
    StoreFmRadio(fields, image);
    CMemoryImage expected;
    expected[map::kFmCurrentPreset] = 1;
    EXPECT_EQ(image, expected) << "no frequency";

    image.Fill(map::kFmPresets, map::kFmPresetCount * map::kFmPresetSize, 0x00);
    image[map::kFmCurrentFrequency + 3] = 0x42; // not the dialog's byte
    image[map::kFmCurrentPreset] = 7;
    fields = LoadFmRadio(image);
    EXPECT_EQ(fields.presetIndex, 6);
    EXPECT_EQ(fields.presets[0], "") << "0 kHz is outside the band";
    fields.currentFrequency = "88.5";
    fields.presets[0] = "107.9";
    fields.presets[19] = "120"; // still being typed when the dialog closed
    StoreFmRadio(fields, image);
    EXPECT_EQ(Bytes(image, map::kFmCurrentFrequency, 4), (V{0x00, 0x85, 0x08, 0x42}));
    EXPECT_EQ(Bytes(image, map::kFmPresets, 8), (V{0, 0x79, 0x10, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(image, map::kFmPresets + 76, 4), (V{0x00, 0x60, 0x07, 0xFF}));
    EXPECT_EQ(fields.presets[19], "76.000");
    EXPECT_EQ(LoadFmRadio(image), fields);
    const std::pair<const char*, const char*> cases[] = {
        {"88.5", "88.500"},  {"50", "76.000"},      {"", ""},           {"abc", "76.000"},
        {"108", "108.000"},  {"108.001", "76.000"}, {"76", "76.000"},   {"99.9999", "99.999"},
        {"100.1", "100.100"}};
    for (const auto& [text, result] : cases) EXPECT_EQ(NormaliseFmFrequency(text), result) << text;
}

TEST(ModelForm, PairNormalisationAndLoadAndStoreOfTheFourLimits) {
    // Lower and upper as typed, whether the lower one was edited, and both afterwards.
    const std::tuple<const char*, const char*, bool, const char*, const char*> cases[] = {
        {"136", "174", true, "136", "174"},   {"136", "174", false, "136", "174"},
        {"150", "300", true, "150", "174"},   {"170", "160", true, "136", "160"},
        {"170", "160", false, "170", "174"},  {"999", "450", true, "400", "450"},
        {"999", "150", true, "136", "174"},   {"200", "999", false, "200", "260"},
        {"", "", true, "136", "174"},         {"400", "400", true, "400", "520"},
        {"999", "200", true, "200", "260"},   {"520", "999", false, "400", "520"},
        {"1666", "1666", true, "136", "174"}, {"-5", "174", false, "136", "174"},
        {"450", "520", true, "450", "520"},   {"410", "405", false, "410", "520"}};
    for (const auto& [typedLower, typedUpper, lowerEdited, newLower, newUpper] : cases) {
        std::string lower = typedLower, upper = typedUpper;
        NormaliseBandPair(lower, upper, lowerEdited);
        EXPECT_EQ(lower + "-" + upper, std::string(newLower) + "-" + newUpper)
            << typedLower << "-" << typedUpper << " " << lowerEdited;
    }
    CBandLimits limits{{13612500, 40000000}, {17400000, 48000000}};
    CModelFields fields = LoadModelFields(limits, "TZ-316");
    EXPECT_EQ(fields, (CModelFields{"TZ-316", "136", "174", "400", "480"}));
    CMemoryImage image = BuildDefaultImage();
    StoreModelFields(fields, limits, image);
    const int64_t stored[] = {13600000, 17400000, 40000000, 48000000};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(DecodeFrequencyField(image.Field<4>(0x2E10 + 4 * i)), stored[i]) << i;
    // A damaged limit is shown whole, and corrected by the store.
    limits = {{166666665, 40000000}, {166666665, 48000000}};
    fields = LoadModelFields(limits, "");
    EXPECT_EQ(fields.aLow, "1666");
    StoreModelFields(fields, limits, image);
    EXPECT_EQ(fields.aLow + "-" + fields.aHigh, "136-174");
}

std::string Shown(const COptionsForm& form, int controlId) {
    const int selection = form.Selection(controlId);
    if (selection < 0) return "<none>";
    return OptionFields()[static_cast<std::size_t>(OptionFieldIndex(controlId))]
        .entries[static_cast<std::size_t>(selection)];
}

TEST(OptionFields, LoadShowsAndStoreWritesAsTheRadioExpectsAndProfessionalModeForcesMr) {
    CMemoryImage image = BuildDefaultImage();
    const COptionsForm form = LoadOptions(image);
    const std::map<int, std::string> expected = {
        {1171, "30"},   {1178, "4"},        {1173, "5"},  {1177, "12.5"}, {1166, "6"},
        {1174, "4"},    {1195, "当前活动"}, {1157, "开"}, {1158, "按键"}, {1167, "3"},
        {1156, "频率"}, {1164, "频率"},     {1161, "开"}, {1188, "开"},   {1165, "Key"},
        {1190, "电压"}, {1160, "关"}};
    for (const auto& [id, text] : expected) EXPECT_EQ(Shown(form, id), text) << id;

    COptionsForm stored = form;
    stored.greeting = "AB";
    StoreOptions(stored, image);
    EXPECT_EQ(Bytes(image, map::kGreeting, 7), (V{0x41, 0x42, 0x20, 0x20, 0x20, 0x20, 0x20}));
    CMemoryImage again = image;
    COptionsForm reloaded = LoadOptions(again);
    StoreOptions(reloaded, again);
    EXPECT_EQ(again, image) << "a second round changes nothing more";

    image[map::kSettingsBits4A] |= 0x02; // professional mode on
    image[map::kSettingsBits4B] |= 0x01; // VFO
    COptionsForm professional = LoadOptions(image);
    EXPECT_EQ(Shown(professional, kVfoMrId), "MR");
    EXPECT_FALSE(professional.vfoMrEnabled);
    professional.Selection(kProfessionalModeId) = 0;
    ApplyProfessionalModeRule(professional);
    EXPECT_TRUE(professional.vfoMrEnabled);
    professional.Selection(kVfoMrId) = 1;
    ApplyProfessionalModeRule(professional);
    EXPECT_EQ(Shown(professional, kVfoMrId), "VFO") << "kept while professional mode is off";

    // Out of range: a byte, what its list shows, and the byte after a close, masked to the
    // field's bits.
    using namespace map;
    const std::tuple<uint16_t, uint8_t, int, const char*, uint8_t, uint8_t> cases[] = {
        {kSettingsTimeOut, 30, 1171, "30", 1, 0xFF}, {kSettings42, 12, 1178, "4", 4, 0xFF},
        {kSettings43, 9, 1173, "4", 3, 0xFF},        {kSettings44, 8, 1177, "12.5", 4, 0xFF},
        {kSettings46, 9, 1166, "10", 9, 0xFF},       {kSettings46, 0xFF, 1166, "5", 4, 0xFF},
        {kSettings48, 4, 1174, "3", 2, 0xFF},
        {kSettingsBits49, 0x60, 1170, "时间", 0x00, 0x60},
        {kSettingsBits4A, 0x30, 1158, "按键", 0x10, 0x30},
        {kSettingsBits4A, 0xC0, 1167, "1", 0x00, 0xC0},
        {kSettingsBits4B, 0x78, 1156, "频率", 0x08, 0x18},
        {kSettingsBits4B, 0x78, 1164, "频率", 0x20, 0x60},
        {kSettingsBits4D, 0x0C, 1190, "电压", 0x04, 0x0C},
        {kSettingsBits4D, 0x20, 1160, "开", 0x10, 0x30},
        {kSettingsBits4E, 0x30, 1172, "240", 0x30, 0x30},
        {kDualStandbyResetTime, 11, 1194, "关", 0, 0xFF},
        {kDualStandbyResetTime, 10, 1194, "10", 10, 0xFF},
    };
    for (const auto& [offset, byte, controlId, shown, storedBack, mask] : cases) {
        CMemoryImage odd = BuildDefaultImage();
        odd[offset] = byte;
        COptionsForm loaded = LoadOptions(odd);
        EXPECT_EQ(Shown(loaded, controlId), shown) << controlId << " " << int(byte);
        StoreOptions(loaded, odd);
        EXPECT_EQ(odd[offset] & mask, storedBack) << controlId << " " << int(byte);
    }
}

TEST(OptionFields, GreetingAndDualWatchTime) {
    // The radio also keeps digits and the DTMF signs as key codes; trailing spaces are padding.
    const std::pair<std::vector<uint8_t>, const char*> cases[] = {
        {{0x01, 0x02, 0xFF, 0x41, 0x41, 0x41, 0x41}, "12"},
        {{0x0E, 0x0F, 0x41, 0x20, 0x20, 0x42, 0x0A}, "*#A  B"},
        {{0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20}, ""},
        {{0x48, 0x45, 0x4C, 0x4C, 0x4F, 0x21, 0x7E}, "HELLO!~"},
    };
    CMemoryImage image = BuildDefaultImage();
    for (const auto& [bytes, shown] : cases) {
        for (std::size_t i = 0; i < bytes.size(); ++i) image[map::kGreeting + i] = bytes[i];
        EXPECT_EQ(LoadOptions(image).greeting, shown);
    }
    for (const int stored : {0, 1, 123, 255}) { // one decimal would round 123 on every open
        image[map::kDualWatchTime] = static_cast<uint8_t>(stored);
        COptionsForm form = LoadOptions(image);
        StoreOptions(form, image);
        EXPECT_EQ(image[map::kDualWatchTime], stored == 0 ? 150 : stored);
    }
    const std::pair<const char*, const char*> checks[] = {
        {"", "1.50"},     {"0", "1.50"},    {"2.56", "1.50"}, {"1.2", "1.20"},
        {"0.01", "0.01"}, {"2.55", "2.55"}, {"abc", "1.50"},  {"1.239", "1.23"}};
    for (const auto& [text, shown] : checks) EXPECT_EQ(CheckDualWatchTime(text), shown) << text;
    const std::tuple<const char*, int, const char*> steps[] = {
        {"2.55", 1, "0.01"}, {"0.01", -1, "2.55"}, {"1.50", 1, "1.51"}, {"", -1, "2.55"}};
    for (const auto& [text, step, shown] : steps) EXPECT_EQ(StepDualWatchTime(text, step), shown);
}

// Every list at its last entry over a cleared image, then at its first over a filled one: the
// bytes pin where each field lies and how wide it is, and that the other bits keep their values.
TEST(OptionFields, EveryFieldHasItsOwnBitsAndNothingElseIsWritten) {
    const std::pair<V, V> expected[] = {
        {{9, 0, 9, 8, 7, 0, 9, 0, 3, 0xC7, 0xAE, 0x57, 0x91, 0x1B, 0xF1}, {10}},
        {{0, 0xFF, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0x18, 0x01, 0x80, 0x6E, 0xC0, 0x0E}, {0}}};
    for (const bool last : {true, false}) {
        CMemoryImage image;
        image.Fill(last ? 0x00 : 0xFF);
        COptionsForm form;
        for (std::size_t i = 0; i < form.selections.size(); ++i)
            form.selections[i] = last ? static_cast<int>(OptionFields()[i].entries.size()) - 1 : 0;
        StoreOptions(form, image);
        const auto& [settings, reset] = expected[last ? 0 : 1];
        EXPECT_EQ(Bytes(image, map::kSettings, 15), settings);
        EXPECT_EQ(Bytes(image, map::kDualStandbyResetTime, 1), reset);
        // Those bytes, the greeting's seven spaces and the dual watch time: nothing else.
        std::size_t written = 0;
        for (std::size_t i = 0; i < CMemoryImage::kSize; ++i) written += image[i] != image[0];
        EXPECT_EQ(written, 12u + 1 + 7 + 1);
    }
}

void TypeRx(CDocument& doc, CDocumentHistory& history, const std::string& text) {
    const CDocumentContent before = doc.Content();
    CommitCellEdit(doc.Table().Row(1), 1, kColumnRx, text, doc.Limits(), doc.Image());
    history.Record(before, doc, "A 001 " + text);
}

TEST(DocumentHistory, UndoAndRedoPutWholeContentsBackAndANewStepDropsTheUndoneOnes) {
    CDocument doc(BuildDefaultImage());
    CDocumentHistory history(2);
    const CDocumentContent start = doc.Content();
    TypeRx(doc, history, "145");
    TypeRx(doc, history, "145");
    EXPECT_EQ(history.Size(), 1u) << "no step without a change";
    const CDocumentContent first = doc.Content();
    TypeRx(doc, history, "146");
    EXPECT_EQ(history.UndoName(), "A 001 146");

    ASSERT_TRUE(history.Undo(doc));
    EXPECT_EQ(doc.Content(), first);
    ASSERT_TRUE(history.Undo(doc));
    EXPECT_EQ(doc.Content(), start); // the record reset of the first frequency is undone too
    EXPECT_FALSE(history.Undo(doc));
    ASSERT_TRUE(history.Redo(doc));
    EXPECT_EQ(doc.Content(), first);
    EXPECT_EQ(history.RedoName(), "A 001 146");

    TypeRx(doc, history, "147");
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Size(), 2u);
    TypeRx(doc, history, "148"); // past the limit: the oldest step goes
    ASSERT_TRUE(history.Undo(doc));
    ASSERT_TRUE(history.Undo(doc));
    EXPECT_EQ(doc.Table().Row(1)[kColumnRx], "145.00000");
    EXPECT_FALSE(history.CanUndo());
}

std::size_t FieldIndex(int editId) {
    for (std::size_t i = 0; i < kCalibrationFields.size(); ++i)
        if (kCalibrationFields[i].editId == editId) return i;
    ADD_FAILURE() << editId;
    return 0;
}

TEST(CalibrationLayout, RowsAndAddressesFollowTheHardwareRangesOfTheLowerLimits) {
    struct Case {
        CBandLimits limits; // the lower limits, then the upper ones
        bool dual;
        std::vector<std::pair<std::string, uint16_t>> squelchLevel;
        std::vector<uint16_t> power, detect;
    } cases[] = {
        {{{13600000, 40000000}, {17400000, 48000000}}, true,
         {{"136-174 sql 1", 0x3E80}, {"136-174 sql 9", 0x3E83}, {"400-480 sql 1", 0x3E8C},
          {"400-480 sql 9", 0x3E8F}},
         {0x3F30, 0x3F33, 0x3F3C, 0x3F3F}, {0x3E40, 0x3E44, 0x3E48, 0x3E58, 0x3E5C, 0x3E60}},
        {{{40000000, 43000000}, {47000000, 48000000}}, false,
         {{"400-480 sql 1", 0x3E8C}, {"400-480 sql 9", 0x3E8F}}, {0x3F3C, 0x3F3F},
         {0x3E58, 0x3E5C, 0x3E60}},
        // B outside every range: the A band's range, labelled with both bands' extremes.
        {{{22000000, 30000000}, {24000000, 31000000}}, false,
         {{"220-310 sql 1", 0x3E86}, {"220-310 sql 9", 0x3E89}}, {0x3F36, 0x3F39},
         {0x3E4C, 0x3E50, 0x3E54}},
        // A outside every range: nothing to show rather than rows at no address.
        {{{30000000, 40000000}, {31000000, 48000000}}, false, {}, {}, {}},
    };
    for (const Case& c : cases) {
        const CCalibrationLayout layout = DecideCalibrationLayout(c.limits);
        EXPECT_EQ(layout.dual, c.dual);
        std::vector<std::pair<std::string, uint16_t>> level;
        for (const auto& row : layout.rows[kSquelchLevelGrid])
            level.emplace_back(row.label, row.address);
        EXPECT_EQ(level, c.squelchLevel);
        std::vector<uint16_t> power, detect;
        for (const auto& row : layout.rows[kPowerGrid]) power.push_back(row.address);
        for (const auto& row : layout.rows[kSquelchDetectGrid]) detect.push_back(row.address);
        EXPECT_EQ(power, c.power);
        EXPECT_EQ(detect, c.detect);
        if (c.dual) EXPECT_EQ(layout.rows[kSquelchDetectGrid][3].label, "400-480 静噪检测1");
    }
}

// A load shows fields by their encoding and cells as the radio can hold them. 1151 is validated:
// stored as 1023. 1213 and 1163 are not: only their low four bits or their low byte count.
TEST(CalibrationFields, LoadDecodesAndStoreEncodesFieldsAndGridsAndDerivesTheTables) {
    CMemoryImage image = test::RandomImage(3);
    test::PutBytes(image, 0x3F00, {0xA7, 0x00, 0x00, 0x00, 40});
    test::PutBytes(image, 0x3F08, {0x34, 0x12});
    test::PutBytes(image, 0x3F10, {0x5C, 0xFF, 200});
    test::PutBytes(image, 0x3F1A, {0xFF, 0x03});
    test::PutBytes(image, 0x3F20, {0x2B, 0x1A, 0x00, 0x00});
    test::PutBytes(image, 0x3E80, {200, 127, 5});
    test::PutBytes(image, 0x3F30, {0, 1, 255});
    test::PutBytes(image, 0x3E40, {150, 137, 0, 9});
    image[0x3F27] = 0x3C;
    const std::pair<int, const char*> shown[] = {
        {1203, "10"}, {1213, "7"},  {1120, "31"},  {1116, "72"},   {1169, "5"},    {1171, "12"},
        {1122, "15"}, {1124, "15"}, {1154, "200"}, {1137, "1023"}, {1128, "1a2b"}, {1161, "0"}};
    const CBandLimits limits;
    CCalibrationFields fields = LoadFields(image, limits);
    for (const auto& [id, text] : shown) EXPECT_EQ(fields.numbers[FieldIndex(id)], text) << id;
    using Row = std::vector<std::string>;
    EXPECT_EQ(fields.cells[kSquelchLevelGrid][0], (Row{"0", "127", "5"}));
    EXPECT_EQ(fields.cells[kPowerGrid][0], (Row{"1", "1", "255"}));
    EXPECT_EQ(fields.cells[kSquelchDetectGrid][0], (Row{"0", "137", "0", "9"}));

    const std::pair<int, const char*> typed[] = {{1116, "1023"}, {1151, "5000"}, {1128, "1A2B"},
                                                 {1203, "10"},   {1213, "23"},   {1163, "300"},
                                                 {1137, ""}};
    for (const auto& [id, text] : typed) fields.numbers[FieldIndex(id)] = text;
    fields.checks.fill(false);
    fields.cells[kPowerGrid][0] = {"100", "80", "80"};
    fields.cells[kSquelchDetectGrid][5] = {"7", "", "300x", "9"};
    StoreFields(fields, limits, image);
    EXPECT_EQ(fields.numbers[FieldIndex(1151)], "1023");
    // Soft mute unchecked sets its bit in 0x3F26; bits 2-5 of 0x3F27 are not the window's.
    const std::map<int, int> stored = {
        {0x3F08, 0xC0}, {0x3F09, 0xFF}, {0x3F0A, 0xC0}, {0x3F20, 0x2B}, {0x3F21, 0x1A},
        {0x3F00, 0xA7}, {0x3F1D, 44},   {0x3F1A, 0},    {0x3F1B, 0},    {0x3F26, 0x80},
        {0x3F27, 0x3C}};
    EXPECT_EQ(test::BytesAt(image, stored), stored);
    EXPECT_EQ(Bytes(image, 0x3E60, 3), (V{7, 0, 44})); // 300's low byte
    // The slopes come from the new power row: w = 1900000 over |100 - 80|: 95000, sign set; then
    // an equal pair gives 0.
    EXPECT_EQ(Bytes(image, 0x3F42, 6), (V{0x18, 0x73, 0x81, 0, 0, 0}));
    EXPECT_EQ(image[0x3EB0], 66);
    CMemoryImage finalised = image;
    FinaliseImage(finalised, limits, kProgramVariant);
    for (std::size_t i = 0x3F42; i < 0x3FAC; ++i) EXPECT_EQ(image[i], finalised[i]) << i;

    fields.checks[7] = true;
    fields.checks[11] = true;
    StoreFields(fields, limits, image);
    EXPECT_EQ(image[0x3F26], 0x00);
    EXPECT_EQ(image[0x3F27], 0xBC);
}

// All fields at once at their ends and at values of their own: no two share bits, and each
// encoding reads back what it wrote. The checks on leaving a field clamp, the steps wrap.
TEST(CalibrationFields, EveryFieldKeepsItsRangeAndTheChecksAndStepsKeepToIt) {
    const CBandLimits limits;
    for (int pass = 0; pass < 3; ++pass) {
        CMemoryImage image = test::RandomImage(8);
        CCalibrationFields fields = LoadFields(image, limits);
        for (std::size_t i = 0; i < kCalibrationFields.size(); ++i) {
            const CCalibrationField& f = kCalibrationFields[i];
            const int span = f.maximum - f.minimum + 1;
            const int value = pass == 0   ? f.minimum
                              : pass == 1 ? f.maximum
                                          : f.minimum + static_cast<int>(i * 37 % span);
            fields.numbers[i] = NumberText(value, f.base);
        }
        const auto typed = fields.numbers;
        StoreFields(fields, limits, image);
        EXPECT_EQ(LoadFields(image, limits).numbers, typed) << "pass " << pass;
    }
    const CCalibrationField& drive = kCalibrationFields[FieldIndex(1203)];
    const CCalibrationField& compress = kCalibrationFields[FieldIndex(1128)];
    const CCalibrationGrid& level = kCalibrationGrids[kSquelchLevelGrid];
    const CCalibrationGrid& power = kCalibrationGrids[kPowerGrid];
    EXPECT_EQ(NormaliseFieldText(drive, "99"), "15");
    EXPECT_EQ(NormaliseFieldText(drive, ""), "0");
    EXPECT_EQ(NormaliseFieldText(compress, "fffff"), "ffff");
    EXPECT_EQ(StepFieldText(compress, "9", 1), "a");
    EXPECT_EQ(NormaliseCellText(level, "200"), "127");
    EXPECT_EQ(NormaliseCellText(power, "-3"), "1");
    EXPECT_EQ(StepCellText(power, "1", -1), "255");
    EXPECT_EQ(StepCellText(level, "127", 1), "0");

    // Every field runs from 0 to its maximum and has controls of its own, found by their ids.
    std::set<int> ids;
    for (const CCalibrationField& f : kCalibrationFields) {
        SCOPED_TRACE(f.editId);
        EXPECT_TRUE(ids.insert(f.editId).second && ids.insert(f.spinId).second);
        const std::string top = NumberText(f.maximum, f.base);
        EXPECT_EQ(StepFieldText(f, top, 1), "0");
        EXPECT_EQ(StepFieldText(f, "0", -1), top);
    }
    std::set<std::pair<int, int>> bits; // and every check box a bit of its own
    for (const CCalibrationCheck& c : kCalibrationChecks)
        EXPECT_TRUE(bits.insert({c.offset, c.bit}).second) << c.caption;
}

TEST(DecoderFields, ValuesAreLowerCaseHexStepsWrapAndStoreWritesHeadersAndBigEndianValues) {
    const std::pair<const char*, const char*> normalised[] = {
        {"", "0"},        {"zz", "0"},       {"1A2B", "1a2b"}, {"0010", "10"},
        {"ffff", "ffff"}, {"10000", "ffff"}, {"12g4", "12"},   {"-5", "0"}};
    for (const auto& [text, shown] : normalised)
        EXPECT_EQ(NormaliseDecoderValue(text), shown) << text;
    const std::tuple<const char*, int, const char*> steps[] = {
        {"0", -1, "ffff"}, {"ffff", 1, "0"}, {"9", 1, "a"},
        {"", 1, "1"},      {"10", -16, "0"}, {"fff0", 32, "0"}};
    for (const auto& [text, step, shown] : steps)
        EXPECT_EQ(StepDecoderValue(text, step), shown) << text;

    CMemoryImage image = test::RandomImage(7);
    const CMemoryImage before = image;
    CDecoderFields fields;
    fields.fill("");
    fields[0] = "1A2B";
    fields[10] = "7";
    StoreDecoderFields(fields, image);
    EXPECT_EQ(Bytes(image, 0x3E00, 10), (V{0x01, 0xC4, 0x1A, 0x2B, 0, 0xD5, 0, 0, 0x03, 0xAB}));
    EXPECT_EQ(Bytes(image, 0x3E28, 4), (V{0x01, 0xC3, 0x00, 0x07}));
    // Every header the radio expects, each weighted by its entry, so a changed one shows.
    int headers = 0;
    for (int k = 0; k < kDecoderEntryCount; ++k)
        headers += (k + 1) * (image[0x3E00 + 4 * k] << 8 | image[0x3E01 + 4 * k]);
    EXPECT_EQ(headers, 32347);
    for (std::size_t i = 0; i < CMemoryImage::kSize; ++i)
        if (i < 0x3E00 || i >= 0x3E2C) ASSERT_EQ(image[i], before[i]) << i;

    EXPECT_EQ(LoadDecoderFields(image), fields);
    test::PutBytes(image, 0x3E16, {0xFF, 0xFF});
    EXPECT_EQ(LoadDecoderFields(image)[5], "ffff");
}

TEST(RadioInfoTest, VersionTextsBandLimitsAndThePassword) {
    // The bytes from offset 8 on; byte 15 is no part of the version.
    const std::tuple<std::vector<uint8_t>, const char*, bool> cases[] = {
        {{1, 2, 3, 0xFF, 4}, "v1.2.3", true}, {{0xFF, 1}, "v", false},
        {{0, 0, 0, 0, 0, 0, 0}, "v0.0.0.0.0.0.0", true}, {{10, 254, 255}, "v10.254", true}};
    for (const auto& [bytes, text, named] : cases) {
        CIdentBlock block{};
        block.fill(0x09);
        std::copy(bytes.begin(), bytes.end(), block.begin() + 8);
        EXPECT_EQ(FirmwareVersionText(block), text);
        EXPECT_EQ(NamesAVersion(text), named) << text;
    }

    using Texts = std::vector<std::string>;
    const std::tuple<Texts, Texts, const char*, const char*> lookUps[] = {
        {{"v1", "v1.2.3"}, {"V1.5", "V2.0"}, "v1.2.3", "V2.0"},
        {{"v1"}, {"V1.5"}, "v1.2.3", "V1.5"}, {{"v1.2"}, {"V1.2"}, "v1.2.3", ""},
        {{"V1.2.3"}, {"x"}, "v1.2.3", ""}, // exact text
        {{"v1", "v1"}, {"first", "second"}, "v1.0", "first"}, {{}, {}, "v1.2.3", ""}};
    for (const auto& [keys, values, firmware, shown] : lookUps)
        EXPECT_EQ(LookUpPcVersion(firmware, keys, values), shown) << firmware;

    CIdentBlock block{};
    const uint8_t limits[16] = {0x00, 0x00, 0x60, 0x13, 0x00, 0x25, 0x41, 0x17,
                                0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xF0};
    std::copy(std::begin(limits), std::end(limits), block.begin() + 16);
    const std::array<int32_t, 4> mhz{136, 174, 0, static_cast<int32_t>(0xF0000000u) / 100000};
    EXPECT_EQ(BandLimitsMhz(block), mhz); // the last one negative

    EXPECT_TRUE(IsServicePassword("mr274q"));
    for (const char* wrong : {"MR274Q", "mr274", "mr274q ", "", " mr274q"})
        EXPECT_FALSE(IsServicePassword(wrong)) << wrong;
}

} // namespace
} // namespace tarsel

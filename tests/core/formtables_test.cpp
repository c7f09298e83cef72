// The forms' field tables, which both faces build their controls from (a row the tables get wrong
// is a control missing, unnamed or without its rule on both), and the two small forms' rules.
#include "core/dtmf/codelistfields.h"
#include "core/dtmf/remotefields.h"
#include "core/dtmf/timingfields.h"
#include "core/editors/optionfields.h"
#include "core/fmradio/fmfields.h"
#include "core/image/bcd.h"
#include "core/image/datafile.h"
#include "core/image/modelform.h"
#include "testimage.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace tarsel {
namespace {

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
    const auto bytes = [&image](std::size_t offset) { return test::Bytes(image, offset, 4); };
    EXPECT_EQ(bytes(map::kFmCurrentFrequency), (std::vector<uint8_t>{0x00, 0x85, 0x08, 0x42}));
    EXPECT_EQ(bytes(map::kFmPresets), (std::vector<uint8_t>{0x00, 0x79, 0x10, 0xFF}));
    EXPECT_EQ(bytes(map::kFmPresets + 4), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(bytes(map::kFmPresets + 76), (std::vector<uint8_t>{0x00, 0x60, 0x07, 0xFF}));
    EXPECT_EQ(fields.presets[19], "76.000");
    EXPECT_EQ(LoadFmRadio(image), fields);
    const std::pair<const char*, const char*> cases[] = {
        {"88.5", "88.500"},    {"120", "76.000"},    {"50", "76.000"},      {"", ""},
        {"abc", "76.000"},     {"108", "108.000"},   {"108.001", "76.000"}, {"76", "76.000"},
        {"99.9999", "99.999"}, {"100.1", "100.100"}};
    for (const auto& [text, result] : cases) EXPECT_EQ(NormaliseFmFrequency(text), result) << text;
}

TEST(ModelForm, PairNormalisation) {
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
}

TEST(ModelForm, LoadShowsWholeMHzAndStoreWritesAllFour) {
    CBandLimits limits{{13612500, 40000000}, {17400000, 48000000}};
    CModelFields fields = LoadModelFields(limits, "TZ-316");
    EXPECT_EQ(fields, (CModelFields{"TZ-316", "136", "174", "400", "480"}));
    CMemoryImage image = BuildDefaultImage();
    StoreModelFields(fields, limits, image);
    EXPECT_EQ(limits.low[0], 13600000) << "not whole MHz: stored back whole";
    EXPECT_EQ(DecodeFrequencyField(image.Field<4>(0x2E10)), 13600000);
    EXPECT_EQ(DecodeFrequencyField(image.Field<4>(0x2E1C)), 48000000);
    EXPECT_NE(image[0x2E13], 0xFF) << "no pair is blank afterwards";
    EXPECT_NE(image[0x2E1B], 0xFF);
    // A damaged limit is shown whole, and corrected by the store.
    limits = {{166666665, 40000000}, {166666665, 48000000}};
    fields = LoadModelFields(limits, "");
    EXPECT_EQ(fields.aLow, "1666");
    StoreModelFields(fields, limits, image);
    EXPECT_EQ(fields.aLow + "-" + fields.aHigh, "136-174");
}

} // namespace
} // namespace tarsel

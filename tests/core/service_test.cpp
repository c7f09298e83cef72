// The service windows' rules. Parameter adjustment: layouts, row addresses, field encodings, clamps
// and the derived tables written with the fields. DTMF decoder: hexadecimal values and headers.
// Radio information: version texts and band limits.
#include "core/image/finalise.h"
#include "core/service/calibrationfields.h"
#include "core/service/decoderfields.h"
#include "core/service/hexnumber.h"
#include "core/service/password.h"
#include "core/service/radioinfo.h"
#include "testimage.h"

#include <gtest/gtest.h>

#include <set>

namespace tarsel {
namespace {

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
    }
    const auto dual = DecideCalibrationLayout(CBandLimits{}); // 136-174 and 400-480
    EXPECT_EQ(dual.rows[kSquelchDetectGrid][3].label, "400-480 静噪检测1");
}

TEST(CalibrationFields, LoadShowsFieldsByTheirEncodingAndCellsAsTheRadioCanHoldThem) {
    CMemoryImage image = test::RandomImage(3);
    test::PutBytes(image, 0x3F00, {0xA7, 0x00, 0x00, 0x00, 40});
    test::PutBytes(image, 0x3F08, {0x34, 0x12});
    test::PutBytes(image, 0x3F10, {0x5C, 0xFF, 200});
    test::PutBytes(image, 0x3F1A, {0xFF, 0x03});
    test::PutBytes(image, 0x3F20, {0x2B, 0x1A, 0x00, 0x00});
    test::PutBytes(image, 0x3E80, {200, 127, 5});
    test::PutBytes(image, 0x3F30, {0, 1, 255});
    test::PutBytes(image, 0x3E40, {150, 137, 0, 9});
    const std::pair<int, const char*> shown[] = {
        {1203, "10"}, {1213, "7"},  {1120, "31"},  {1116, "72"},   {1169, "5"},    {1171, "12"},
        {1122, "15"}, {1124, "15"}, {1154, "200"}, {1137, "1023"}, {1128, "1a2b"}, {1161, "0"}};
    const CCalibrationFields fields = LoadFields(image, CBandLimits{});
    for (const auto& [id, text] : shown) EXPECT_EQ(fields.numbers[FieldIndex(id)], text) << id;
    using Row = std::vector<std::string>;
    EXPECT_EQ(fields.cells[kSquelchLevelGrid][0], (Row{"0", "127", "5"}));
    EXPECT_EQ(fields.cells[kPowerGrid][0], (Row{"1", "1", "255"}));
    EXPECT_EQ(fields.cells[kSquelchDetectGrid][0], (Row{"0", "137", "0", "9"}));
}

// 1151 is validated: stored as 1023. 1213 and 1163 are not: only their low four bits or their
// low byte count.
TEST(CalibrationFields, StoreEncodesFieldsAndGridsKeepsForeignBitsAndDerivesTheTables) {
    CMemoryImage image = test::RandomImage(4);
    test::PutBytes(image, 0x3F27, {0x3C});
    const CBandLimits limits;
    CCalibrationFields fields = LoadFields(image, limits);
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
    EXPECT_EQ(LoadFields(image, limits).numbers[FieldIndex(1128)], "1a2b");
    EXPECT_EQ(test::Bytes(image, 0x3E60, 3), (std::vector<uint8_t>{7, 0, 44})); // 300's low byte
    // The slopes come from the new power row: w = 1900000 over |100 - 80|: 95000, sign set; then
    // an equal pair gives 0.
    EXPECT_EQ(test::Bytes(image, 0x3F42, 6), (std::vector<uint8_t>{0x18, 0x73, 0x81, 0, 0, 0}));
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
// encoding reads back what it wrote.
TEST(CalibrationFields, EveryFieldKeepsItsRangeThroughAStoreAndALoad) {
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
}

TEST(CalibrationFields, FocusOutClampsAndStepsWrapInTheFieldsBase) {
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
    EXPECT_EQ(fields[0], "1a2b");
    EXPECT_EQ(fields[1], "0");
    EXPECT_EQ(test::Bytes(image, 0x3E00, 10),
              (std::vector<uint8_t>{0x01, 0xC4, 0x1A, 0x2B, 0x00, 0xD5, 0x00, 0x00, 0x03, 0xAB}));
    EXPECT_EQ(test::Bytes(image, 0x3E28, 4), (std::vector<uint8_t>{0x01, 0xC3, 0x00, 0x07}));
    EXPECT_EQ(image[0x3E18 + 1], 0xB4); // the seventh row is the seventh entry
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

TEST(RadioInfoTest, FirmwareVersionTextAndPcVersionLookUp) {
    // The bytes from offset 8 on; byte 15 is no part of the version.
    const std::tuple<std::vector<uint8_t>, const char*, bool> cases[] = {
        {{1, 2, 3, 0xFF, 4}, "v1.2.3", true}, {{0xFF, 1}, "v", false},
        {{0, 0, 0, 0, 0, 0, 0}, "v0.0.0.0.0.0.0", true}, {{10, 254, 255}, "v10.254", true},
        {{7, 7, 7, 7, 7, 7, 7}, "v7.7.7.7.7.7.7", true}};
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
}

TEST(RadioInfoTest, BandLimitsInWholeMegahertzAndThePassword) {
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

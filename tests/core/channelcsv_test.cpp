// The codecs of frequencies, tones, labels and bands; channel lists: the text layer, the rules of
// every column and of the list, writing lists, applying them through the grid, the round trip.
#include "core/interchange/channelcsv.h"

#include "commalocale.h"
#include "core/image/bands.h"
#include "core/image/bcd.h"
#include "core/image/channeltable.h"
#include "core/image/datafile.h"
#include "core/image/decimal.h"
#include "core/image/dtmfdigits.h"
#include "core/image/finalise.h"
#include "core/image/frequency.h"
#include "core/image/labels.h"
#include "core/image/tone.h"
#include "core/interchange/csvtext.h"
#include "testimage.h"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <random>

namespace tarsel {
namespace {

TEST(Bcd, FrequencyFieldAndTextBothWays) {
    const std::pair<int64_t, std::array<uint8_t, 4>> cases[] = {
        {14512500, {0x00, 0x25, 0x51, 0x14}}, {43912500, {0x00, 0x25, 0x91, 0x43}},
        {1000000, {0x00, 0x00, 0x00, 0x01}},  {0, {0x00, 0x00, 0x00, 0x00}}};
    for (const auto& [value, expected] : cases) {
        std::array<uint8_t, 4> bytes{};
        EncodeFrequencyField(value, bytes);
        EXPECT_EQ(bytes, expected) << value;
        EXPECT_EQ(DecodeFrequencyField(expected), value);
    }
    // No validation: erased bytes decode as 165 a pair.
    EXPECT_EQ(DecodeFrequencyField(std::array<uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF}), 166666665);
    EXPECT_EQ(FrequencyText(166666665), "1666.66665");
    EXPECT_EQ(FrequencyText(1), "0.00001");
    EXPECT_EQ(FrequencyText(0), "0.00000");
    EXPECT_EQ(ParseFrequencyText(""), 0);
}

// Run in a locale whose decimal point is a comma: files and typed texts always use the point.
TEST(Decimal, ScalingIsExactWhereBinaryArithmeticIsNotAndIgnoresTheProcessLocale) {
    const test::CCommaLocale comma;
    ASSERT_TRUE(comma.Ok());
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    ASSERT_NE(std::setlocale(LC_NUMERIC, test::CCommaLocale::kName), nullptr);
    const std::tuple<const char*, int, int64_t> cases[] = {
        {"145.125", 5, 14512500}, {"88.5", 1, 885},       {"0.1", 1, 1},
        {"146.52", 5, 14652000},  {"439.995", 5, 43999500}, {"1.1", 5, 110000},
        {"145.0101", 5, 14501010}, {"4.35", 2, 435},      {"-2.5", 1, -25},
        {"", 5, 0},               {"abc", 5, 0},          {"  12.5xyz", 1, 125},
        {"1e2", 1, 1000},         {"1e", 1, 10},          {".5", 1, 5},
        {"5.", 1, 50},            {"0x10", 1, 0},         {"inf", 1, 0},
        // Rounded to 15 significant digits before scaling, as the decimal type does.
        {"145.12499999999999", 5, 14512500},
        {"1e400", 5, INT64_MAX}, {"-1e400", 5, -INT64_MAX}, {"1e-400", 5, 0},
    };
    for (const auto& [text, power, expected] : cases) {
        EXPECT_EQ(ScaleToInteger(ReadDouble(text), power), expected) << text;
        EXPECT_EQ(ScaleText(text, power), expected) << text;
    }
    EXPECT_EQ(FrequencyText(14512500), "145.12500");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Decimal, TheShortcutForPlainDecimalsAgreesWithTheWayThroughADouble) {
    std::mt19937 random(1);
    const std::string alphabet = "0123456789.-+ e";
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int length = static_cast<int>(random() % 22);
        for (int k = 0; k < length; ++k)
            text += (random() % 4) ? alphabet[random() % 10] : alphabet[random() % alphabet.size()];
        for (int power : {0, 1, 5})
            ASSERT_EQ(ScaleText(text, power), ScaleToInteger(ReadDouble(text), power))
                << "'" << text << "' power " << power;
    }
}

TEST(Tone, WordsAndTexts) {
    const std::pair<CToneWord, const char*> toText[] = {
        {{0x85, 0x08}, "88.5"}, {{0x00, 0x10}, "100.0"}, {{0x23, 0x80}, "D023N"},
        {{0x54, 0xC7}, "D754I"}, {{0x12, 0xFF}, "无"}, {{0x00, 0xFF}, "无"}, {{0x05, 0x80}, "D05N"},
        {{0x05, 0x81}, "D105N"}, {{0x00, 0x00}, "0.0"}, {{0xFF, 0x7F}, "866.5"},
        {{0x23, 0xFE}, "D6223I"}};
    for (const auto& [word, text] : toText) EXPECT_EQ(ToneText(word), text);
    const std::pair<const char*, CToneWord> toWord[] = {
        {"88.5", {0x85, 0x08}}, {"254.1", {0x41, 0x25}}, {"D023N", {0x23, 0x80}},
        {"D754I", {0x54, 0xC7}}, {"无", {0xFF, 0xFF}}, {"", {0xFF, 0xFF}}, {"D125N", {0x25, 0x81}},
        {"D023", {0x23, 0xC0}}};
    for (const auto& [text, word] : toWord) EXPECT_EQ(EncodeTone(text), word) << text;
}

TEST(Tone, EveryListEntryRoundTrips) {
    const auto& list = ToneList();
    ASSERT_EQ(list.size(), 265u);
    const std::pair<std::size_t, const char*> pins[] = {
        {0, "无"}, {1, "67.0"}, {50, "254.1"}, {51, "D017N"}, {157, "D754N"}, {158, "D017I"},
        {264, "D754I"}};
    for (const auto& [i, text] : pins) EXPECT_EQ(list[i], text) << i;
    for (const auto& text : list) EXPECT_EQ(ToneText(EncodeTone(text)), text);
    // The standard tone and code tables, pinned whole: one wrong entry changes the sums.
    int tenths = 0, codes = 0;
    for (std::size_t i = 1; i <= 50; ++i) tenths += static_cast<int>(ScaleText(list[i], 1));
    for (std::size_t i = 51; i <= 157; ++i) codes += std::stoi(list[i].substr(1, 3));
    EXPECT_EQ(tenths, 75284);
    EXPECT_EQ(codes, 35136);
}

TEST(Tone, Normalisation) {
    const std::pair<const char*, const char*> cases[] = {
        {"d23i", "D023I"},  {"23", "D023N"},     {"88.5", "88.5"},     {"300.0", "无"},
        {"D0", "无"},       {"D778", "无"},      {"D777", "D777N"},    {"D018", "D018N"},
        {"300", "D300N"},   {"", ""},            {"n23", "D023N"},     {"DI23", "D023I"},
        {"ID754", "D754I"}, {"23I", "D023I"},    {"60.0", "60.0"},     {"59.9", "无"},
        {"280.0", "280.0"}, {"280.1", "无"},     {"88.5hz", "88.5HZ"}, {"D-5", "无"},
        {"D 23", "D023N"},  {" D23", "无"},      {"x", "无"},          {"D+7", "D007N"},
        {"无", "无"},       {"d99999999999", "无"},
    };
    for (const auto& [typed, shown] : cases) EXPECT_EQ(NormaliseToneText(typed), shown) << typed;
}

TEST(Labels, BothWays) {
    const std::tuple<int, const char*, const char*, int> cases[] = {
        {1, "A001", "A 001", 0},     {128, "A128", "A 128", 0},   {129, "B001", "B 001", 1},
        {256, "B128", "B 128", 1},   {257, "A VFO", "A VFO", 0}, {258, "B VFO", "B VFO", 1},
        {0, "", "", -1},             {259, "", "", -1},
    };
    for (const auto& [channel, label, gridLabel, band] : cases) {
        EXPECT_EQ(ChannelLabel(channel), label);
        EXPECT_EQ(GridLabel(channel), gridLabel);
        EXPECT_EQ(BandOfChannel(channel), band) << channel;
        if (IsChannel(channel)) {
            EXPECT_EQ(ChannelFromLabel(label), channel);
            EXPECT_EQ(ChannelFromLabel(gridLabel), channel);
        }
    }
    const std::pair<const char*, int> reads[] = {
        {"B5", 133},   {"b5", 133}, {"a12", 12}, {"b vfo", 258}, {"A vfo", 257}, {"129", 129},
        {"A200", 200}, {"x", 0},    {"", 0},     {" A1", 0},     {"VFO", 0},     {"A-3", -3},
    };
    for (const auto& [text, channel] : reads) EXPECT_EQ(ChannelFromLabel(text), channel) << text;
}

TEST(DtmfDigits, BothWays) {
    const std::string digits = "0123456789ABCD*#";
    for (uint8_t code = 0; code < 16; ++code) {
        EXPECT_EQ(DtmfCharFromCode(code), digits[code]);
        EXPECT_EQ(DtmfCodeFromChar(digits[code]), code);
    }
    const std::pair<char, int> others[] = {{'a', 10}, {'E', 14}, {'f', 15}, {'G', 255}};
    for (const auto& [c, code] : others) EXPECT_EQ(DtmfCodeFromChar(c), code) << c;
    EXPECT_EQ(DtmfCharFromCode(16), std::nullopt);
}

TEST(Bands, LookUps) {
    const CBandLimits limits; // 136-174, 400-480
    const std::pair<int64_t, int> bands[] = {
        {13600000, 0}, {17400000, 0}, {17400001, -1}, {43500000, 1}, {166666665, -1}};
    for (const auto& [value, band] : bands) EXPECT_EQ(BandOfValue(limits, value), band) << value;
    EXPECT_TRUE(SameBand(limits, 100, 50000000));
    EXPECT_FALSE(SameBand(limits, 14500000, 43500000));
    EXPECT_EQ(FirstConfiguredBand(limits), 0);
    EXPECT_EQ(FirstConfiguredBand(CBandLimits{{0, 40000000}, {17400000, 48000000}}), 1);
    EXPECT_EQ(FirstConfiguredBand(CBandLimits{{0, -1}, {0, 5}}), -1);
    const std::pair<int64_t, int> ranges[] = {{20000000, 1}, {52000000, 2}, {30000000, -1}};
    for (const auto& [value, range] : ranges) EXPECT_EQ(HardwareRangeOf(value), range) << value;
    EXPECT_TRUE(FitOneHardwareRange(40000000, 52000000));
    EXPECT_FALSE(FitOneHardwareRange(52000000, 40000000));
    EXPECT_FALSE(FitOneHardwareRange(17000000, 40000000));
}

// The grid's snap (down), applied off the raster only, and the batch dialog's nearest raster: a
// tie goes to 5 kHz, 2.5 kHz multiples pass.
TEST(Bands, Snaps) {
    const std::array<int64_t, 3> cases[] = {
        {14512600, 14512500, 14512500}, {14500700, 14500625, 14500750},
        {14500250, 14500250, 14500250}, {14500625, 14500625, 14500625},
        {14501010, 14501000, 14501000}, {1200, 1000, 1250},
        {1210, 1000, 1250},             {14500240, 14500000, 14500250},
    };
    for (const auto& [value, step, channel] : cases) {
        EXPECT_EQ(SnapOffRaster(value), step) << value;
        EXPECT_EQ(SnapToChannelRaster(value), channel) << value;
    }
}

// The records of a text as "line:field|field", " " between records, "(open)" after an open quote.
std::string Records(std::string_view text) {
    std::string out;
    for (const CCsvRecord& r : SplitCsvRecords(text)) {
        out += (out.empty() ? "" : " ") + std::to_string(r.line) + ":";
        for (std::size_t i = 0; i < r.fields.size(); ++i) out += (i ? "|" : "") + r.fields[i];
        if (r.unterminated) out += "(open)";
    }
    return out;
}

TEST(CsvText, RecordsAndQuoting) {
    const std::pair<const char*, const char*> cases[] = {
        {"a,b\nc,d\n", "1:a|b 2:c|d"}, {"a,b\r\nc,d", "1:a|b 2:c|d"},
        {"\xEF\xBB\xBF" "a,b\n", "1:a|b"}, {"a\rb\n", "1:a 2:b"},
        {"\"x,y\",\"say \"\"hi\"\"\"\n", "1:x,y|say \"hi\""},
        {"\"two\nlines\",z\nnext\n", "1:two\nlines|z 3:next"},
        {"a,,\n", "1:a||"}, {"a\n\nb\n", "1:a 2: 3:b"}, {"  \"q\" ,b\n", "1:q |b"},
        {"ab\"c,d\n", "1:ab\"c|d"}, {"a,\"open\nrest", "1:a|open\nrest(open)"},
    };
    for (const auto& [text, records] : cases) EXPECT_EQ(Records(text), records) << text;
    for (const char* value : {"", "plain", "a,b", "say \"x\"", " lead", "trail ", "two\nlines"}) {
        const std::string line = CsvField(value) + ",end";
        const auto records = SplitCsvRecords(line);
        ASSERT_EQ(records.size(), 1u) << value;
        EXPECT_EQ(records[0].fields, (std::vector<std::string>{value, "end"})) << value;
    }
}

// A channel accepted from line 2 into channel 1: "[rx tx ]decode encode PSB[ name]", power, scan
// and bandwidth as H/L, S/-, W/N, the frequencies left out when they are the simplex 145.5.
std::string Accepted(const CCsvChannel& c) {
    EXPECT_EQ(c.line, 2);
    EXPECT_EQ(c.channel, 1);
    const bool simplex = c.rx == 14550000 && c.tx == 14550000;
    return (simplex ? "" : std::to_string(c.rx) + " " + std::to_string(c.tx) + " ") + c.rxTone +
           " " + c.txTone + " " + (c.highPower ? "H" : "L") + (c.scan ? "S" : "-") +
           (c.wide ? "W" : "N") + (c.name.empty() ? "" : " " + c.name);
}

// One data row holding only the columns named, behind Location 1 and (unless named) Frequency
// 145.5: the channel accepted ("" when refused) and the start of the only message.
TEST(CsvRowRules, EveryColumn) {
    const struct {
        const char *columns, *values, *accepted, *message = nullptr;
    } cases[] = {
        {"Frequency", "145.500000", "无 无 HSW"}, {"Duplex", "+", "无 无 HSW"},
        {"Frequency,Duplex,Offset", "145.6,+,0.6", "14560000 14620000 无 无 HSW"},
        {"Frequency,Duplex,Offset", "439.1,-,5.000000", "43910000 43410000 无 无 HSW"},
        {"Duplex,Offset", "split,435", "14550000 43500000 无 无 HSW"},
        {"Duplex", "off", "", "Duplex: this radio cannot stop"},
        {"Duplex", "x", "", "Duplex:"}, {"Duplex", "split", "", "Offset:"},
        {"Frequency", "50.0", "", "Frequency: receive 50.000000"},
        {"Duplex,Offset", "+,50", "", "Offset: transmit 195.500000"},
        {"Frequency", "\"145,5\"", "", "Frequency:"}, {"Frequency", "", "", "Frequency:"},
        {"Frequency", "145.1234", "14512000 14512000 无 无 HSW",
         "Frequency: receive 145.123400 MHz is off the channel raster"},
        {"Tone,rToneFreq,cToneFreq", "Tone,100.0,bad", "无 100.0 HSW"},
        {"Tone,rToneFreq,cToneFreq", "TSQL,88.5,123.00", "123.0 123.0 HSW"},
        {"Tone,DtcsCode,DtcsPolarity,RxDtcsCode", "DTCS,23,NR,754", "D023I D023N HSW"},
        {"Tone,CrossMode,rToneFreq,cToneFreq", "Cross,Tone->Tone,100.0,123.0", "123.0 100.0 HSW"},
        {"Tone,CrossMode,rToneFreq,RxDtcsCode,DtcsPolarity", "Cross,Tone->DTCS,100.0,754,NR",
         "D754I 100.0 HSW"},
        {"Tone,CrossMode,DtcsCode,DtcsPolarity,cToneFreq", "Cross,DTCS->Tone,023,RN,67.0",
         "67.0 D023I HSW"},
        {"Tone,CrossMode,DtcsCode,RxDtcsCode,DtcsPolarity", "Cross,DTCS->DTCS,023,754,RR",
         "D754I D023I HSW"},
        {"Tone,CrossMode,rToneFreq", "Cross,Tone->,88.5", "无 88.5 HSW"},
        {"Tone,CrossMode,DtcsCode", "Cross,DTCS->,023", "无 D023N HSW"},
        {"Tone,CrossMode,cToneFreq", "Cross,->Tone,88.5", "88.5 无 HSW"},
        {"Tone,CrossMode,RxDtcsCode", "Cross,->DTCS,25", "D025N 无 HSW"},
        {"rToneFreq,DtcsCode,CrossMode,DtcsPolarity", "x,999,nonsense,??", "无 无 HSW"},
        {"Tone", "TSQL-R", "", "Tone:"}, {"Tone", "DTCS-R", "", "Tone:"},
        {"Tone", "Tonne", "", "Tone:"}, {"Tone,rToneFreq", "Tone,88.4", "", "rToneFreq:"},
        {"Tone,cToneFreq", "TSQL,88.55", "", "cToneFreq:"},
        {"Tone,DtcsCode", "DTCS,024", "", "DtcsCode:"},
        {"Tone,CrossMode,RxDtcsCode", "Cross,->DTCS,8", "", "RxDtcsCode:"},
        {"Tone,CrossMode", "Cross,DTCS->Foo", "", "CrossMode:"},
        {"Tone,CrossMode", "Cross,->", "", "CrossMode:"},
        {"Tone,DtcsCode,DtcsPolarity", "DTCS,023,NX", "", "DtcsPolarity:"},
        {"Mode", "NFM", "无 无 HSN"}, {"Mode", "AM", "", "Mode:"},
        {"Skip", "S", "无 无 H-W"}, {"Skip", "P", "无 无 HSW"},
        {"Power", "Low", "无 无 LSW"}, {"Power", "L", "无 无 LSW"}, {"Power", "1.9W", "无 无 LSW"},
        {"Power", "H", "无 无 HSW"}, {"Power", "2.0W", "无 无 HSW"},
        {"Power", "Mid", "", "Power:"}, {"Name", "Zürich", "", "Name:"},
        {"Name", "\" A,\"\"B\"\"\"", "无 无 HSW  A,\"B\""},
        {"Name", "REPEATER", "无 无 HSW REPEATE", "Name: 'REPEATER' is longer than 7 characters"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.columns) + " = " + c.values);
        const bool frequency = std::string_view(c.columns).starts_with("Frequency");
        const std::string text = std::string("Location,") + (frequency ? "" : "Frequency,") +
                                 c.columns + "\n1," + (frequency ? "" : "145.5,") + c.values + "\n";
        const CCsvImport found = ReadChannelCsv(text, CBandLimits{}, {});
        const bool refused = !*c.accepted;
        if (c.message) {
            ASSERT_EQ(found.messages.size(), 1u);
            const std::string shown = found.messages[0].Text();
            EXPECT_TRUE(shown.starts_with(std::string("line 2: ") + c.message)) << shown;
            EXPECT_EQ(found.messages[0].error, refused);
        } else {
            EXPECT_TRUE(found.messages.empty()) << found.messages[0].Text();
        }
        ASSERT_EQ(found.channels.size(), refused ? 0u : 1u);
        if (!refused) EXPECT_EQ(Accepted(found.channels[0]), c.accepted);
    }
}

TEST(CsvList, Layout) {
    const std::string h = "Location,Frequency\n";
    const std::string firstOption = h + "77,145.5\nx,50\n77,145.6\n0,145.7\n";
    const struct {
        std::string text;
        std::vector<int> channels;
        std::vector<std::string> messages; // "line N: Column"
        bool unreadable = false;
        int first = 0;
        CBandLimits limits{}; // the document's bands, not the hardware's, judge a frequency
    } cases[] = {
        {"frequency,NAME,location\r\n145.5,A,3\r\n\r\n433.0,B,4\r\n", {3, 4}, {}},
        {"\xEF\xBB\xBFLocation,Colour,Frequency\n1,red,145.5\n", {1}, {}},
        {"Location,Frequency,Mode\n1,145.5\n", {1}, {}}, // a short row reads empty
        {"Location,Frequency,Comment\n1,145.5,a,b\n", {1}, {"line 2: Comment"}},
        {"\n\n" + h + "\n 5 ,50\n", {}, {"line 5: Frequency"}},
        {h + ",\n2,145.5\n", {2}, {}}, // an all-comma line is blank
        {h + "1,145.5\n0,145.6\n255,145.7\n", {2, 1, 256}, {"line 3: Location"}}, // from zero
        {h + "257,145.5\n", {}, {"line 2: Location"}},
        {h + "0,145.5\n256,145.5\n", {1}, {"line 2: Location", "line 3: Location"}},
        {h + "-1,145.5\n0,145.5\n", {}, {"line 2: Location", "line 3: Location"}},
        {h + "A1,145.5\n", {}, {"line 2: Location"}},
        {h + "000009,145.5\n", {9}, {}},
        {h + "9,145.5\n9,145.6\n", {9}, {"line 3: Location"}},
        {"Location,Freq\n1,145.5\n", {}, {"line 1: Frequency"}, true},
        {"Name,Frequency\nA,145.5\n", {}, {"line 1: Location"}, true},
        {"", {}, {"line 1: Location"}, true},
        {h, {}, {}},
        {firstOption, {10, 11, 12}, {"line 3: Frequency"}, false, 10},
        {firstOption, {255, 256}, {"line 3: Frequency", "line 5: Location"}, false, 255},
        {h + "1,146.5\n2,145.5\n3,439\n", {2, 3}, {"line 2: Frequency"}, false, 0,
         {{14400000, 43000000}, {14600000, 44000000}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const CCsvImport found = ReadChannelCsv(c.text, c.limits, {.first = c.first});
        std::vector<int> channels;
        for (const auto& channel : found.channels) channels.push_back(channel.channel);
        EXPECT_EQ(channels, c.channels);
        std::vector<std::string> texts; // "line N: Column", without the cause
        for (const auto& m : found.messages)
            texts.push_back(m.Text().substr(0, m.Text().find(':', m.Text().find(':') + 1)));
        EXPECT_EQ(texts, c.messages);
        EXPECT_EQ(found.unreadable, c.unreadable);
    }
}

// A channel typed into the grid: receive, transmit, decode, encode, power, scan, bandwidth, name.
void Type(CMemoryImage& image, int channel, const std::vector<std::string>& texts) {
    CBandLimits limits;
    CChannelTable table;
    FillChannelTable(image, limits, table);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const int column = i < 7 ? static_cast<int>(i) + 1 : kColumnName;
        CommitCellEdit(table.Row(channel), channel, column, texts[i], limits, image);
    }
    ParseChannelTable(table, limits, kProgramVariant, image);
}

// The data line written for one channel.
std::string LineOf(const CMemoryImage& image) {
    const std::string text = WriteChannelCsv(image, CBandLimits{});
    const auto start = text.find('\n') + 1;
    return text.substr(start, text.find('\n', start) - start);
}

TEST(CsvWriter, OneChannel) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"145.5", "145.5", "无", "无", "高", "是", "宽", "CALL"},
         "1,CALL,145.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
        {{"145.775", "145.175", "无", "103.5", "低", "否", "窄", ""},
         "1,,145.775000,-,0.600000,Tone,103.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,S,1.0W,,,,,"},
        {{"439.1", "446.7", "123.0", "123.0"},
         "1,,439.100000,+,7.600000,TSQL,123.0,123.0,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
        {{"145.5", "435", "D754I", "D754N"},
         "1,,145.500000,split,435.000000,DTCS,88.5,88.5,754,NR,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    };
    for (const auto& [typed, line] : cases) {
        CMemoryImage image = BuildDefaultImage();
        Type(image, 1, typed);
        EXPECT_EQ(LineOf(image), line) << typed[0] << " " << typed.size();
    }
    // Decode, encode: the columns from Tone to CrossMode of a simplex 145.5.
    const std::array<const char*, 3> crosses[] = {
        {"123.0", "100.0", "Cross,100.0,123.0,023,NN,023,Tone->Tone"},
        {"D025I", "67.0", "Cross,67.0,88.5,023,NR,025,Tone->DTCS"},
        {"67.0", "D025I", "Cross,88.5,67.0,025,RN,023,DTCS->Tone"},
        {"D025N", "D023N", "Cross,88.5,88.5,023,NN,025,DTCS->DTCS"},
        {"无", "D023I", "Cross,88.5,88.5,023,RN,023,DTCS->"},
        {"88.5", "无", "Cross,88.5,88.5,023,NN,023,->Tone"},
        {"D023N", "无", "Cross,88.5,88.5,023,NN,023,->DTCS"},
    };
    for (const auto& [decode, encode, columns] : crosses) {
        CMemoryImage image = BuildDefaultImage();
        Type(image, 1, {"145.5", "145.5", decode, encode});
        EXPECT_EQ(LineOf(image),
                  std::string("1,,145.500000,,0.000000,") + columns + ",FM,5.00,,5.0W,,,,,");
    }
}

CMemoryImage Imported(const std::string& text, CCsvImportOptions options, CMemoryImage image,
                      bool* applied = nullptr) {
    CBandLimits limits;
    LoadBandLimits(image, limits);
    const bool done =
        ApplyChannelCsv(ReadChannelCsv(text, limits, options), options, image, limits);
    if (applied) *applied = done;
    return image;
}

// The list written from the image holds what the grid shows: no VFO and no row in no band.
TEST(CsvApply, ThroughTheGrid) {
    CMemoryImage image = BuildDefaultImage();
    Type(image, 200, {"439.0"});
    Type(image, 1, {"145.5", "145.5", "无", "无", "高", "是", "宽", "OLD"});
    Type(image, 257, {"145.5"});
    test::PutChannel(image, 9, 30000000);
    const std::size_t one = RecordOffset(1);
    image[one + map::rec::kSignalling] = 0x05;
    image[one + map::rec::kFlags] |= map::rec::kFlagBusyCarrier;
    const std::string written = WriteChannelCsv(image, CBandLimits{});
    EXPECT_EQ(written.find('\r'), std::string::npos);
    const auto records = SplitCsvRecords(written);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].fields,
              std::vector<std::string>(CsvColumnNames().begin(), CsvColumnNames().end()));
    EXPECT_EQ(records[1].fields[0], "1");
    EXPECT_EQ(records[2].fields[0], "200");

    const std::string list = "Location,Frequency,Name\n1,146.0,NEW\n3,433.0,\n";
    bool applied = false;
    CMemoryImage result = Imported(list, {}, image, &applied);
    ASSERT_TRUE(applied);
    CBandLimits limits;
    CChannelRow row = ChannelRowTexts(result, limits, 1);
    EXPECT_EQ(row[kColumnRx], "146.00000");
    EXPECT_EQ(row.name, "NEW");
    EXPECT_EQ(row[kColumnBusyLock], "载波") << "an existing channel keeps what the list omits";
    EXPECT_EQ(result[one + map::rec::kSignalling], 0x05);
    EXPECT_EQ(ChannelRowTexts(result, limits, 200)[kColumnRx], "439.00000");
    EXPECT_EQ(ChannelRowTexts(result, limits, 3)[kColumnBusyLock], "关");

    result = Imported(list, {.clear = true}, image);
    EXPECT_TRUE(ChannelRowTexts(result, limits, 200).IsEmpty());
    EXPECT_EQ(ChannelRowTexts(result, limits, 1)[kColumnBusyLock], "关")
        << "a cleared channel starts from the default record";
    EXPECT_EQ(result[one + map::rec::kSignalling], 0x00);

    // All or nothing unless bad rows are skipped: channel 2 comes from the list, 200 was there.
    const std::string bad = "Location,Frequency\n2,146.0\n4,999\n";
    EXPECT_EQ(ReadChannelCsv(bad, CBandLimits{}, {}).RowErrors(), 1);
    const std::tuple<std::string, bool, bool, bool, bool, bool> cases[] = {
        {bad, false, false, false, false, true},
        {bad, false, true, false, false, true},
        {bad, true, false, true, true, true},
        {bad, true, true, true, true, false},
        {"Location,Frequency\n2,146.0\n", false, false, true, true, true},
        {"Frequency\n146.0\n", true, false, false, false, true}, // no Location: unreadable
    };
    for (const auto& [text, skipBad, clear, done, channel2, channel200] : cases) {
        applied = !done;
        result = Imported(text, {.clear = clear, .skipBad = skipBad}, image, &applied);
        EXPECT_EQ(applied, done) << text;
        if (!done) EXPECT_EQ(result, image);
        EXPECT_EQ(!ChannelRowTexts(result, limits, 2).IsEmpty(), channel2);
        EXPECT_EQ(!ChannelRowTexts(result, limits, 200).IsEmpty(), channel200);
    }
}

// An image typed through the grid with random values the radio can hold.
CMemoryImage GeneratedImage(unsigned seed) {
    std::mt19937 random(seed);
    const auto pick = [&random](int n) { return static_cast<int>(random() % unsigned(n)); };
    CMemoryImage image = BuildDefaultImage();
    CBandLimits limits;
    CChannelTable table;
    FillChannelTable(image, limits, table);
    const auto frequency = [&](int band) {
        const int64_t low = band ? 40000000 : 13600000, high = band ? 48000000 : 17400000;
        const int64_t step = pick(2) ? 625 : 250;
        return FrequencyText(low + (pick(int((high - low) / step)) * step));
    };
    const auto& tones = ToneList();
    for (int channel = 1; channel <= kCsvLastChannel; ++channel) {
        if (pick(4) == 0) continue;
        CChannelRow& row = table.Row(channel);
        const int band = pick(2);
        const auto commit = [&](int column, const std::string& text) {
            CommitCellEdit(row, channel, column, text, limits, image);
        };
        commit(kColumnRx, frequency(band));
        if (pick(2)) commit(kColumnTx, frequency(pick(3) ? band : 1 - band));
        const int tone = pick(int(tones.size()));
        commit(kColumnRxTone, pick(3) ? tones[tone] : tones[pick(int(tones.size()))]);
        commit(kColumnTxTone, pick(2) ? tones[tone] : tones[pick(int(tones.size()))]);
        for (int column : {kColumnPower, kColumnScan, kColumnBandwidth, kColumnBusyLock})
            commit(column, ChoiceEntries(column)[pick(int(ChoiceEntries(column).size()))]);
        std::string name;
        for (int n = pick(8); n > 0; --n) name += static_cast<char>(0x20 + pick(95));
        commit(kColumnName, name);
    }
    ParseChannelTable(table, limits, kProgramVariant, image);
    return image;
}

TEST(CsvRoundTrip, ExportThenImportWithClearGivesTheSameChannels) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        const CMemoryImage original = GeneratedImage(seed);
        const std::string list = WriteChannelCsv(original, CBandLimits{});
        const CCsvImportOptions clear{.clear = true};
        const CCsvImport found = ReadChannelCsv(list, CBandLimits{}, clear);
        EXPECT_TRUE(found.messages.empty()) << seed << ": " << found.messages[0].Text();
        CMemoryImage copy = GeneratedImage(seed + 1000);
        CBandLimits limits;
        ASSERT_TRUE(ApplyChannelCsv(found, clear, copy, limits)) << seed;
        for (int channel = 1; channel <= kCsvLastChannel; ++channel) {
            const CChannelRow want = ChannelRowTexts(original, limits, channel);
            const CChannelRow got = ChannelRowTexts(copy, limits, channel);
            for (int column : {kColumnRx, kColumnTx, kColumnRxTone, kColumnTxTone, kColumnPower,
                               kColumnScan, kColumnBandwidth, kColumnName})
                EXPECT_EQ(got[column], want[column]) << seed << " channel " << channel;
        }
        EXPECT_EQ(WriteChannelCsv(copy, CBandLimits{}), list) << seed;
    }
}

} // namespace
} // namespace tarsel

// Reading channel lists: the text layer, then the rules of every column and of the list.
#include "core/interchange/channelcsv.h"

#include "core/interchange/csvtext.h"
#include "csvtestsupport.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

using test::CsvHeader;
using test::CsvRow;
using Fields = std::vector<std::string>;

TEST(CsvText, Records) {
    struct Case {
        const char* text;
        std::vector<std::pair<int, Fields>> records; // line, fields
    };
    const Case cases[] = {
        {"a,b\nc,d\n", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
        {"a,b\r\nc,d", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
        {"\xEF\xBB\xBF"
         "a,b\n",
         {{1, {"a", "b"}}}},
        {"\"x,y\",\"say \"\"hi\"\"\"\n", {{1, {"x,y", "say \"hi\""}}}},
        {"\"two\nlines\",z\nnext\n", {{1, {"two\nlines", "z"}}, {3, {"next"}}}},
        {"a,,\n", {{1, {"a", "", ""}}}},
        {"a\n\nb\n", {{1, {"a"}}, {2, {""}}, {3, {"b"}}}},
        {"  \"q\" ,b\n", {{1, {"q ", "b"}}}},
        {"ab\"c,d\n", {{1, {"ab\"c", "d"}}}},
        {"a\rb\n", {{1, {"a"}}, {2, {"b"}}}},
    };
    for (const Case& c : cases) {
        const auto records = SplitCsvRecords(c.text);
        ASSERT_EQ(records.size(), c.records.size()) << c.text;
        for (std::size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(records[i].line, c.records[i].first) << c.text;
            EXPECT_EQ(records[i].fields, c.records[i].second) << c.text;
        }
    }
    EXPECT_TRUE(SplitCsvRecords("a,\"open\nrest").back().unterminated);
}

TEST(CsvText, FieldQuotingRoundTrips) {
    for (const char* value : {"", "plain", "a,b", "say \"x\"", " lead", "trail ", "two\nlines"}) {
        const std::string line = CsvField(value) + ",end";
        const auto records = SplitCsvRecords(line);
        ASSERT_EQ(records.size(), 1u) << value;
        EXPECT_EQ(records[0].fields, (Fields{value, "end"})) << value;
    }
    EXPECT_EQ(CsvField("plain"), "plain");
}

// What one data row (line 2) gives: the accepted channel, or the first words of its message.
struct RowCase {
    const char* what;
    std::map<ECsvColumn, std::string> values;
    const char* message = ""; // "" for none; else the start of the only message
    bool error = false;
    CCsvChannel expected = {};
};

CCsvChannel Channel(int64_t rx, int64_t tx, std::string rxTone = "无", std::string txTone = "无") {
    CCsvChannel c;
    c.line = 2;
    c.channel = 1;
    c.rx = rx;
    c.tx = tx;
    c.rxTone = std::move(rxTone);
    c.txTone = std::move(txTone);
    return c;
}

CCsvChannel With(CCsvChannel c, bool high, bool scan, bool wide, std::string name = "") {
    c.highPower = high;
    c.scan = scan;
    c.wide = wide;
    c.name = std::move(name);
    return c;
}

RowCase Ok(const char* what, std::map<ECsvColumn, std::string> values, CCsvChannel expected) {
    return {what, std::move(values), "", false, std::move(expected)};
}

RowCase Bad(const char* what, std::map<ECsvColumn, std::string> values, const char* message) {
    return {what, std::move(values), message, true};
}

CCsvChannel Tones(std::string rx, std::string tx) {
    return Channel(14550000, 14550000, std::move(rx), std::move(tx));
}

class CsvRowRules : public testing::TestWithParam<RowCase> {};

TEST_P(CsvRowRules, Row) {
    const RowCase& c = GetParam();
    auto values = c.values;
    values.emplace(kCsvLocation, "1");
    values.emplace(kCsvFrequency, "145.5");
    const CCsvImport found = ReadChannelCsv(CsvHeader() + CsvRow(values), CBandLimits{}, {});
    if (*c.message) {
        ASSERT_EQ(found.messages.size(), 1u);
        EXPECT_TRUE(found.messages[0].Text().starts_with(c.message)) << found.messages[0].Text();
        EXPECT_EQ(found.messages[0].error, c.error);
    } else {
        EXPECT_TRUE(found.messages.empty()) << found.messages[0].Text();
    }
    if (c.error) {
        EXPECT_TRUE(found.channels.empty());
    } else {
        ASSERT_EQ(found.channels.size(), 1u);
        EXPECT_EQ(found.channels[0], c.expected);
    }
}

const CCsvChannel kSimplex = Channel(14550000, 14550000);

INSTANTIATE_TEST_SUITE_P(
    Frequencies, CsvRowRules,
    testing::Values(
        Ok("simplex", {{kCsvFrequency, "145.500000"}}, kSimplex),
        Ok("plus", {{kCsvFrequency, "145.6"}, {kCsvDuplex, "+"}, {kCsvOffset, "0.6"}},
           Channel(14560000, 14620000)),
        Ok("minus", {{kCsvFrequency, "439.1"}, {kCsvDuplex, "-"}, {kCsvOffset, "5.000000"}},
           Channel(43910000, 43410000)),
        Ok("split", {{kCsvDuplex, "split"}, {kCsvOffset, "435"}}, Channel(14550000, 43500000)),
        Ok("plus zero", {{kCsvDuplex, "+"}}, kSimplex),
        Bad("off", {{kCsvDuplex, "off"}}, "line 2: Duplex: this radio cannot stop"),
        Bad("duplex?", {{kCsvDuplex, "x"}}, "line 2: Duplex:"),
        RowCase{"split 0", {{kCsvDuplex, "split"}}, "line 2: Offset:", true},
        Bad("no band", {{kCsvFrequency, "50.0"}}, "line 2: Frequency: receive 50.000000"),
        Bad("tx no band", {{kCsvDuplex, "+"}, {kCsvOffset, "50"}},
            "line 2: Offset: transmit 195.500000"),
        Bad("not a number", {{kCsvFrequency, "145,5"}}, "line 2: Frequency:"),
        Bad("empty", {{kCsvFrequency, ""}}, "line 2: Frequency:"),
        RowCase{"off raster",
                {{kCsvFrequency, "145.1234"}},
                "line 2: Frequency: receive 145.123400 MHz is off the channel raster",
                false,
                Channel(14512000, 14512000)}));

INSTANTIATE_TEST_SUITE_P(
    Tones, CsvRowRules,
    testing::Values(
        Ok("Tone", {{kCsvTone, "Tone"}, {kCsvRToneFreq, "100.0"}, {kCsvCToneFreq, "bad"}},
           Tones("无", "100.0")),
        Ok("TSQL", {{kCsvTone, "TSQL"}, {kCsvRToneFreq, "88.5"}, {kCsvCToneFreq, "123.00"}},
           Tones("123.0", "123.0")),
        Ok("DTCS",
           {{kCsvTone, "DTCS"},
            {kCsvDtcsCode, "23"},
            {kCsvDtcsPolarity, "NR"},
            {kCsvRxDtcsCode, "754"}},
           Tones("D023I", "D023N")),
        Ok("T->T",
           {{kCsvTone, "Cross"},
            {kCsvCrossMode, "Tone->Tone"},
            {kCsvRToneFreq, "100.0"},
            {kCsvCToneFreq, "123.0"}},
           Tones("123.0", "100.0")),
        Ok("T->D",
           {{kCsvTone, "Cross"},
            {kCsvCrossMode, "Tone->DTCS"},
            {kCsvRToneFreq, "100.0"},
            {kCsvRxDtcsCode, "754"},
            {kCsvDtcsPolarity, "NR"}},
           Tones("D754I", "100.0")),
        Ok("D->T",
           {{kCsvTone, "Cross"},
            {kCsvCrossMode, "DTCS->Tone"},
            {kCsvDtcsCode, "023"},
            {kCsvDtcsPolarity, "RN"},
            {kCsvCToneFreq, "67.0"}},
           Tones("67.0", "D023I")),
        Ok("D->D",
           {{kCsvTone, "Cross"},
            {kCsvCrossMode, "DTCS->DTCS"},
            {kCsvDtcsCode, "023"},
            {kCsvRxDtcsCode, "754"},
            {kCsvDtcsPolarity, "RR"}},
           Tones("D754I", "D023I")),
        Ok("T->", {{kCsvTone, "Cross"}, {kCsvCrossMode, "Tone->"}, {kCsvRToneFreq, "88.5"}},
           Tones("无", "88.5")),
        Ok("D->", {{kCsvTone, "Cross"}, {kCsvCrossMode, "DTCS->"}, {kCsvDtcsCode, "023"}},
           Tones("无", "D023N")),
        Ok("->T", {{kCsvTone, "Cross"}, {kCsvCrossMode, "->Tone"}, {kCsvCToneFreq, "88.5"}},
           Tones("88.5", "无")),
        Ok("->D", {{kCsvTone, "Cross"}, {kCsvCrossMode, "->DTCS"}, {kCsvRxDtcsCode, "25"}},
           Tones("D025N", "无")),
        Ok("unused ignored",
           {{kCsvRToneFreq, "x"},
            {kCsvDtcsCode, "999"},
            {kCsvCrossMode, "nonsense"},
            {kCsvDtcsPolarity, "??"}},
           kSimplex),
        Bad("TSQL-R", {{kCsvTone, "TSQL-R"}}, "line 2: Tone:"),
        Bad("DTCS-R", {{kCsvTone, "DTCS-R"}}, "line 2: Tone:"),
        Bad("mode?", {{kCsvTone, "Tonne"}}, "line 2: Tone:"),
        Bad("ctcss?", {{kCsvTone, "Tone"}, {kCsvRToneFreq, "88.4"}}, "line 2: rToneFreq:"),
        Bad("ctcss 88.55", {{kCsvTone, "TSQL"}, {kCsvCToneFreq, "88.55"}}, "line 2: cToneFreq:"),
        Bad("dcs?", {{kCsvTone, "DTCS"}, {kCsvDtcsCode, "024"}}, "line 2: DtcsCode:"),
        Bad("rx dcs?", {{kCsvTone, "Cross"}, {kCsvCrossMode, "->DTCS"}, {kCsvRxDtcsCode, "8"}},
            "line 2: RxDtcsCode:"),
        Bad("cross?", {{kCsvTone, "Cross"}, {kCsvCrossMode, "DTCS->Foo"}}, "line 2: CrossMode:"),
        Bad("cross ->", {{kCsvTone, "Cross"}, {kCsvCrossMode, "->"}}, "line 2: CrossMode:"),
        Bad("polarity?", {{kCsvTone, "DTCS"}, {kCsvDtcsCode, "023"}, {kCsvDtcsPolarity, "NX"}},
            "line 2: DtcsPolarity:")));

INSTANTIATE_TEST_SUITE_P(
    ChoicesAndNames, CsvRowRules,
    testing::Values(Ok("NFM", {{kCsvMode, "NFM"}}, With(kSimplex, true, true, false)),
                    Bad("AM", {{kCsvMode, "AM"}}, "line 2: Mode:"),
                    Ok("skip", {{kCsvSkip, "S"}}, With(kSimplex, true, false, true)),
                    Ok("priority", {{kCsvSkip, "P"}}, kSimplex),
                    Ok("Low", {{kCsvPower, "Low"}}, With(kSimplex, false, true, true)),
                    Ok("L", {{kCsvPower, "L"}}, With(kSimplex, false, true, true)),
                    Ok("H", {{kCsvPower, "H"}}, kSimplex),
                    Ok("0.5W", {{kCsvPower, "0.5W"}}, With(kSimplex, false, true, true)),
                    Ok("1.9W", {{kCsvPower, "1.9W"}}, With(kSimplex, false, true, true)),
                    Ok("2.0W", {{kCsvPower, "2.0W"}}, kSimplex),
                    Ok("4W", {{kCsvPower, "4W"}}, kSimplex),
                    Bad("Mid", {{kCsvPower, "Mid"}}, "line 2: Power:"),
                    Ok("name", {{kCsvName, " A,\"B\""}},
                       With(kSimplex, true, true, true, " A,\"B\"")),
                    RowCase{"long name",
                            {{kCsvName, "REPEATER"}},
                            "line 2: Name: 'REPEATER' is longer than 7 characters",
                            false,
                            With(kSimplex, true, true, true, "REPEATE")},
                    Bad("utf-8 name", {{kCsvName, "Zürich"}}, "line 2: Name:")));

// Messages of a whole list as their texts.
std::vector<std::string> Texts(const CCsvImport& found) {
    std::vector<std::string> texts;
    for (const auto& m : found.messages) {
        const std::string text = m.Text();
        texts.push_back(text.substr(0, text.find(':', text.find(':') + 1)));
    }
    return texts;
}

std::vector<int> ChannelsOf(const CCsvImport& found) {
    std::vector<int> channels;
    for (const auto& c : found.channels) channels.push_back(c.channel);
    return channels;
}

TEST(CsvList, Layout) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<int> channels;
        std::vector<std::string> messages; // "line N: Column"
        bool unreadable = false;
    };
    const Case cases[] = {
        {"header case and order, missing columns",
         "frequency,NAME,location\r\n145.5,A,3\r\n\r\n433.0,B,4\r\n",
         {3, 4},
         {}},
        {"BOM and unknown columns",
         "\xEF\xBB\xBFLocation,Colour,Frequency\n1,red,145.5\n",
         {1},
         {}},
        {"short row reads empty", "Location,Frequency,Mode\n1,145.5\n", {1}, {}},
        {"extra fields by position",
         "Location,Frequency,Comment\n1,145.5,a,b\n",
         {1},
         {"line 2: Comment"}},
        {"blank lines keep line numbers",
         "\n\nLocation,Frequency\n\n 5 ,50\n",
         {},
         {"line 5: Frequency"}},
        {"all-comma line is blank", "Location,Frequency\n,\n2,145.5\n", {2}, {}},
        {"from zero",
         "Location,Frequency\n1,145.5\n0,145.6\n255,145.7\n",
         {2, 1, 256},
         {"line 3: Location"}},
        {"257", "Location,Frequency\n257,145.5\n", {}, {"line 2: Location"}},
        {"from zero past the end",
         "Location,Frequency\n0,145.5\n256,145.5\n",
         {1},
         {"line 2: Location", "line 3: Location"}},
        {"negative",
         "Location,Frequency\n-1,145.5\n0,145.5\n",
         {},
         {"line 2: Location", "line 3: Location"}},
        {"not a number", "Location,Frequency\nA1,145.5\n", {}, {"line 2: Location"}},
        {"used twice", "Location,Frequency\n9,145.5\n9,145.6\n", {9}, {"line 3: Location"}},
        {"no Frequency column", "Location,Freq\n1,145.5\n", {}, {"line 1: Frequency"}, true},
        {"no Location column", "Name,Frequency\nA,145.5\n", {}, {"line 1: Location"}, true},
        {"empty file", "", {}, {"line 1: Location"}, true},
        {"header only", "Location,Frequency\n", {}, {}},
    };
    for (const Case& c : cases) {
        const CCsvImport found = ReadChannelCsv(c.text, CBandLimits{}, {});
        EXPECT_EQ(ChannelsOf(found), c.channels) << c.what;
        EXPECT_EQ(Texts(found), c.messages) << c.what;
        EXPECT_EQ(found.unreadable, c.unreadable) << c.what;
    }
}

TEST(CsvList, FirstChannelOption) {
    const std::string text = "Location,Frequency\n77,145.5\nx,50\n77,145.6\n0,145.7\n";
    struct Case {
        int first;
        std::vector<int> channels;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {10, {10, 11, 12}, {"line 3: Frequency"}},
        {255, {255, 256}, {"line 3: Frequency", "line 5: Location"}},
    };
    for (const Case& c : cases) {
        CCsvImportOptions options;
        options.first = c.first;
        const CCsvImport found = ReadChannelCsv(text, CBandLimits{}, options);
        EXPECT_EQ(ChannelsOf(found), c.channels) << c.first;
        EXPECT_EQ(Texts(found), c.messages) << c.first;
    }
}

TEST(CsvList, BandsAreTheDocuments) {
    CBandLimits limits;
    limits.low = {14400000, 43000000};
    limits.high = {14600000, 44000000};
    const auto found = ReadChannelCsv("Location,Frequency\n1,146.5\n2,145.5\n3,439\n", limits, {});
    EXPECT_EQ(ChannelsOf(found), (std::vector<int>{2, 3}));
    EXPECT_EQ(Texts(found), (std::vector<std::string>{"line 2: Frequency"}));
}

TEST(CsvList, ApplicableOnlyWithoutErrorsUnlessSkipping) {
    const auto good = ReadChannelCsv("Location,Frequency\n1,145.5\n", CBandLimits{}, {});
    const auto bad = ReadChannelCsv("Location,Frequency\n1,145.5\n2,x\n", CBandLimits{}, {});
    const auto unreadable = ReadChannelCsv("Frequency\n145.5\n", CBandLimits{}, {});
    CCsvImportOptions skip;
    skip.skipBad = true;
    EXPECT_TRUE(good.Applicable({}));
    EXPECT_FALSE(bad.Applicable({}));
    EXPECT_TRUE(bad.Applicable(skip));
    EXPECT_FALSE(unreadable.Applicable(skip));
    EXPECT_EQ(bad.RowErrors(), 1);
}

} // namespace
} // namespace tarsel

// Reading channel lists: the text layer, then the rules of every column and of the list.
#include "core/interchange/channelcsv.h"

#include "core/interchange/csvtext.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

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

// What one data row (line 2) gives: the accepted channel, or the first words of its message. The
// row holds only the columns named, behind Location 1 and (unless named) Frequency 145.5.
struct RowCase {
    const char* what;
    const char* columns;
    const char* values;       // as written in the file
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

const CCsvChannel kSimplex = Channel(14550000, 14550000);

CCsvChannel With(bool high, bool scan, bool wide, std::string name = "") {
    CCsvChannel c = kSimplex;
    c.highPower = high;
    c.scan = scan;
    c.wide = wide;
    c.name = std::move(name);
    return c;
}

RowCase Ok(const char* what, const char* columns, const char* values, CCsvChannel expected) {
    return {what, columns, values, "", false, std::move(expected)};
}

RowCase Bad(const char* what, const char* columns, const char* values, const char* message) {
    return {what, columns, values, message, true};
}

CCsvChannel Tones(std::string rx, std::string tx) {
    return Channel(14550000, 14550000, std::move(rx), std::move(tx));
}

class CsvRowRules : public testing::TestWithParam<RowCase> {};

TEST_P(CsvRowRules, Row) {
    const RowCase& c = GetParam();
    const bool frequency = std::string_view(c.columns).starts_with("Frequency");
    const std::string text = std::string("Location,") + (frequency ? "" : "Frequency,") +
                             c.columns + "\n1," + (frequency ? "" : "145.5,") + c.values + "\n";
    const CCsvImport found = ReadChannelCsv(text, CBandLimits{}, {});
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

INSTANTIATE_TEST_SUITE_P(
    Frequencies, CsvRowRules,
    testing::Values(
        Ok("simplex", "Frequency", "145.500000", kSimplex),
        Ok("plus", "Frequency,Duplex,Offset", "145.6,+,0.6", Channel(14560000, 14620000)),
        Ok("minus", "Frequency,Duplex,Offset", "439.1,-,5.000000", Channel(43910000, 43410000)),
        Ok("split", "Duplex,Offset", "split,435", Channel(14550000, 43500000)),
        Ok("plus zero", "Duplex", "+", kSimplex),
        Bad("off", "Duplex", "off", "line 2: Duplex: this radio cannot stop"),
        Bad("duplex?", "Duplex", "x", "line 2: Duplex:"),
        RowCase{"split 0", "Duplex", "split", "line 2: Offset:", true},
        Bad("no band", "Frequency", "50.0", "line 2: Frequency: receive 50.000000"),
        Bad("tx no band", "Duplex,Offset", "+,50", "line 2: Offset: transmit 195.500000"),
        Bad("not a number", "Frequency", "\"145,5\"", "line 2: Frequency:"),
        Bad("empty", "Frequency", "", "line 2: Frequency:"),
        RowCase{"off raster", "Frequency", "145.1234",
                "line 2: Frequency: receive 145.123400 MHz is off the channel raster", false,
                Channel(14512000, 14512000)}));

INSTANTIATE_TEST_SUITE_P(
    Tones, CsvRowRules,
    testing::Values(
        Ok("Tone", "Tone,rToneFreq,cToneFreq", "Tone,100.0,bad", Tones("无", "100.0")),
        Ok("TSQL", "Tone,rToneFreq,cToneFreq", "TSQL,88.5,123.00", Tones("123.0", "123.0")),
        Ok("DTCS", "Tone,DtcsCode,DtcsPolarity,RxDtcsCode", "DTCS,23,NR,754",
           Tones("D023I", "D023N")),
        Ok("T->T", "Tone,CrossMode,rToneFreq,cToneFreq", "Cross,Tone->Tone,100.0,123.0",
           Tones("123.0", "100.0")),
        Ok("T->D", "Tone,CrossMode,rToneFreq,RxDtcsCode,DtcsPolarity",
           "Cross,Tone->DTCS,100.0,754,NR", Tones("D754I", "100.0")),
        Ok("D->T", "Tone,CrossMode,DtcsCode,DtcsPolarity,cToneFreq", "Cross,DTCS->Tone,023,RN,67.0",
           Tones("67.0", "D023I")),
        Ok("D->D", "Tone,CrossMode,DtcsCode,RxDtcsCode,DtcsPolarity", "Cross,DTCS->DTCS,023,754,RR",
           Tones("D754I", "D023I")),
        Ok("T->", "Tone,CrossMode,rToneFreq", "Cross,Tone->,88.5", Tones("无", "88.5")),
        Ok("D->", "Tone,CrossMode,DtcsCode", "Cross,DTCS->,023", Tones("无", "D023N")),
        Ok("->T", "Tone,CrossMode,cToneFreq", "Cross,->Tone,88.5", Tones("88.5", "无")),
        Ok("->D", "Tone,CrossMode,RxDtcsCode", "Cross,->DTCS,25", Tones("D025N", "无")),
        Ok("unused ignored", "rToneFreq,DtcsCode,CrossMode,DtcsPolarity", "x,999,nonsense,??",
           kSimplex),
        Bad("TSQL-R", "Tone", "TSQL-R", "line 2: Tone:"),
        Bad("DTCS-R", "Tone", "DTCS-R", "line 2: Tone:"),
        Bad("mode?", "Tone", "Tonne", "line 2: Tone:"),
        Bad("ctcss?", "Tone,rToneFreq", "Tone,88.4", "line 2: rToneFreq:"),
        Bad("ctcss 88.55", "Tone,cToneFreq", "TSQL,88.55", "line 2: cToneFreq:"),
        Bad("dcs?", "Tone,DtcsCode", "DTCS,024", "line 2: DtcsCode:"),
        Bad("rx dcs?", "Tone,CrossMode,RxDtcsCode", "Cross,->DTCS,8", "line 2: RxDtcsCode:"),
        Bad("cross?", "Tone,CrossMode", "Cross,DTCS->Foo", "line 2: CrossMode:"),
        Bad("cross ->", "Tone,CrossMode", "Cross,->", "line 2: CrossMode:"),
        Bad("polarity?", "Tone,DtcsCode,DtcsPolarity", "DTCS,023,NX", "line 2: DtcsPolarity:")));

INSTANTIATE_TEST_SUITE_P(
    ChoicesAndNames, CsvRowRules,
    testing::Values(
        Ok("NFM", "Mode", "NFM", With(true, true, false)), Bad("AM", "Mode", "AM", "line 2: Mode:"),
        Ok("skip", "Skip", "S", With(true, false, true)), Ok("priority", "Skip", "P", kSimplex),
        Ok("Low", "Power", "Low", With(false, true, true)),
        Ok("L", "Power", "L", With(false, true, true)), Ok("H", "Power", "H", kSimplex),
        Ok("0.5W", "Power", "0.5W", With(false, true, true)),
        Ok("1.9W", "Power", "1.9W", With(false, true, true)), Ok("2.0W", "Power", "2.0W", kSimplex),
        Ok("4W", "Power", "4W", kSimplex), Bad("Mid", "Power", "Mid", "line 2: Power:"),
        Ok("name", "Name", "\" A,\"\"B\"\"\"", With(true, true, true, " A,\"B\"")),
        RowCase{"long name", "Name", "REPEATER",
                "line 2: Name: 'REPEATER' is longer than 7 characters", false,
                With(true, true, true, "REPEATE")},
        Bad("utf-8 name", "Name", "Zürich", "line 2: Name:")));

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
    const std::string h = "Location,Frequency\n";
    const Case cases[] = {
        {"header case and order, missing columns",
         "frequency,NAME,location\r\n145.5,A,3\r\n\r\n433.0,B,4\r\n", {3, 4}, {}},
        {"BOM and unknown columns", "\xEF\xBB\xBFLocation,Colour,Frequency\n1,red,145.5\n", {1},
         {}},
        {"short row reads empty", "Location,Frequency,Mode\n1,145.5\n", {1}, {}},
        {"extra fields by position", "Location,Frequency,Comment\n1,145.5,a,b\n", {1},
         {"line 2: Comment"}},
        {"blank lines keep line numbers", "\n\n" + h + "\n 5 ,50\n", {}, {"line 5: Frequency"}},
        {"all-comma line is blank", h + ",\n2,145.5\n", {2}, {}},
        {"from zero", h + "1,145.5\n0,145.6\n255,145.7\n", {2, 1, 256}, {"line 3: Location"}},
        {"257", h + "257,145.5\n", {}, {"line 2: Location"}},
        {"from zero past the end", h + "0,145.5\n256,145.5\n", {1},
         {"line 2: Location", "line 3: Location"}},
        {"negative", h + "-1,145.5\n0,145.5\n", {}, {"line 2: Location", "line 3: Location"}},
        {"not a number", h + "A1,145.5\n", {}, {"line 2: Location"}},
        {"six digits", h + "000009,145.5\n", {9}, {}},
        {"used twice", h + "9,145.5\n9,145.6\n", {9}, {"line 3: Location"}},
        {"no Frequency column", "Location,Freq\n1,145.5\n", {}, {"line 1: Frequency"}, true},
        {"no Location column", "Name,Frequency\nA,145.5\n", {}, {"line 1: Location"}, true},
        {"empty file", "", {}, {"line 1: Location"}, true},
        {"header only", h, {}, {}},
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

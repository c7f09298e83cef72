// Writing channel lists, applying them through the grid, and the round trip between the two.
#include "core/interchange/channelcsv.h"

#include "core/image/channeltable.h"
#include "core/image/datafile.h"
#include "core/image/finalise.h"
#include "core/image/frequency.h"
#include "core/image/tone.h"
#include "core/interchange/csvtext.h"
#include "testimage.h"

#include <gtest/gtest.h>

#include <random>

namespace tarsel {
namespace {

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
    struct Case {
        std::vector<std::string> typed;
        const char* line;
    };
    const Case cases[] = {
        {{"145.5", "145.5", "无", "无", "高", "是", "宽", "CALL"},
         "1,CALL,145.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
        {{"145.775", "145.175", "无", "103.5", "低", "否", "窄", ""},
         "1,,145.775000,-,0.600000,Tone,103.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,S,1.0W,,,,,"},
        {{"439.1", "446.7", "123.0", "123.0"},
         "1,,439.100000,+,7.600000,TSQL,123.0,123.0,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
        {{"145.5", "435", "D754I", "D754N"},
         "1,,145.500000,split,435.000000,DTCS,88.5,88.5,754,NR,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
        {{"145.5", "145.5", "123.0", "100.0"},
         "1,,145.500000,,0.000000,Cross,100.0,123.0,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
        {{"145.5", "145.5", "D025I", "67.0"},
         "1,,145.500000,,0.000000,Cross,67.0,88.5,023,NR,025,Tone->DTCS,FM,5.00,,5.0W,,,,,"},
        {{"145.5", "145.5", "67.0", "D025I"},
         "1,,145.500000,,0.000000,Cross,88.5,67.0,025,RN,023,DTCS->Tone,FM,5.00,,5.0W,,,,,"},
        {{"145.5", "145.5", "D025N", "D023N"},
         "1,,145.500000,,0.000000,Cross,88.5,88.5,023,NN,025,DTCS->DTCS,FM,5.00,,5.0W,,,,,"},
        {{"145.5", "145.5", "无", "D023I"},
         "1,,145.500000,,0.000000,Cross,88.5,88.5,023,RN,023,DTCS->,FM,5.00,,5.0W,,,,,"},
        {{"145.5", "145.5", "88.5", "无"},
         "1,,145.500000,,0.000000,Cross,88.5,88.5,023,NN,023,->Tone,FM,5.00,,5.0W,,,,,"},
        {{"145.5", "145.5", "D023N", "无"},
         "1,,145.500000,,0.000000,Cross,88.5,88.5,023,NN,023,->DTCS,FM,5.00,,5.0W,,,,,"},
    };
    for (const Case& c : cases) {
        CMemoryImage image = BuildDefaultImage();
        Type(image, 1, c.typed);
        EXPECT_EQ(LineOf(image), c.line) << c.typed[0] << " " << c.typed.size();
    }
}

TEST(CsvWriter, HeaderOrderAndWhichChannels) {
    CMemoryImage image = BuildDefaultImage();
    Type(image, 200, {"439.0"});
    Type(image, 3, {"145.0"});
    Type(image, 257, {"145.5"});          // a VFO is no memory channel
    test::PutChannel(image, 9, 30000000); // in no band: the grid shows an empty row
    const std::string text = WriteChannelCsv(image, CBandLimits{});
    EXPECT_EQ(text.find('\r'), std::string::npos);
    const auto records = SplitCsvRecords(text);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].fields,
              std::vector<std::string>(CsvColumnNames().begin(), CsvColumnNames().end()));
    EXPECT_EQ(records[1].fields[0], "3");
    EXPECT_EQ(records[2].fields[0], "200");
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

TEST(CsvApply, ThroughTheGrid) {
    CMemoryImage image = BuildDefaultImage();
    Type(image, 1, {"145.5", "145.5", "无", "无", "高", "是", "宽", "OLD"});
    Type(image, 2, {"145.6"});
    const std::size_t one = RecordOffset(1);
    image[one + map::rec::kSignalling] = 0x05;
    image[one + map::rec::kFlags] |= map::rec::kFlagBusyCarrier;
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
    EXPECT_EQ(ChannelRowTexts(result, limits, 2)[kColumnRx], "145.60000");
    EXPECT_EQ(ChannelRowTexts(result, limits, 3)[kColumnBusyLock], "关");

    CCsvImportOptions clear;
    clear.clear = true;
    result = Imported(list, clear, image);
    EXPECT_TRUE(ChannelRowTexts(result, limits, 2).IsEmpty());
    EXPECT_EQ(ChannelRowTexts(result, limits, 1)[kColumnBusyLock], "关")
        << "a cleared channel starts from the default record";
    EXPECT_EQ(result[one + map::rec::kSignalling], 0x00);
}

TEST(CsvApply, AllOrNothingUnlessSkipping) {
    CMemoryImage image = BuildDefaultImage();
    Type(image, 5, {"145.5"});
    const std::string list = "Location,Frequency\n1,146.0\n2,999\n";
    struct Case {
        bool skipBad, clear, applied;
        bool channel1, channel5;
    };
    const Case cases[] = {
        {false, false, false, false, true},
        {false, true, false, false, true},
        {true, false, true, true, true},
        {true, true, true, true, false},
    };
    for (const Case& c : cases) {
        CCsvImportOptions options;
        options.skipBad = c.skipBad;
        options.clear = c.clear;
        bool applied = true;
        const CMemoryImage result = Imported(list, options, image, &applied);
        EXPECT_EQ(applied, c.applied);
        if (!c.applied) EXPECT_EQ(result, image);
        CBandLimits limits;
        EXPECT_EQ(!ChannelRowTexts(result, limits, 1).IsEmpty(), c.channel1);
        EXPECT_EQ(!ChannelRowTexts(result, limits, 5).IsEmpty(), c.channel5);
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
        CCsvImportOptions clear;
        clear.clear = true;
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

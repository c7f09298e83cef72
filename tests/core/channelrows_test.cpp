#include "core/document/channelrowedits.h"
#include "core/image/channelrecord.h"
#include "core/image/labels.h"
#include "testimage.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

using test::PutChannel;

// Channel c holds c × 25 kHz above 140 MHz (A) or 430 MHz (B), so records can be followed as
// they move.
CMemoryImage Numbered(int count = 256) {
    CMemoryImage image;
    for (int c = 1; c <= 256; ++c) WriteDefaultRecord(image, c);
    for (int c = 1; c <= count; ++c)
        PutChannel(image, c, (c <= 128 ? 14000000 : 43000000) + c * 2500);
    return image;
}

int Origin(const CMemoryImage& image, int channel) {
    if (IsEmptyRecord(image, channel)) return 0;
    const int64_t rx = ReceiveFrequency(image, channel);
    return static_cast<int>((rx - (rx < 43000000 ? 14000000 : 43000000)) / 2500);
}

TEST(ChannelRows, RefusedEditsChangeNothing_PasteMovesWholeRecordsAcrossHalves) {
    CMemoryImage full = Numbered();
    const CMemoryImage before = full;
    const std::vector<CChannelRecord> two = CopyRecords(full, std::vector{1, 2});
    const std::vector<int> withVfo{3, 257};
    EXPECT_FALSE(PasteRecords(full, 256, two));   // would run past 256
    EXPECT_FALSE(PasteRecords(full, 257, two));   // a VFO is no memory channel
    EXPECT_FALSE(InsertEmptyChannel(full, 5));    // A 128 is not empty
    EXPECT_FALSE(InsertEmptyChannel(full, 200));  // neither is B 128
    EXPECT_FALSE(ClearChannels(full, withVfo));
    EXPECT_FALSE(DeleteChannels(full, withVfo));
    EXPECT_FALSE(SortChannelsByReceive(full, withVfo));
    EXPECT_EQ(full, before);

    const auto records = CopyRecords(full, std::vector{127, 128, 257});
    ASSERT_TRUE(PasteRecords(full, 128, records));
    EXPECT_EQ(ReadRecord(full, 128), records[0]);
    EXPECT_EQ(ReadRecord(full, 129), records[1]); // an A record in the B half
    EXPECT_EQ(ReadRecord(full, 130), records[2]); // the VFO's record, copied like any other
    EXPECT_EQ(Origin(full, 131), 131);
}

TEST(ChannelRows, InsertAndDeleteShiftOnlyTheirHalf) {
    const struct {
        const char* name;
        std::vector<int> remove; // empty: insert at `at`
        int at;
        std::vector<std::pair<int, int>> expect; // channel -> origin (0: empty)
    } cases[] = {
        {"insert in A", {}, 10, {{9, 9}, {10, 0}, {11, 10}, {128, 127}, {129, 129}}},
        {"insert in B", {}, 129, {{128, 128}, {129, 0}, {130, 129}, {256, 255}}},
        {"delete in both halves", {2, 4, 130}, 0,
         {{1, 1}, {2, 3}, {3, 5}, {126, 128}, {127, 0}, {128, 0}, {129, 129}, {130, 131},
          {255, 256}, {256, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CMemoryImage image = Numbered();
        if (c.remove.empty()) {
            WriteDefaultRecord(image, LastOfHalf(c.at)); // room at the end of the half
            ASSERT_TRUE(InsertEmptyChannel(image, c.at));
        } else {
            ASSERT_TRUE(DeleteChannels(image, c.remove));
        }
        for (auto [channel, origin] : c.expect) EXPECT_EQ(Origin(image, channel), origin) << channel;
    }
}

TEST(ChannelRows, SortIsByReceiveStableWithEmptiesLast) {
    CMemoryImage image = Numbered(0);
    const int64_t rx[] = {43500000, 0, 14550000, 43500000, 14550000};
    for (int i = 0; i < 5; ++i) {
        if (rx[i]) PutChannel(image, 10 + i, rx[i]);
        image[RecordOffset(10 + i) + map::rec::kName] = static_cast<uint8_t>(10 + i);
    }
    const std::vector<int> selection{14, 10, 11, 12, 13};
    ASSERT_TRUE(SortChannelsByReceive(image, selection));
    const int expected[] = {12, 14, 10, 13, 11};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(image[RecordOffset(10 + i) + map::rec::kName], expected[i]) << i;
}

// The document-level commands: the grid's texts go into the records before they move, and come
// back out of them afterwards.
TEST(ChannelRowEdits, GridTextsTravelWithTheirRecords) {
    CDocument doc(Numbered(3));
    CChannelRow& row = doc.Table().Row(2);
    CommitCellEdit(row, 2, kColumnPower, "低", doc.Limits(), doc.Image());
    const CChannelRow edited = row;
    ASSERT_EQ(PasteChannelRecords(doc, 200, CopyChannelRecords(doc, std::vector{2})),
              ERowEditOutcome::Done);
    EXPECT_EQ(doc.Table().Row(200), edited);

    ASSERT_EQ(DeleteChannelRows(doc, std::vector{1}), ERowEditOutcome::Done);
    EXPECT_EQ(doc.Table().Row(1), edited);
    EXPECT_TRUE(doc.Table().Row(128).IsEmpty());
}

TEST(ChannelRowEdits, SpreadsheetTextIsCommittedAsTyped) {
    CDocument doc(Numbered(0));
    const std::string text =
        "A 050\t145.0031\t145.6\t88.5\t23\t低\t否\t窄\t载波\tRPT 1\n" // with its label
        "430.01\t\t\t\tHigh\n"                                  // no label, a foreign choice
        "\r\n";
    ASSERT_EQ(PasteChannelText(doc, 5, text), ERowEditOutcome::Done);
    const CChannelRow& first = doc.Table().Row(5);
    EXPECT_EQ(first[kColumnRx], "145.00000"); // snapped as the grid snaps a typed frequency
    EXPECT_EQ(first[kColumnTx], "145.60000");
    EXPECT_EQ(first[kColumnTxTone], "D023N");
    EXPECT_EQ(first[kColumnPower], "低");
    EXPECT_EQ(first[kColumnBusyLock], "载波");
    EXPECT_EQ(first[kColumnName], "RPT 1");
    const CChannelRow& second = doc.Table().Row(6);
    EXPECT_EQ(second[kColumnRx], "430.01000");
    EXPECT_EQ(second[kColumnPower], "高"); // "High" is not in the list: the new row's default stays
    EXPECT_TRUE(doc.Table().Row(7).IsEmpty());

    const CDocumentContent before = doc.Content();
    EXPECT_EQ(PasteChannelText(doc, 256, text), ERowEditOutcome::PastLastChannel);
    EXPECT_EQ(PasteChannelText(doc, 258, text), ERowEditOutcome::NotMemoryChannels);
    EXPECT_EQ(doc.Content(), before);
}

TEST(ChannelRowEdits, CopyTextMatchesTheChannelsCommandAndRecordsRoundTrip) {
    CDocument doc(Numbered(2));
    const std::string text = ChannelRowsText(doc.Table(), std::vector{1, 257});
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "A 001\t140.02500\t\t无\t无\t高\t是\t宽\t关\t");
    EXPECT_EQ(text.substr(text.find('\n') + 1), std::string("A VFO") + std::string(9, '\t') + "\n");

    const auto records = CopyChannelRecords(doc, std::vector{1, 2});
    EXPECT_EQ(RecordsFromBytes(RecordsToBytes(records)), records);
    EXPECT_FALSE(RecordsFromBytes(std::string(33, 'x')));
    EXPECT_FALSE(RecordsFromBytes(""));
}

TEST(Document, ModifiedFollowsTheSavedState) {
    CDocument doc(Numbered(4));
    EXPECT_FALSE(doc.IsModified());
    const CDocumentContent original = doc.Content();
    CommitCellEdit(doc.Table().Row(1), 1, kColumnScan, "否", doc.Limits(), doc.Image());
    EXPECT_TRUE(doc.IsModified());
    doc.Restore(original);
    EXPECT_FALSE(doc.IsModified());
    doc.Parse(); // a parse alone is no change
    EXPECT_FALSE(doc.IsModified());
}

} // namespace
} // namespace tarsel

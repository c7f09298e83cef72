// The grid's table: texts filled from the records, edits committed, rows parsed back, and the
// row commands that move whole records.
#include "core/image/channeltable.h"

#include "core/document/channelrowedits.h"
#include "core/image/channelrecord.h"
#include "core/image/datafile.h"
#include "core/image/finalise.h"
#include "core/image/gridnavigation.h"
#include "core/image/labels.h"
#include "testimage.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

using test::PutChannel;
using test::Record;

CChannelRow Row(std::vector<std::string> cells) {
    CChannelRow row;
    for (std::size_t i = 0; i < cells.size(); ++i) row.cells[i] = cells[i];
    return row;
}

// Band B moved to 350-390 MHz; the blank A pair keeps the values in memory.
TEST(ChannelTable, FillTextsAndBandLimits_ParseEndsWithTheFinalisation) {
    CMemoryImage image = BuildDefaultImage();
    test::PutFrequency(image, 0x2E18, 35000000);
    test::PutFrequency(image, 0x2E1C, 39000000);
    PutChannel(image, 1, 14512500, 14512500);
    image[8] = 0x85, image[9] = 0x08;   // 88.5
    image[10] = 0x23, image[11] = 0x80; // D023N
    image[13] = 0xF8;                   // high, scan, wide, lock value 3
    PutChannel(image, 2, 36012500);     // no transmit frequency
    image[RecordOffset(2) + 13] = 0x40; // low, no scan, narrow, carrier
    PutChannel(image, 3, 30000000);     // in no band: blank row
    PutChannel(image, 4, 14500000, 0);  // transmit top byte 00: no transmit text
    image[RecordOffset(4) + 13] = 0x80;
    // Names show printable text up to the first other byte; an empty row shows none.
    const std::pair<std::array<uint8_t, 7>, const char*> names[] = {
        {{'R', 'P', 'T', '1', 0xFF, 0xFF, 0xFF}, "RPT1"},
        {{'A', 'B', 'C', 'D', 'E', 'F', 'G'}, "ABCDEFG"},
        {{'A', 0x00, 'C', 0xFF, 0xFF, 0xFF, 0xFF}, "A"},
        {{0x7F, 'B', 'C', 'D', 'E', 'F', 'G'}, ""},
        {{' ', '~', 0x1F, 'x', 'x', 'x', 'x'}, " ~"},
    };
    for (int i = 0; i < 5; ++i) {
        PutChannel(image, 10 + i, 14500000, 14500000);
        for (std::size_t k = 0; k < 7; ++k)
            image[RecordOffset(10 + i) + map::rec::kName + k] =
                image[RecordOffset(20 + i) + map::rec::kName + k] = names[i].first[k];
    }
    const CMemoryImage before = image;
    CBandLimits limits;
    CChannelTable table;
    FillChannelTable(image, limits, table);
    EXPECT_EQ(limits, (CBandLimits{{13600000, 35000000}, {17400000, 39000000}}));
    EXPECT_EQ(table.Row(1), Row({"145.12500", "145.12500", "88.5", "D023N", "高", "是", "宽", ""}));
    EXPECT_EQ(table.Row(2), Row({"360.12500", "", "无", "无", "低", "否", "窄", "载波"}));
    EXPECT_EQ(table.Row(3), CChannelRow{});
    EXPECT_EQ(table.Row(4)[kColumnTx], "");
    EXPECT_EQ(table.Row(4)[kColumnBusyLock], "QT/DQT");
    EXPECT_EQ(table.Row(5), CChannelRow{});
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(table.Row(10 + i)[kColumnName], names[i].second);
        EXPECT_EQ(table.Row(20 + i)[kColumnName], "");
    }
    // Channel 252's shift bytes hold the fixed block; the parse leaves name bytes the grid cannot
    // show.
    table.Row(252) = Row({"360.00000", "370.00000", "无", "无", "高", "是", "宽", "关"});
    ParseChannelTable(table, limits, kProgramVariant, image);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Record(image, 10 + i), Record(before, 10 + i)) << i;
    EXPECT_EQ(test::Bytes(image, 0x1F70, 8),
              (std::vector<uint8_t>{0xB0, 0x01, 0x04, 0x0A, 0x08, 0x02, 0x88, 0xAA}));
}

// The shift the parse derives from the two frequencies, whatever direction the record held. A
// transmit frequency in no band keeps its shift only while the offset bytes hold an offset the
// radio could use; otherwise (an erased field, say) the channel becomes simplex.
TEST(ChannelTable, ParseShiftRules) {
    const struct {
        const char *rx, *tx;
        int64_t held, txStored; // an empty transmit cell erases the field
        uint8_t direction;
        int64_t offset;
    } cases[] = {
        {"145.00000", "145.60000", 1000000, 14560000, 2, 60000},
        {"145.60000", "145.00000", 1000000, 14500000, 1, 60000},
        {"145.00000", "", 1000000, 166666665, 0, 1000000},
        {"145.00000", "145.00000", 1000000, 14500000, 0, 1000000},
        {"145.00000", "435.00000", 1000000, 43500000, 0, 1000000},
        {"145.00000", "300.00000", 1000000, 30000000, 2, 1000000},
        {"145.00000", "300.00000", 9999500, 30000000, 2, 9999500},
        {"145.00000", "300.00000", 9999501, 14500000, 0, 1000000},
        {"145.00000", "300.00000", 166666665, 14500000, 0, 1000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.rx) + " " + c.tx + " " + std::to_string(c.held));
        CMemoryImage image = BuildDefaultImage();
        const std::size_t base = RecordOffset(1);
        test::PutFrequency(image, base + 16, c.held);
        image[base + 15] = 3; // no direction the parse writes
        ParseChannelRow(Row({c.rx, c.tx, "无", "无", "高", "是", "宽", "关"}), 1, {}, image);
        EXPECT_EQ(DecodeFrequencyField(image.Field<4>(base + 4)), c.txStored);
        EXPECT_EQ(image[base + 15], c.direction);
        EXPECT_EQ(DecodeFrequencyField(image.Field<4>(base + 16)), c.offset);
    }
}

TEST(ChannelTable, ParseFlagsAndTones) {
    CMemoryImage image = BuildDefaultImage();
    image[13] = 0x07; // PTT ID and VOX bits belong to the channel dialog: kept
    image[12] = 0x25;
    image[24] = 'N';
    ParseChannelRow(Row({"145.00000", "", "88.5", "D754I", "低", "否", "窄", "QT/DQT"}), 1, {},
                    image);
    auto record = Record(image, 1);
    EXPECT_EQ(std::vector<uint8_t>(record.begin() + 8, record.begin() + 14),
              (std::vector<uint8_t>{0x85, 0x08, 0x54, 0xC7, 0x25, 0x87}));
    EXPECT_EQ(record[24], 'N');
    // Texts outside the lists: power low, scan and bandwidth untouched, no lock.
    image[13] = 0x38 | 0xC0;
    ParseChannelRow(Row({"145.00000", "", "", "无", "x", "?", "?", "?"}), 1, {}, image);
    record = Record(image, 1);
    EXPECT_EQ(record[13], 0x28);
    EXPECT_EQ(record[9], 0xFF) << "an empty tone cell means no tone";
}

// A fill and parse moves no byte outside the channels and settings it maps, and a second one moves
// none at all.
TEST(ChannelTable, NormaliseIsIdempotentAndLeavesUnmappedBytes) {
    for (unsigned seed = 0; seed < 50; ++seed) {
        CMemoryImage image = seed % 2 ? test::RandomImage(seed) : BuildDefaultImage();
        if (seed % 2 == 0)
            for (int channel = 1; channel <= 258; channel += 7)
                PutChannel(image, channel, 13600000 + channel * 12500,
                           channel % 3 ? 43000000 + channel * 625 : -1);
        const CMemoryImage before = image;
        CBandLimits limits;
        NormaliseThroughTable(image, limits);
        for (std::size_t i = 0x2051; i < 0x2E00; ++i) ASSERT_EQ(image[i], before[i]) << i;
        for (std::size_t i = 0x3000; i < 0x3EB0; ++i) ASSERT_EQ(image[i], before[i]) << i;
        // Garbage band limits of nine digits lose their top digit when stored, so the first pass
        // over garbage may still move; from the second pass on nothing does.
        if (seed % 2) NormaliseThroughTable(image, limits);
        const CMemoryImage once = image;
        NormaliseThroughTable(image, limits);
        ASSERT_EQ(image, once) << "seed " << seed;
    }
}

const std::vector<std::string> kFull = {"145.00000", "145.00000", "88.5", "无",
                                        "低",        "否",        "窄",   "载波"};
const std::vector<std::string> kNew = {"136.00000", "136.00000", "无", "无",
                                       "高",        "是",        "宽", "关"};

// kFull with the receive and transmit cells replaced.
std::vector<std::string> Full(const char* rx, const char* tx) {
    auto cells = kFull;
    cells[0] = rx;
    cells[1] = tx;
    return cells;
}

TEST(ChannelTable, FrequencyCommits) {
    const std::tuple<int, int, std::vector<std::string>, const char*, std::vector<std::string>>
        cases[] = {
        // Out of band on an empty row: the first band's low limit and the new-row texts.
        {1, 1, {}, "100", kNew}, {1, 1, {}, "1e9", kNew}, {1, 1, {}, "-145", kNew},
        {1, 1, kFull, "145.0101", Full("145.01000", "145.00000")},
        {1, 1, kFull, "145.00625", Full("145.00625", "145.00000")},
        {1, 1, kFull, "145.0025", Full("145.00250", "145.00000")},
        {1, 1, kFull, "0", {}}, {1, 1, kFull, "", {}}, {1, 1, kFull, ".", {}},
        {1, 2, kFull, "0", kFull}, {1, 2, kFull, "", kFull}, {1, 2, {}, "145", {}},
        {1, 2, kFull, "435", Full("145.00000", "435.00000")},
        {1, 1, kFull, "435", Full("435.00000", "145.00000")},
        // The VFOs keep both frequencies in one band.
        {257, 1, kFull, "435.00000", Full("435.00000", "435.00000")},
        {258, 2, kFull, "435", Full("435.00000", "435.00000")},
        {257, 1, kFull, "146", Full("146.00000", "145.00000")},
        {257, 2, kFull, "0", kFull}, {257, 2, kFull, "", kFull},
        // A VFO with no transmit text: 0 is in no band, so the transmit follows.
        {257, 1, {"145.00000", "", "无", "无", "高", "是", "宽", "关"}, "146",
         {"146.00000", "146.00000", "无", "无", "高", "是", "宽", "关"}},
    };
    for (const auto& [channel, column, before, typed, after] : cases) {
        CChannelRow row = Row(before);
        CMemoryImage image = BuildDefaultImage();
        CommitFrequencyEdit(row, channel, column, typed, CBandLimits{}, image);
        EXPECT_EQ(row, Row(after)) << channel << " " << column << " " << typed;
    }
    // The first receive frequency of an empty row resets its record; later ones leave it for the
    // parse. With no band configured an out-of-band value is kept.
    CMemoryImage image = test::RandomImage(4), expected = image;
    WriteDefaultRecord(expected, 7);
    CChannelRow row;
    CommitFrequencyEdit(row, 7, kColumnRx, "145", CBandLimits{}, image);
    EXPECT_EQ(image, expected);
    CommitFrequencyEdit(row, 7, kColumnRx, "146.0101", CBandLimits{{0, 0}, {0, 0}}, image);
    EXPECT_EQ(row[kColumnRx], "146.01000");
    EXPECT_EQ(image, expected);
}

TEST(ChannelTable, ToneAndChoiceCommits) {
    const std::tuple<std::vector<std::string>, int, const char*, const char*> cases[] = {
        {kFull, 3, "d23i", "D023I"}, {kFull, 4, "300.0", "无"},
        {kFull, 3, "300", "D300N"},  {kFull, 3, "", "无"},
        {{}, 3, "88.5", ""},         {kFull, 5, "高", "高"},
        {{}, 6, "是", ""},           {kFull, 8, "QT/DQT", "QT/DQT"},
    };
    for (const auto& [before, column, typed, shown] : cases) {
        CChannelRow row = Row(before);
        if (column <= kColumnTxTone)
            CommitToneEdit(row, column, typed);
        else
            CommitChoiceEdit(row, column, typed);
        EXPECT_EQ(row[column], shown) << typed;
    }
    // An empty row edits its receive cell first.
    EXPECT_EQ(EditColumn(CChannelRow{}, kColumnRxTone), kColumnRx);
    EXPECT_EQ(EditColumn(Row(kFull), kColumnRxTone), kColumnRxTone);
}

TEST(ChannelName, CommitTakesPrintableAsciiUpToSeven_KeptUntilTheReceiveFrequencyGoes) {
    CMemoryImage image = BuildDefaultImage();
    CBandLimits limits;
    CChannelTable table;
    FillChannelTable(image, limits, table);
    CChannelRow& row = table.Row(10);
    CommitCellEdit(row, 10, kColumnName, "EARLY", limits, image);
    EXPECT_EQ(row.name, "") << "an empty row takes no name";
    CommitCellEdit(row, 10, kColumnRx, "145.5", limits, image);
    const std::pair<const char*, const char*> cases[] = {
        {"CALL", "CALL"}, {"ABCDEFGHIJ", "ABCDEFG"}, {"A\tB\x01" "C", "ABC"}, {"名称AB", "AB"},
        {"", ""},         {"HOME", "HOME"}};
    for (const auto& [typed, kept] : cases) {
        CommitCellEdit(row, 10, kColumnName, typed, limits, image);
        EXPECT_EQ(row.name, kept) << typed;
        EXPECT_EQ(ChannelName(image, 10), kept) << typed;
        // The bytes after the name are 0xFF, as the radio expects.
        const std::size_t end = RecordOffset(10) + map::rec::kName + map::rec::kNameLength;
        for (std::size_t at = RecordOffset(10) + map::rec::kName + row.name.size(); at < end; ++at)
            EXPECT_EQ(image[at], 0xFF) << typed;
    }
    CommitCellEdit(row, 10, kColumnRx, "145.6", limits, image);
    EXPECT_EQ(row.name, "HOME");
    ParseChannelTable(table, limits, kProgramVariant, image);
    EXPECT_EQ(ChannelRowTexts(image, limits, 10).name, "HOME");

    CommitCellEdit(row, 10, kColumnRx, "", limits, image);
    EXPECT_EQ(row.name, "");
    ParseChannelTable(table, limits, kProgramVariant, image);
    EXPECT_EQ(ChannelName(image, 10), "");
}

// The keys the grid handles itself; the name is the last column.
TEST(GridNavigation, MovesWrapRowsAndStopAtTheEdges) {
    const std::tuple<CGridCell (*)(CGridCell), CGridCell, CGridCell> cases[] = {
        {MoveRight, {4, kColumnBusyLock}, {4, kColumnName}}, {MoveRight, {4, kColumnName}, {5, 1}},
        {MoveRight, {258, kColumnName}, {258, kColumnName}}, {MoveLeft, {5, 1}, {4, kColumnName}},
        {MoveLeft, {1, 1}, {1, 1}}, {MoveDown, {4, 3}, {5, 3}}, {MoveDown, {258, 3}, {258, 3}},
        {MoveUp, {4, 3}, {3, 3}}, {MoveUp, {1, 3}, {1, 3}}};
    for (const auto& [move, from, to] : cases)
        EXPECT_EQ(move(from), to) << from.row << "," << from.column;
    EXPECT_EQ(AfterFrequencyEnter({4, 1}, true), (CGridCell{5, 1}));
    EXPECT_EQ(AfterFrequencyEnter({4, 1}, false), (CGridCell{4, 2}));
}



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
        for (auto [at, origin] : c.expect) EXPECT_EQ(Origin(image, at), origin) << at;
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

// The document-level commands: the copied text matches the channels command; the grid's texts go
// into the records before they move, and come back out of them afterwards. A parse is no change.
TEST(ChannelRowEdits, CopyPasteDeleteAndTheModifiedState) {
    CDocument doc(Numbered(3));
    const std::string text = ChannelRowsText(doc.Table(), std::vector{1, 257});
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "A 001\t140.02500\t\t无\t无\t高\t是\t宽\t关\t");
    EXPECT_EQ(text.substr(text.find('\n') + 1), std::string("A VFO") + std::string(9, '\t') + "\n");

    const auto records = CopyChannelRecords(doc, std::vector{1, 2});
    EXPECT_EQ(RecordsFromBytes(RecordsToBytes(records)), records);
    EXPECT_FALSE(RecordsFromBytes(std::string(33, 'x')));
    EXPECT_FALSE(RecordsFromBytes(""));

    EXPECT_FALSE(doc.IsModified());
    const CDocumentContent original = doc.Content();
    CChannelRow& row = doc.Table().Row(2);
    CommitCellEdit(row, 2, kColumnPower, "低", doc.Limits(), doc.Image());
    EXPECT_TRUE(doc.IsModified());
    const CChannelRow edited = row;
    ASSERT_EQ(PasteChannelRecords(doc, 200, CopyChannelRecords(doc, std::vector{2})),
              ERowEditOutcome::Done);
    EXPECT_EQ(doc.Table().Row(200), edited);

    ASSERT_EQ(DeleteChannelRows(doc, std::vector{1}), ERowEditOutcome::Done);
    EXPECT_EQ(doc.Table().Row(1), edited);
    EXPECT_TRUE(doc.Table().Row(128).IsEmpty());
    doc.Restore(original);
    EXPECT_FALSE(doc.IsModified());
    doc.Parse();
    EXPECT_FALSE(doc.IsModified());
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

} // namespace
} // namespace tarsel

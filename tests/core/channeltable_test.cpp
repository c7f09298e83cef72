// The grid's table: texts filled from the records, edits committed, rows parsed back.
#include "core/image/channeltable.h"

#include "core/image/datafile.h"
#include "core/image/finalise.h"
#include "core/image/gridnavigation.h"
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
    // Channel 252's shift bytes hold the fixed block.
    table.Row(252) = Row({"360.00000", "370.00000", "无", "无", "高", "是", "宽", "关"});
    ParseChannelTable(table, limits, kProgramVariant, image);
    EXPECT_EQ(test::Bytes(image, 0x1F70, 8),
              (std::vector<uint8_t>{0xB0, 0x01, 0x04, 0x0A, 0x08, 0x02, 0x88, 0xAA}));
}

// Parses one row into channel 1 of a copy of the image and returns the record.
std::vector<uint8_t> ParsedRecord(const CChannelRow& row, CMemoryImage image) {
    ParseChannelRow(row, 1, CBandLimits{}, image);
    return Record(image, 1);
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
    auto record =
        ParsedRecord(Row({"145.00000", "", "88.5", "D754I", "低", "否", "窄", "QT/DQT"}), image);
    EXPECT_EQ(std::vector<uint8_t>(record.begin() + 8, record.begin() + 14),
              (std::vector<uint8_t>{0x85, 0x08, 0x54, 0xC7, 0x25, 0x87}));
    EXPECT_EQ(record[24], 'N');
    // Texts outside the lists: power low, scan and bandwidth untouched, no lock.
    image[13] = 0x38 | 0xC0;
    record = ParsedRecord(Row({"145.00000", "", "", "无", "x", "?", "?", "?"}), image);
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
    const struct {
        int channel, column;
        std::vector<std::string> before;
        const char* typed;
        std::vector<std::string> after;
    } cases[] = {
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
    for (const auto& c : cases) {
        CChannelRow row = Row(c.before);
        CMemoryImage image = BuildDefaultImage();
        CommitFrequencyEdit(row, c.channel, c.column, c.typed, CBandLimits{}, image);
        EXPECT_EQ(row, Row(c.after)) << c.channel << " " << c.column << " " << c.typed;
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
    const struct {
        std::vector<std::string> before;
        int column;
        const char* typed;
        const char* shown;
    } cases[] = {
        {kFull, 3, "d23i", "D023I"}, {kFull, 4, "300.0", "无"},
        {kFull, 3, "300", "D300N"},  {kFull, 3, "", "无"},
        {{}, 3, "88.5", ""},         {kFull, 5, "高", "高"},
        {{}, 6, "是", ""},           {kFull, 8, "QT/DQT", "QT/DQT"},
    };
    for (const auto& c : cases) {
        CChannelRow row = Row(c.before);
        if (c.column <= kColumnTxTone)
            CommitToneEdit(row, c.column, c.typed);
        else
            CommitChoiceEdit(row, c.column, c.typed);
        EXPECT_EQ(row[c.column], c.shown) << c.typed;
    }
    // An empty row edits its receive cell first.
    EXPECT_EQ(EditColumn(CChannelRow{}, kColumnRxTone), kColumnRx);
    EXPECT_EQ(EditColumn(Row(kFull), kColumnRxTone), kColumnRxTone);
}

// The name column: filled from the record, committed into it, kept through edits.
void PutName(CMemoryImage& image, int channel, std::initializer_list<uint8_t> bytes) {
    test::PutBytes(image, RecordOffset(channel) + map::rec::kName, bytes);
}

// An empty row shows no name, whatever its bytes; the parse leaves the bytes the grid cannot show.
TEST(ChannelName, FillShowsPrintableTextUpToTheFirstOtherByte) {
    // An aggregate, so that each list's bytes live as long as the table (a pair would not keep
    // them).
    const struct {
        std::initializer_list<uint8_t> bytes;
        const char* shown;
    } cases[] = {
        {{'R', 'P', 'T', '1', 0xFF, 0xFF, 0xFF}, "RPT1"},
        {{'A', 'B', 'C', 'D', 'E', 'F', 'G'}, "ABCDEFG"},
        {{'A', 0x00, 'C', 0xFF, 0xFF, 0xFF, 0xFF}, "A"},
        {{0x7F, 'B', 'C', 'D', 'E', 'F', 'G'}, ""},
        {{' ', '~', 0x1F, 'x', 'x', 'x', 'x'}, " ~"},
    };
    for (const auto& [bytes, shown] : cases) {
        CMemoryImage image = BuildDefaultImage();
        PutChannel(image, 5, 14500000, 14500000);
        PutName(image, 5, bytes);
        PutName(image, 7, bytes);
        CBandLimits limits;
        CChannelTable table;
        FillChannelTable(image, limits, table);
        EXPECT_EQ(table.Row(5)[kColumnName], shown);
        EXPECT_EQ(table.Row(7)[kColumnName], "");
        const auto record = Record(image, 5);
        NormaliseThroughTable(image, limits);
        EXPECT_EQ(Record(image, 5), record) << shown;
    }
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
    const struct {
        CGridCell (*move)(CGridCell);
        CGridCell from, to;
    } cases[] = {
        {MoveRight, {4, kColumnBusyLock}, {4, kColumnName}},
        {MoveRight, {4, kColumnName}, {5, 1}},
        {MoveRight, {258, kColumnName}, {258, kColumnName}},
        {MoveLeft, {5, 1}, {4, kColumnName}},
        {MoveLeft, {1, 1}, {1, 1}},
        {MoveDown, {4, 3}, {5, 3}},
        {MoveDown, {258, 3}, {258, 3}},
        {MoveUp, {4, 3}, {3, 3}},
        {MoveUp, {1, 3}, {1, 3}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.move(c.from), c.to) << c.from.row << "," << c.from.column;
    EXPECT_EQ(AfterFrequencyEnter({4, 1}, true), (CGridCell{5, 1}));
    EXPECT_EQ(AfterFrequencyEnter({4, 1}, false), (CGridCell{4, 2}));
}

} // namespace
} // namespace tarsel

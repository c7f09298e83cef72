// The name column of the grid: filled from the record, committed into it, kept through edits.
#include "core/image/channeltable.h"

#include "core/image/datafile.h"
#include "core/image/finalise.h"
#include "core/image/gridnavigation.h"
#include "testimage.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

void PutName(CMemoryImage& image, int channel, std::initializer_list<uint8_t> bytes) {
    test::PutBytes(image, RecordOffset(channel) + map::rec::kName, bytes);
}

// An empty row shows no name, whatever its bytes.
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
        test::PutChannel(image, 5, 14500000, 14500000);
        PutName(image, 5, bytes);
        PutName(image, 7, bytes);
        CBandLimits limits;
        CChannelTable table;
        FillChannelTable(image, limits, table);
        EXPECT_EQ(table.Row(5)[kColumnName], shown);
        EXPECT_EQ(table.Row(7)[kColumnName], "");
    }
}

TEST(ChannelName, CommitTakesPrintableAsciiUpToSeven) {
    struct Case {
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {
        {"CALL", "CALL"},
        {"ABCDEFGHIJ", "ABCDEFG"},
        {"A\tB\x01"
         "C",
         "ABC"},
        {"名称AB", "AB"},
        {"", ""},
    };
    for (const Case& c : cases) {
        CMemoryImage image = BuildDefaultImage();
        CBandLimits limits;
        CChannelTable table;
        FillChannelTable(image, limits, table);
        CChannelRow& row = table.Row(3);
        CommitCellEdit(row, 3, kColumnRx, "145.5", limits, image);
        CommitCellEdit(row, 3, kColumnName, c.typed, limits, image);
        EXPECT_EQ(row.name, c.kept) << c.typed;
        EXPECT_EQ(ChannelName(image, 3), c.kept) << c.typed;
        // The bytes after the name are 0xFF, as the radio expects.
        const std::size_t end = RecordOffset(3) + map::rec::kName + map::rec::kNameLength;
        for (std::size_t at = RecordOffset(3) + map::rec::kName + row.name.size(); at < end; ++at)
            EXPECT_EQ(image[at], 0xFF) << c.typed;
    }
}

TEST(ChannelName, KeptThroughAReceiveChangeAndTheParse_GoneWithTheReceiveFrequency) {
    CMemoryImage image = BuildDefaultImage();
    CBandLimits limits;
    CChannelTable table;
    FillChannelTable(image, limits, table);
    CChannelRow& row = table.Row(10);
    CommitCellEdit(row, 10, kColumnName, "EARLY", limits, image);
    EXPECT_EQ(row.name, "") << "an empty row takes no name";
    CommitCellEdit(row, 10, kColumnRx, "145.5", limits, image);
    CommitCellEdit(row, 10, kColumnName, "HOME", limits, image);
    CommitCellEdit(row, 10, kColumnRx, "145.6", limits, image);
    EXPECT_EQ(row.name, "HOME");
    ParseChannelTable(table, limits, kProgramVariant, image);
    EXPECT_EQ(ChannelRowTexts(image, limits, 10).name, "HOME");

    CommitCellEdit(row, 10, kColumnRx, "", limits, image);
    EXPECT_EQ(row.name, "");
    ParseChannelTable(table, limits, kProgramVariant, image);
    EXPECT_EQ(ChannelName(image, 10), "");
}

TEST(ChannelName, ParseLeavesNameBytesTheGridCannotShow) {
    CMemoryImage image = BuildDefaultImage();
    test::PutChannel(image, 2, 43500000, 43500000);
    PutName(image, 2, {'A', 0x01, 'Z', 'Z', 'Z', 'Z', 'Z'});
    const CMemoryImage before = image;
    CBandLimits limits;
    NormaliseThroughTable(image, limits);
    EXPECT_TRUE(std::equal(before.Bytes().begin() + RecordOffset(2),
                           before.Bytes().begin() + RecordOffset(3),
                           image.Bytes().begin() + RecordOffset(2)));
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

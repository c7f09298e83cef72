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

TEST(ChannelName, FillShowsPrintableTextUpToTheFirstOtherByte) {
    struct Case {
        std::initializer_list<uint8_t> bytes;
        const char* shown;
    };
    const Case cases[] = {
        {{'R', 'P', 'T', '1', 0xFF, 0xFF, 0xFF}, "RPT1"},
        {{'A', 'B', 'C', 'D', 'E', 'F', 'G'}, "ABCDEFG"},
        {{'A', 0x00, 'C', 0xFF, 0xFF, 0xFF, 0xFF}, "A"},
        {{0x7F, 'B', 'C', 'D', 'E', 'F', 'G'}, ""},
        {{' ', '~', 0x1F, 'x', 'x', 'x', 'x'}, " ~"},
    };
    for (const Case& c : cases) {
        CMemoryImage image = BuildDefaultImage();
        test::PutChannel(image, 5, 14500000, 14500000);
        PutName(image, 5, c.bytes);
        CBandLimits limits;
        CChannelTable table;
        FillChannelTable(image, limits, table);
        EXPECT_EQ(table.Row(5)[kColumnName], c.shown);
    }
}

TEST(ChannelName, EmptyRowShowsNoNameWhateverTheBytes) {
    CMemoryImage image = BuildDefaultImage();
    PutName(image, 7, {'G', 'H', 'O', 'S', 'T', 0xFF, 0xFF});
    CBandLimits limits;
    EXPECT_EQ(ChannelRowTexts(image, limits, 7).name, "");
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

TEST(ChannelName, NavigationTreatsTheNameAsTheLastColumn) {
    EXPECT_EQ(MoveRight({4, kColumnBusyLock}), (CGridCell{4, kColumnName}));
    EXPECT_EQ(MoveRight({4, kColumnName}), (CGridCell{5, 1}));
    EXPECT_EQ(MoveLeft({5, 1}), (CGridCell{4, kColumnName}));
    EXPECT_EQ(MoveRight({258, kColumnName}), (CGridCell{258, kColumnName}));
    EXPECT_EQ(std::string(ChannelColumnTitles()[kColumnName - 1]), "名称");
}

} // namespace
} // namespace tarsel

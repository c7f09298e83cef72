// The channel grid's texts without a window: nine cells for each of the 258 channels, filled from
// the image, parsed back into it, and edited cell by cell as the grid's in-place editors do.
#pragma once

#include "core/image/bands.h"
#include "core/image/memoryimage.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace tarsel {

enum EChannelColumn {
    kColumnRx = 1,
    kColumnTx = 2,
    kColumnRxTone = 3,
    kColumnTxTone = 4,
    kColumnPower = 5,
    kColumnScan = 6,
    kColumnBandwidth = 7,
    kColumnBusyLock = 8,
    kColumnName = 9,
};
inline constexpr int kChannelColumns = 9;
// Columns 1..8 are parsed back into the record; the name goes into it when it is committed, so a
// name byte the grid cannot show (past an unprintable one) survives an open and save.
inline constexpr int kParsedColumns = 8;

// Column titles of the header row, columns 1..9.
const std::array<const char*, kChannelColumns>& ChannelColumnTitles();

// The entries of the choice editor for columns 5..8; empty for other columns.
std::span<const char* const> ChoiceEntries(int column);

// Texts of one row's data cells, addressed by grid column 1..9.
struct CChannelRow {
    std::array<std::string, kParsedColumns> cells; // columns 1..8
    std::string name;                              // column 9
    std::string& operator[](int column) {
        return column == kColumnName ? name : cells[static_cast<std::size_t>(column - 1)];
    }
    const std::string& operator[](int column) const {
        return column == kColumnName ? name : cells[static_cast<std::size_t>(column - 1)];
    }
    bool IsEmpty() const { return cells[0].empty(); }
    friend bool operator==(const CChannelRow&, const CChannelRow&) = default;
};

// All 258 rows; row r shows channel r.
struct CChannelTable {
    std::array<CChannelRow, map::kChannelCount> rows;
    CChannelRow& Row(int channel) { return rows[static_cast<std::size_t>(channel - 1)]; }
    const CChannelRow& Row(int channel) const {
        return rows[static_cast<std::size_t>(channel - 1)];
    }
    friend bool operator==(const CChannelTable&, const CChannelTable&) = default;
};

// One channel's texts; all empty when the record is empty or its receive frequency is in no band.
CChannelRow ChannelRowTexts(const CMemoryImage& image, const CBandLimits& limits, int channel);

// Loads the band limits from the image (a blank pair keeps the current ones), then every row.
void FillChannelTable(const CMemoryImage& image, CBandLimits& limits, CChannelTable& table);

// Writes one row's texts into its record, deriving the shift.
void ParseChannelRow(const CChannelRow& row, int channel, const CBandLimits& limits,
                     CMemoryImage& image);

// Every row, then the finalisation.
void ParseChannelTable(const CChannelTable& table, const CBandLimits& limits, int variantEntry,
                       CMemoryImage& image);

// The column an edit really opens on: a row without a receive frequency starts there.
int EditColumn(const CChannelRow& row, int column);

// What the frequency editor's commit does with a typed text on column 1 or 2: forced into a band,
// snapped onto the raster, the VFO rows keeping both frequencies in one band. A row that gets its
// first receive frequency also has its record reset to the default record at once.
void CommitFrequencyEdit(CChannelRow& row, int channel, int column, std::string_view text,
                         const CBandLimits& limits, CMemoryImage& image);

// The tone editor's commit on column 3 or 4: the tone normalisation; an emptied entry means no
// tone and shows "无".
void CommitToneEdit(CChannelRow& row, int column, std::string_view text);

// The choice editor's commit on columns 5..8.
void CommitChoiceEdit(CChannelRow& row, int column, std::string_view text);

// The name editor's commit on column 9: printable ASCII only, 7 characters at most, written into
// the record at once. An empty row takes no name.
void CommitNameEdit(CChannelRow& row, int channel, std::string_view text, CMemoryImage& image);

// Commits text into a cell with the editor of its column.
void CommitCellEdit(CChannelRow& row, int channel, int column, std::string_view text,
                    const CBandLimits& limits, CMemoryImage& image);

} // namespace tarsel

namespace tarsel {

// What the program does to an image it opened and saves with no edit: fill the grid from it, parse
// the grid back (with the finalisation of the program's variant).
void NormaliseThroughTable(CMemoryImage& image, CBandLimits& limits);

} // namespace tarsel

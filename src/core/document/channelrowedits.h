// The channel-row commands of a document: copy, cut, paste (records or spreadsheet text), clear,
// insert, delete and sort. The grid's texts are the current copy of the eight channel columns,
// so each command parses the rows it touches into the image first, moves whole records there and
// refills those rows afterwards. A refused command changes nothing.
#pragma once

#include "core/document/document.h"
#include "core/image/channelrows.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

enum class ERowEditOutcome {
    Done,
    NotMemoryChannels, // a VFO row (or no row) in an operation on memory channels
    PastLastChannel,   // a paste would run past channel 256
    HalfFull,          // an insert would push a channel out of its half
    NothingToPaste,
};

// The records of these rows as they would be saved now (the grid's texts parsed into them).
std::vector<CChannelRecord> CopyChannelRecords(const CDocument& doc, std::span<const int> channels);

// The same rows as spreadsheet text: one line per channel, its grid label and its cells separated
// by TAB, as `tarsel-cli channels --names` prints them.
std::string ChannelRowsText(const CChannelTable& table, std::span<const int> channels);

ERowEditOutcome PasteChannelRecords(CDocument& doc, int first, std::span<const CChannelRecord> records);

// Lines of TAB-separated cells in the grid's column order, with or without the label cell, from
// channel `first` on. Each cell is committed as if it were typed or picked in the grid, so a
// frequency is corrected the same way; a cell a choice list does not hold is left alone.
ERowEditOutcome PasteChannelText(CDocument& doc, int first, std::string_view text);

ERowEditOutcome ClearChannelRows(CDocument& doc, std::span<const int> channels);
ERowEditOutcome InsertEmptyChannelRow(CDocument& doc, int channel);
ERowEditOutcome DeleteChannelRows(CDocument& doc, std::span<const int> channels);
ERowEditOutcome SortChannelRowsByReceive(CDocument& doc, std::span<const int> channels);

// Records as clipboard bytes (32 each, concatenated) and back; nothing when the length is not a
// whole number of records.
std::string RecordsToBytes(std::span<const CChannelRecord> records);
std::optional<std::vector<CChannelRecord>> RecordsFromBytes(std::string_view bytes);

} // namespace tarsel

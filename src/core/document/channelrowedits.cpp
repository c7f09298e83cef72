#include "core/document/channelrowedits.h"

#include "core/image/labels.h"

#include <algorithm>
#include <cctype>
#include <functional>

namespace tarsel {

namespace {

constexpr int kLastMemory = 2 * map::kMemoriesPerBand;

// Parses rows first..last into the image, lets edit move records there, and refills those rows
// from the image only when it went through.
ERowEditOutcome EditRecords(CDocument& doc, int first, int last, ERowEditOutcome refusal,
                            const std::function<bool(CMemoryImage&)>& edit) {
    CMemoryImage image = doc.Image();
    for (int c = first; c <= last; ++c) ParseChannelRow(doc.Table().Row(c), c, doc.Limits(), image);
    if (!edit(image)) return refusal;
    doc.Image() = image;
    for (int c = first; c <= last; ++c) doc.Table().Row(c) = ChannelRowTexts(image, doc.Limits(), c);
    return ERowEditOutcome::Done;
}

bool AllMemory(std::span<const int> channels) {
    return !channels.empty() && std::all_of(channels.begin(), channels.end(), IsMemoryChannel);
}

std::vector<std::string> SplitCells(std::string_view line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        cells.emplace_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) return cells;
        start = tab + 1;
    }
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty()) lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// A spreadsheet line starts with the row label when its first cell begins with a letter: no
// frequency does.
bool StartsWithLabel(const std::vector<std::string>& cells) {
    return !cells.empty() && !cells[0].empty() &&
           std::isalpha(static_cast<unsigned char>(cells[0][0]));
}

bool IsChoiceOf(int column, std::string_view text) {
    const auto entries = ChoiceEntries(column);
    return std::find(entries.begin(), entries.end(), text) != entries.end();
}

} // namespace

std::vector<CChannelRecord> CopyChannelRecords(const CDocument& doc, std::span<const int> channels) {
    return CopyRecords(doc.Parsed(), channels);
}

std::string ChannelRowsText(const CChannelTable& table, std::span<const int> channels) {
    std::string text;
    for (int channel : channels) {
        text += GridLabel(channel);
        for (int column = 1; column <= kChannelColumns; ++column)
            text += '\t' + table.Row(channel)[column];
        text += '\n';
    }
    return text;
}

ERowEditOutcome PasteChannelRecords(CDocument& doc, int first,
                                    std::span<const CChannelRecord> records) {
    if (records.empty()) return ERowEditOutcome::NothingToPaste;
    if (!IsMemoryChannel(first)) return ERowEditOutcome::NotMemoryChannels;
    const int last = first + static_cast<int>(records.size()) - 1;
    if (last > kLastMemory) return ERowEditOutcome::PastLastChannel;
    return EditRecords(doc, first, last, ERowEditOutcome::PastLastChannel,
                       [&](CMemoryImage& image) { return PasteRecords(image, first, records); });
}

ERowEditOutcome PasteChannelText(CDocument& doc, int first, std::string_view text) {
    const auto lines = SplitLines(text);
    if (lines.empty()) return ERowEditOutcome::NothingToPaste;
    if (!IsMemoryChannel(first)) return ERowEditOutcome::NotMemoryChannels;
    if (first + static_cast<int>(lines.size()) - 1 > kLastMemory)
        return ERowEditOutcome::PastLastChannel;
    int channel = first;
    for (std::string_view line : lines) {
        auto cells = SplitCells(line);
        if (StartsWithLabel(cells)) cells.erase(cells.begin());
        CChannelRow& row = doc.Table().Row(channel);
        const int columns = std::min(static_cast<int>(cells.size()), kChannelColumns);
        for (int column = 1; column <= columns; ++column) {
            const std::string& cell = cells[static_cast<std::size_t>(column - 1)];
            if (!ChoiceEntries(column).empty() && !IsChoiceOf(column, cell)) continue;
            CommitCellEdit(row, channel, column, cell, doc.Limits(), doc.Image());
        }
        ++channel;
    }
    return ERowEditOutcome::Done;
}

ERowEditOutcome ClearChannelRows(CDocument& doc, std::span<const int> channels) {
    if (!AllMemory(channels)) return ERowEditOutcome::NotMemoryChannels;
    const auto [low, high] = std::minmax_element(channels.begin(), channels.end());
    return EditRecords(doc, *low, *high, ERowEditOutcome::NotMemoryChannels,
                       [&](CMemoryImage& image) { return ClearChannels(image, channels); });
}

ERowEditOutcome InsertEmptyChannelRow(CDocument& doc, int channel) {
    if (!IsMemoryChannel(channel)) return ERowEditOutcome::NotMemoryChannels;
    return EditRecords(doc, channel, LastOfHalf(channel), ERowEditOutcome::HalfFull,
                       [&](CMemoryImage& image) { return InsertEmptyChannel(image, channel); });
}

ERowEditOutcome DeleteChannelRows(CDocument& doc, std::span<const int> channels) {
    if (!AllMemory(channels)) return ERowEditOutcome::NotMemoryChannels;
    const auto [low, high] = std::minmax_element(channels.begin(), channels.end());
    return EditRecords(doc, *low, LastOfHalf(*high), ERowEditOutcome::NotMemoryChannels,
                       [&](CMemoryImage& image) { return DeleteChannels(image, channels); });
}

ERowEditOutcome SortChannelRowsByReceive(CDocument& doc, std::span<const int> channels) {
    if (!AllMemory(channels)) return ERowEditOutcome::NotMemoryChannels;
    const auto [low, high] = std::minmax_element(channels.begin(), channels.end());
    return EditRecords(doc, *low, *high, ERowEditOutcome::NotMemoryChannels,
                       [&](CMemoryImage& image) { return SortChannelsByReceive(image, channels); });
}

std::string RecordsToBytes(std::span<const CChannelRecord> records) {
    std::string bytes;
    for (const auto& record : records) bytes.append(record.begin(), record.end());
    return bytes;
}

std::optional<std::vector<CChannelRecord>> RecordsFromBytes(std::string_view bytes) {
    if (bytes.empty() || bytes.size() % map::kChannelRecordSize != 0) return std::nullopt;
    std::vector<CChannelRecord> records(bytes.size() / map::kChannelRecordSize);
    for (std::size_t i = 0; i < records.size(); ++i)
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(i * map::kChannelRecordSize),
                    map::kChannelRecordSize, records[i].begin());
    return records;
}

} // namespace tarsel

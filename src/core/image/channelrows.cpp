#include "core/image/channelrows.h"

#include "core/image/channelrecord.h"

#include <algorithm>
#include <set>

namespace tarsel {

namespace {

constexpr int kLastMemory = 2 * map::kMemoriesPerBand;

bool AllMemoryChannels(std::span<const int> channels) {
    return std::all_of(channels.begin(), channels.end(), IsMemoryChannel);
}

CChannelRecord EmptyRecord() {
    CMemoryImage scratch;
    WriteDefaultRecord(scratch, 1);
    return ReadRecord(scratch, 1);
}

} // namespace

bool IsMemoryChannel(int channel) { return channel >= 1 && channel <= kLastMemory; }

int FirstOfHalf(int channel) { return channel < map::kFirstBMemory ? 1 : map::kFirstBMemory; }

int LastOfHalf(int channel) {
    return channel < map::kFirstBMemory ? map::kFirstBMemory - 1 : kLastMemory;
}

CChannelRecord ReadRecord(const CMemoryImage& image, int channel) {
    CChannelRecord record;
    const auto bytes = image.Stretch(RecordOffset(channel), record.size());
    std::copy(bytes.begin(), bytes.end(), record.begin());
    return record;
}

void WriteRecord(CMemoryImage& image, int channel, const CChannelRecord& record) {
    std::copy(record.begin(), record.end(), image.Stretch(RecordOffset(channel), record.size()).begin());
}

std::vector<CChannelRecord> CopyRecords(const CMemoryImage& image, std::span<const int> channels) {
    std::vector<CChannelRecord> records;
    records.reserve(channels.size());
    for (int channel : channels)
        if (channel >= 1 && channel <= map::kChannelCount) records.push_back(ReadRecord(image, channel));
    return records;
}

bool PasteRecords(CMemoryImage& image, int first, std::span<const CChannelRecord> records) {
    if (!IsMemoryChannel(first) || first + static_cast<int>(records.size()) - 1 > kLastMemory)
        return false;
    for (std::size_t i = 0; i < records.size(); ++i)
        WriteRecord(image, first + static_cast<int>(i), records[i]);
    return true;
}

bool ClearChannels(CMemoryImage& image, std::span<const int> channels) {
    if (!AllMemoryChannels(channels)) return false;
    for (int channel : channels) WriteDefaultRecord(image, channel);
    return true;
}

bool InsertEmptyChannel(CMemoryImage& image, int channel) {
    if (!IsMemoryChannel(channel) || !IsEmptyRecord(image, LastOfHalf(channel))) return false;
    for (int c = LastOfHalf(channel); c > channel; --c) WriteRecord(image, c, ReadRecord(image, c - 1));
    WriteDefaultRecord(image, channel);
    return true;
}

bool DeleteChannels(CMemoryImage& image, std::span<const int> channels) {
    if (!AllMemoryChannels(channels)) return false;
    const std::set<int> removed(channels.begin(), channels.end());
    for (int first : {1, static_cast<int>(map::kFirstBMemory)}) {
        std::vector<CChannelRecord> kept;
        for (int c = first; c <= LastOfHalf(first); ++c)
            if (!removed.contains(c)) kept.push_back(ReadRecord(image, c));
        kept.resize(static_cast<std::size_t>(map::kMemoriesPerBand), EmptyRecord());
        for (std::size_t i = 0; i < kept.size(); ++i)
            WriteRecord(image, first + static_cast<int>(i), kept[i]);
    }
    return true;
}

bool SortChannelsByReceive(CMemoryImage& image, std::span<const int> channels) {
    if (!AllMemoryChannels(channels)) return false;
    const std::set<int> unique(channels.begin(), channels.end());
    const std::vector<int> places(unique.begin(), unique.end());
    struct CEntry {
        bool empty;
        int64_t rx;
        CChannelRecord record;
    };
    std::vector<CEntry> entries;
    for (int c : places) entries.push_back({IsEmptyRecord(image, c), ReceiveFrequency(image, c), ReadRecord(image, c)});
    std::stable_sort(entries.begin(), entries.end(), [](const CEntry& a, const CEntry& b) {
        if (a.empty != b.empty) return b.empty;
        return !a.empty && a.rx < b.rx;
    });
    for (std::size_t i = 0; i < places.size(); ++i) WriteRecord(image, places[i], entries[i].record);
    return true;
}

} // namespace tarsel

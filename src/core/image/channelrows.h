// Whole channel records moved between memory channels: what copy, paste, clear, insert, delete and
// sort do to the image. Records move whole (name and option bytes included), and the A memories
// (1..128) and the B memories (129..256) are two separate lists: an insert or a delete shifts the
// channels of its own half only. The VFO records are never touched here.
#pragma once

#include "core/image/memoryimage.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tarsel {

using CChannelRecord = std::array<uint8_t, map::kChannelRecordSize>;

bool IsMemoryChannel(int channel);
// The first and last channel of the half that holds a memory channel.
int FirstOfHalf(int channel);
int LastOfHalf(int channel);

CChannelRecord ReadRecord(const CMemoryImage& image, int channel);
void WriteRecord(CMemoryImage& image, int channel, const CChannelRecord& record);

// The records of these channels, in the order given (VFO records included: copying is harmless).
std::vector<CChannelRecord> CopyRecords(const CMemoryImage& image, std::span<const int> channels);

// Writes the records into consecutive memory channels from first on; an A record may land in the
// B half and the other way. False, and nothing written, when first is not a memory channel or the
// records would run past channel 256.
bool PasteRecords(CMemoryImage& image, int first, std::span<const CChannelRecord> records);

// The empty record in each of these memory channels. False, and nothing changed, when one of them
// is not a memory channel.
bool ClearChannels(CMemoryImage& image, std::span<const int> channels);

// An empty channel at `channel`, the following channels of its half one further down. False, and
// nothing changed, when the half's last channel is not empty (it would be pushed out) or channel
// is not a memory channel.
bool InsertEmptyChannel(CMemoryImage& image, int channel);

// Removes these memory channels; the rest of each half moves up and empty channels fill its end.
bool DeleteChannels(CMemoryImage& image, std::span<const int> channels);

// The records of these memory channels reordered by receive frequency, empty ones last, equal
// ones in their old order, and written back into the same channels in channel order.
bool SortChannelsByReceive(CMemoryImage& image, std::span<const int> channels);

} // namespace tarsel

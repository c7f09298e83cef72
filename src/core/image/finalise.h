// The blocks of the image that nobody edits: recomputed from the channel table, the band limits
// and fixed tables before every save and every write, so the radio finds them consistent.
#pragma once

#include "core/image/bands.h"
#include "core/image/memoryimage.h"

namespace tarsel {

// The variant list of the channel view: entry 0 "4617HE", entry 1 "4617N". The program always
// runs with entry 1 selected.
inline constexpr int kVariantHE = 0;
inline constexpr int kVariantN = 1;
inline constexpr int kProgramVariant = kVariantN;

// The variant block, then the derived channel blocks. A negative entry (no selection) counts as 0.
void FinaliseImage(CMemoryImage& image, const CBandLimits& limits, int variantEntry);

// The derived calibration tables alone: the level table, then the calibration frequencies of the
// three hardware ranges and the power slopes computed from the power rows as the image holds them.
void WriteLevelTable(CMemoryImage& image);
void WriteCalibrationTables(CMemoryImage& image, const CBandLimits& limits);

// Present: the record's receive frequency lies in one of the two bands.
bool IsPresentMemory(const CMemoryImage& image, const CBandLimits& limits, int channel);

} // namespace tarsel

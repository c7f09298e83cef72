// The model dialog ("机型信息") without its window: the model text and the two band limit pairs in
// whole MHz, corrected when a field is left and stored when the dialog closes.
#pragma once

#include "core/image/bands.h"
#include "core/image/formfield.h"
#include "core/image/memoryimage.h"

#include <string>

namespace tarsel {

// The dialog's controls: 1037 the model (read-only), then 1038..1041 the limits A low, A high,
// B low, B high. Three digits are what can be typed; a longer value read from an image is still
// shown whole.
std::span<const CFormField> ModelFieldTable();

// Where the form keeps what the control with this id shows (an empty slot for none).
struct CModelFields;
CFieldSlot ModelSlot(CModelFields& fields, int controlId);

struct CModelFields {
    std::string model; // read-only
    std::string aLow, aHigh, bLow, bHigh;
    friend bool operator==(const CModelFields&, const CModelFields&) = default;
};

// Limits shown as limit / 100000 (whole MHz, truncated).
CModelFields LoadModelFields(const CBandLimits& limits, const std::string& modelText);

// On leaving one field of a pair: an out-of-range or reversed pair is pulled into the hardware
// range of the field just edited, and nonsense falls back to 136 / 174.
void NormaliseBandPair(std::string& lower, std::string& upper, bool lowerEdited);

// On closing, whatever closed it: both pairs as if their lower field had been left, then the four
// limits set and stored into the image.
void StoreModelFields(CModelFields& fields, CBandLimits& limits, CMemoryImage& image);

} // namespace tarsel

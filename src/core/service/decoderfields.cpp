#include "core/service/decoderfields.h"

#include "core/service/hexnumber.h"

#include <algorithm>

namespace tarsel {

namespace {

std::size_t EntryOffset(int k) {
    return map::kDtmfDecoder + static_cast<std::size_t>(kDecoderEntrySize * k);
}

} // namespace

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string NormaliseDecoderValue(std::string_view text) {
    return NumberText(std::clamp<int64_t>(LeadingNumber(text, 16), 0, kDecoderMaximum), 16);
}

std::string StepDecoderValue(std::string_view text, int step) {
    const int64_t value = LeadingNumber(text, 16) + step;
    if (value < 0 || value > kDecoderMaximum) return NumberText(step < 1 ? kDecoderMaximum : 0, 16);
    return NumberText(value, 16);
}

CDecoderFields LoadDecoderFields(const CMemoryImage& image) {
    CDecoderFields fields;
    for (int k = 0; k < kDecoderEntryCount; ++k) {
        const std::size_t value = EntryOffset(k) + 2;
        fields[k] = NumberText(image[value] << 8 | image[value + 1], 16);
    }
    NormaliseDecoderFields(fields);
    return fields;
}

void NormaliseDecoderFields(CDecoderFields& fields) {
    for (std::string& field : fields) field = NormaliseDecoderValue(field);
}

void StoreDecoderFields(CDecoderFields& fields, CMemoryImage& image) {
    NormaliseDecoderFields(fields);
    for (int k = 0; k < kDecoderEntryCount; ++k) {
        const std::size_t entry = EntryOffset(k);
        image[entry] = kDecoderEntries[k].header[0];
        image[entry + 1] = kDecoderEntries[k].header[1];
    }
    for (int k = 0; k < kDecoderEntryCount; ++k) {
        const auto value = static_cast<uint16_t>(LeadingNumber(fields[k], 16));
        image[EntryOffset(k) + 2] = static_cast<uint8_t>(value >> 8);
        image[EntryOffset(k) + 3] = static_cast<uint8_t>(value);
    }
}

} // namespace tarsel

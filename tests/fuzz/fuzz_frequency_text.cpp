// Frequency texts: parsing, the decimal scaling, and the grid's commit of a typed frequency.
#include "core/image/channeltable.h"
#include "core/image/decimal.h"
#include "core/image/frequency.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace tarsel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int64_t value = ParseFrequencyText(text);
    // A displayed frequency reads back to itself.
    if (value >= 0 && value < 1000000000000LL && ParseFrequencyText(FrequencyText(value)) != value)
        std::abort();
    // The exact shortcut for plain decimals agrees with the way through a double.
    for (int power : {0, 1, 5, 9})
        if (ScaleText(text, power) != ScaleToInteger(ReadDouble(text), power)) std::abort();
    CMemoryImage image;
    CChannelRow row;
    for (int column : {kColumnRx, kColumnTx})
        CommitFrequencyEdit(row, size % 2 ? 1 : 257, column, text, {}, image);
    return 0;
}

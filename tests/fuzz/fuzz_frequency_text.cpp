// Frequency texts: parsing, the decimal scaling, and the grid's commit of a typed frequency.
#include "core/image/channeltable.h"
#include "core/image/decimal.h"
#include "core/image/frequency.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int64_t value = tarsel::ParseFrequencyText(text);
    // A displayed frequency reads back to itself.
    if (value >= 0 && value < 1000000000000LL &&
        tarsel::ParseFrequencyText(tarsel::FrequencyText(value)) != value)
        std::abort();
    // The exact shortcut for plain decimals agrees with the way through a double.
    for (int power : {0, 1, 5, 9})
        if (tarsel::ScaleText(text, power) !=
            tarsel::ScaleToInteger(tarsel::ReadDouble(text), power))
            std::abort();
    tarsel::CMemoryImage image;
    tarsel::CChannelRow row;
    for (int column : {tarsel::kColumnRx, tarsel::kColumnTx})
        tarsel::CommitFrequencyEdit(row, size % 2 ? 1 : 257, column, text, {}, image);
    return 0;
}

#include "core/service/calibrationfields.h"

#include "core/image/finalise.h"
#include "core/service/decoderfields.h"
#include "core/service/hexnumber.h"

#include <algorithm>

namespace tarsel {

namespace {

std::string BandPrefix(int32_t low, int32_t high) {
    return std::to_string(low / 100000) + "-" + std::to_string(high / 100000);
}

void AddBandRows(CCalibrationLayout& layout, int range, const std::string& prefix) {
    for (std::size_t g = 0; g < kCalibrationGrids.size(); ++g) {
        const CCalibrationGrid& grid = kCalibrationGrids[g];
        for (int row = 0; row < grid.rowsPerBand; ++row) {
            const auto address = static_cast<uint16_t>(grid.firstRow + grid.rangeStride * range +
                                                       grid.rowStride * row);
            layout.rows[g].push_back({prefix + grid.rowTexts[row], address});
        }
    }
}

int64_t Clamp(int64_t value, int minimum, int maximum) {
    return std::clamp<int64_t>(value, minimum, maximum);
}

std::string Wrap(int64_t value, int minimum, int maximum, int base) {
    if (value > maximum) value = minimum;
    if (value < minimum) value = maximum;
    return NumberText(value, base);
}

int ReadField(const CCalibrationField& field, const CMemoryImage& image) {
    const uint8_t byte = image[field.offset];
    const int word = byte | image[field.offset + 1] << 8;
    switch (field.encoding) {
    case EFieldEncoding::HighNibble:
        return byte >> 4;
    case EFieldEncoding::LowNibble:
        return byte & 0x0F;
    case EFieldEncoding::DeviationWord:
        return word >> 6;
    case EFieldEncoding::Word:
        return word;
    case EFieldEncoding::Byte:
        break;
    }
    return byte;
}

void WriteField(const CCalibrationField& field, int64_t value, CMemoryImage& image) {
    uint8_t& byte = image[field.offset];
    const auto low = static_cast<uint8_t>(value);
    auto putWord = [&](uint16_t word) {
        image[field.offset] = static_cast<uint8_t>(word);
        image[field.offset + 1] = static_cast<uint8_t>(word >> 8);
    };
    switch (field.encoding) {
    case EFieldEncoding::HighNibble:
        byte = static_cast<uint8_t>((byte & 0x0F) | (low & 0x0F) << 4);
        break;
    case EFieldEncoding::LowNibble:
        byte = static_cast<uint8_t>((byte & 0xF0) | (low & 0x0F));
        break;
    case EFieldEncoding::DeviationWord:
        putWord(static_cast<uint16_t>(value * 64));
        break;
    case EFieldEncoding::Word:
        putWord(static_cast<uint16_t>(value));
        break;
    case EFieldEncoding::Byte:
        byte = low;
        break;
    }
}

// Grids 1130 and 1153 go in before the derived tables, which read the power rows; 1160 after.
void StoreGrid(const CCalibrationFields& fields, int g, CMemoryImage& image) {
    const auto& rows = fields.layout.rows[g];
    for (std::size_t r = 0; r < rows.size() && r < fields.cells[g].size(); ++r) {
        const auto& cells = fields.cells[g][r];
        for (std::size_t c = 0; c < cells.size(); ++c)
            image[rows[r].address + c] = static_cast<uint8_t>(LeadingNumber(cells[c], 10));
    }
}

} // namespace

CCalibrationLayout DecideCalibrationLayout(const CBandLimits& limits) {
    CCalibrationLayout layout;
    const int rangeA = HardwareRangeOf(limits.low[0]);
    const int rangeB = HardwareRangeOf(limits.low[1]);
    if (rangeA != -1 && rangeB != -1 && rangeA != rangeB) {
        layout.dual = true;
        AddBandRows(layout, rangeA, BandPrefix(limits.low[0], limits.high[0]));
        AddBandRows(layout, rangeB, BandPrefix(limits.low[1], limits.high[1]));
        return layout;
    }
    // An A band outside every hardware range has no calibration rows to show.
    if (rangeA == -1) return layout;
    AddBandRows(layout, rangeA,
                BandPrefix(std::min(limits.low[0], limits.low[1]),
                           std::max(limits.high[0], limits.high[1])));
    return layout;
}

CCalibrationFields LoadFields(const CMemoryImage& image, const CBandLimits& limits) {
    CCalibrationFields fields;
    fields.layout = DecideCalibrationLayout(limits);
    for (std::size_t g = 0; g < kCalibrationGrids.size(); ++g) {
        const CCalibrationGrid& grid = kCalibrationGrids[g];
        for (const CGridRow& row : fields.layout.rows[g]) {
            std::vector<std::string> cells;
            for (int c = 0; c < grid.columns; ++c) {
                int value = image[row.address + c];
                // What the radio cannot hold shows as the nearest thing it can.
                if (value > grid.maximum) value = 0;
                if (value < grid.minimum) value = grid.minimum;
                cells.push_back(std::to_string(value));
            }
            fields.cells[g].push_back(std::move(cells));
        }
    }
    for (std::size_t i = 0; i < kCalibrationFields.size(); ++i)
        fields.numbers[i] =
            NumberText(ReadField(kCalibrationFields[i], image), kCalibrationFields[i].base);
    for (std::size_t i = 0; i < kCalibrationChecks.size(); ++i) {
        const CCalibrationCheck& check = kCalibrationChecks[i];
        const bool set = (image[check.offset] >> check.bit) & 1;
        fields.checks[i] = set != check.inverted;
    }
    ValidateFields(fields);
    return fields;
}

void ValidateFields(CCalibrationFields& fields) {
    for (std::size_t i = 0; i < kCalibrationFields.size(); ++i)
        if (kCalibrationFields[i].validated)
            fields.numbers[i] = NormaliseFieldText(kCalibrationFields[i], fields.numbers[i]);
}

void StoreFields(CCalibrationFields& fields, const CBandLimits& limits, CMemoryImage& image) {
    ValidateFields(fields);
    WriteLevelTable(image);
    StoreGrid(fields, kSquelchLevelGrid, image);
    StoreGrid(fields, kPowerGrid, image);
    WriteCalibrationTables(image, limits);
    StoreGrid(fields, kSquelchDetectGrid, image);
    for (std::size_t i = 0; i < kCalibrationFields.size(); ++i) {
        const CCalibrationField& field = kCalibrationFields[i];
        WriteField(field, LeadingNumber(fields.numbers[i], field.base), image);
    }
    for (std::size_t i = 0; i < kCalibrationChecks.size(); ++i) {
        const CCalibrationCheck& check = kCalibrationChecks[i];
        const auto mask = static_cast<uint8_t>(1u << check.bit);
        if (fields.checks[i] != check.inverted)
            image[check.offset] |= mask;
        else
            image[check.offset] &= static_cast<uint8_t>(~mask);
    }
}

std::string NormaliseFieldText(const CCalibrationField& field, std::string_view text) {
    return NumberText(Clamp(LeadingNumber(text, field.base), field.minimum, field.maximum),
                      field.base);
}

std::string StepFieldText(const CCalibrationField& field, std::string_view text, int step) {
    return Wrap(LeadingNumber(text, field.base) + step, field.minimum, field.maximum, field.base);
}

std::string NormaliseCellText(const CCalibrationGrid& grid, std::string_view text) {
    return NumberText(Clamp(LeadingNumber(text, 10), grid.minimum, grid.maximum), 10);
}

std::string StepCellText(const CCalibrationGrid& grid, std::string_view text, int step) {
    return Wrap(LeadingNumber(text, 10) + step, grid.minimum, grid.maximum, 10);
}

bool AcceptsFieldKey(const CCalibrationField& field, char c) {
    return field.base == 16 ? IsHexDigit(c) : (c >= '0' && c <= '9');
}

bool AcceptsCellKey(char c) { return (c >= '0' && c <= '9') || c == '-'; }

} // namespace tarsel

// The parameter adjustment window's form: what its grids, fields and boxes show, loaded from and
// stored into the calibration region, and the corrections the controls apply.
#pragma once

#include "core/image/bands.h"
#include "core/image/memoryimage.h"
#include "core/service/calibrationtable.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

struct CGridRow {
    std::string label; // "136-174 sql 1"
    uint16_t address;  // of the byte under the first data column
};

// The rows of the three grids for some band limits: one band's rows, or the A band's then the
// B band's when the two lower limits lie in different hardware ranges.
struct CCalibrationLayout {
    bool dual = false;
    std::array<std::vector<CGridRow>, 3> rows;
};

CCalibrationLayout DecideCalibrationLayout(const CBandLimits& limits);

struct CCalibrationFields {
    CCalibrationLayout layout;
    // Per grid, per data row, per data column: the cell's text.
    std::array<std::vector<std::vector<std::string>>, 3> cells;
    std::array<std::string, kCalibrationFields.size()> numbers; // in kCalibrationFields order
    std::array<bool, kCalibrationChecks.size()> checks{};
};

// The grids laid out for limits and filled from the image, the fields and boxes, then validated.
CCalibrationFields LoadFields(const CMemoryImage& image, const CBandLimits& limits);
// Clamps every validated field into its range.
void ValidateFields(CCalibrationFields& fields);
// Validates, then writes the grids, the fields, the boxes and the derived calibration tables. The
// band limits are those the layout was made for; they also place the calibration frequencies.
void StoreFields(CCalibrationFields& fields, const CBandLimits& limits, CMemoryImage& image);

// Leaving a field: its number (leading digits in its base, empty as 0) clamped to its range.
std::string NormaliseFieldText(const CCalibrationField& field, std::string_view text);
// One up/down click: past either end to the far end.
std::string StepFieldText(const CCalibrationField& field, std::string_view text, int step);
// The same for a grid's in-place editor, always decimal.
std::string NormaliseCellText(const CCalibrationGrid& grid, std::string_view text);
std::string StepCellText(const CCalibrationGrid& grid, std::string_view text, int step);

// Typing: the decimal fields take digits, the grid editors digits and "-", the hexadecimal fields
// hexadecimal digits.
bool AcceptsFieldKey(const CCalibrationField& field, char c);
bool AcceptsCellKey(char c);

} // namespace tarsel

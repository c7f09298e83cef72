// What a form's control is, as a row of a table: the desktop and the web page both build their
// controls from these rows, so a field added here appears on both.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarsel {

// Which typed characters an edit takes (any edit takes printable ASCII only).
enum class EKeyRule { Printable, Decimal, Dtmf, Frequency };

// The character as the edit takes it (DTMF letters in upper case), or nothing when it refuses it.
std::optional<char> AcceptKey(EKeyRule rule, char c);

enum class EFieldKind {
    List,   // a drop-down list of entries
    Edit,   // a one-line edit; read-only when it has no maxLength
    Column, // a column of a small grid, one edit per row (FM presets, auto-dial codes)
    Button, // a push button of the form's own (ANI 呼叫)
};

using CStepRule = std::string (*)(std::string_view text, int step);
using CLeaveRule = std::string (*)(std::string_view text);

struct CFormField {
    int controlId;
    const char* caption;
    EFieldKind kind;
    std::span<const char* const> entries = {}; // List
    int maxLength = 0;                         // Edit, Column
    EKeyRule keys = EKeyRule::Printable;
    // Up/down buttons beside the edit, a control of their own: one click (+1 or -1).
    CStepRule step = nullptr;
    int stepId = 0;
    // The text's correction when the edit is left (a column's: when a cell's edit is committed).
    // Corrections that look at more than the one text belong to the form's own functions.
    CLeaveRule leave = nullptr;
    bool hidden = false; // kept, loaded and stored, never shown
    int rows = 0;        // Column
    // Column: the title of its row numbers and the number of its first row.
    const char* numberTitle = nullptr;
    int firstNumber = 1;
};

// Where a form keeps what one control shows: a list's selected index, an edit's text or a
// column's texts. Both faces move values between their controls and the form's struct through it.
struct CFieldSlot {
    int* list = nullptr;
    std::string* edit = nullptr;
    std::span<std::string> column = {};
};

// The row of the table with this control id, or nullptr.
const CFormField* FindFormField(std::span<const CFormField> table, int controlId);

} // namespace tarsel

// What a form's control is, as a row of a table: the desktop and the web page both build their
// controls from these rows, so a field added here appears on both.
#pragma once

#include <optional>
#include <span>

namespace tarsel {

// Which typed characters an edit takes (any edit takes printable ASCII only).
enum class EKeyRule { Printable, Decimal, Dtmf, Frequency };

// The character as the edit takes it (DTMF letters in upper case), or nothing when it refuses it.
std::optional<char> AcceptKey(EKeyRule rule, char c);

enum class EFieldKind {
    List,   // a drop-down list of entries
    Edit,   // a one-line edit
    Column, // a column of a small grid, one edit per row (FM presets, auto-dial codes)
    Button, // a push button of the form's own (ANI 呼叫)
};

struct CFormField {
    int controlId;
    const char* caption;
    EFieldKind kind;
    std::span<const char* const> entries = {}; // List
    int maxLength = 0;                         // Edit, Column
    EKeyRule keys = EKeyRule::Printable;
    bool stepped = false; // up/down buttons beside the edit
    bool hidden = false;  // kept, loaded and stored, never shown
    int rows = 0;         // Column
};

} // namespace tarsel

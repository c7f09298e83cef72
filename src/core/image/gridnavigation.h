// How the current cell of the channel grid moves on the keys the view handles itself.
#pragma once

namespace tarsel {

// Row 1..258 (channel), column 1..8 (data cells; column 0 holds the labels and is never current).
struct CGridCell {
    int row = 1;
    int column = 1;
    friend bool operator==(const CGridCell&, const CGridCell&) = default;
};

// Right arrow: past the last column onto the first column of the next row; stays at the very end.
CGridCell MoveRight(CGridCell cell);
// Left arrow: before the first column onto the last column of the previous row; stays at the start.
CGridCell MoveLeft(CGridCell cell);
CGridCell MoveDown(CGridCell cell);
CGridCell MoveUp(CGridCell cell);

// Enter in the frequency editor: down when the editor was left empty, else right.
CGridCell AfterFrequencyEnter(CGridCell cell, bool editorTextEmpty);

// Only digits, the point and backspace reach the frequency editor.
bool IsFrequencyEditorChar(char c);

} // namespace tarsel

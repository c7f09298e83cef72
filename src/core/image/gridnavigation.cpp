#include "core/image/gridnavigation.h"

#include "core/image/channeltable.h"
#include "core/image/memorymap.h"

namespace tarsel {

CGridCell MoveRight(CGridCell cell) {
    if (cell.column < kChannelColumns) return {cell.row, cell.column + 1};
    if (cell.row < map::kChannelCount) return {cell.row + 1, 1};
    return cell;
}

CGridCell MoveLeft(CGridCell cell) {
    if (cell.column > 1) return {cell.row, cell.column - 1};
    if (cell.row > 1) return {cell.row - 1, kChannelColumns};
    return cell;
}

CGridCell MoveDown(CGridCell cell) {
    return {cell.row < map::kChannelCount ? cell.row + 1 : cell.row, cell.column};
}

CGridCell MoveUp(CGridCell cell) { return {cell.row > 1 ? cell.row - 1 : cell.row, cell.column}; }

CGridCell AfterFrequencyEnter(CGridCell cell, bool editorTextEmpty) {
    return editorTextEmpty ? MoveDown(cell) : MoveRight(cell);
}

bool IsFrequencyEditorChar(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '\b'; }

} // namespace tarsel

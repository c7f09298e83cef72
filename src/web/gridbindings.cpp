// What the grid shows besides a document's texts: titles, labels, the editors' lists, the keys.
#include "core/document/channelrowedits.h"
#include "core/image/channeltable.h"
#include "core/image/gridnavigation.h"
#include "core/image/labels.h"
#include "core/image/memorymap.h"
#include "core/image/tone.h"

#include <emscripten/bind.h>

using namespace emscripten;

namespace tarsel::web {

namespace {

template <typename Texts> val ArrayOf(const Texts& texts) {
    val array = val::array();
    for (const auto& text : texts) array.call<void>("push", std::string(text));
    return array;
}

val ColumnTitles() { return ArrayOf(ChannelColumnTitles()); }
val Tones() { return ArrayOf(ToneList()); }
val ChoicesOf(int column) { return ArrayOf(ChoiceEntries(column)); }
bool IsFrequencyChar(const std::string& typed) {
    return typed.size() == 1 && IsFrequencyEditorChar(typed[0]);
}

} // namespace

} // namespace tarsel::web

EMSCRIPTEN_BINDINGS(grid) {
    using namespace tarsel;
    value_object<CGridCell>("GridCell")
        .field("row", &CGridCell::row)
        .field("column", &CGridCell::column);
    constant("channelCount", map::kChannelCount);
    constant("columnCount", kChannelColumns);
    constant("nameLength", map::rec::kNameLength);
    function("columnTitles", &web::ColumnTitles);
    function("gridLabel", &GridLabel);
    function("toneList", &web::Tones);
    function("choiceEntries", &web::ChoicesOf);
    function("isFrequencyEditorChar", &web::IsFrequencyChar);
    function("isMemoryChannel", &IsMemoryChannel);
    function("moveRight", &MoveRight);
    function("moveLeft", &MoveLeft);
    function("moveUp", &MoveUp);
    function("moveDown", &MoveDown);
    function("afterFrequencyEnter", &AfterFrequencyEnter);
}

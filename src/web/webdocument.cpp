#include "web/webdocument.h"

#include "core/image/datafile.h"
#include "core/image/labels.h"

#include <emscripten/bind.h>

#include <algorithm>

namespace tarsel::web {

using emscripten::val;

std::vector<int> IntsOf(const val& array) { return emscripten::vecFromJSArray<int>(array); }

std::vector<uint8_t> BytesOf(const val& array) {
    return emscripten::convertJSArrayToNumberVector<uint8_t>(array);
}

val Uint8ArrayOf(std::span<const uint8_t> bytes) {
    // A copy: a view into the module's memory would move when the memory grows.
    return val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(bytes.size(), bytes.data()))
        .call<val>("slice");
}

CWebDocument::CWebDocument() : doc_(BuildDefaultImage()), shown_(doc_.Table()) {}

std::string CWebDocument::Open(const val& bytes, const std::string& name) {
    CMemoryImage image;
    if (const auto error = ImageFromFileBytes(BytesOf(bytes), name, image))
        return DescribeFileError(*error);
    doc_ = CDocument(image);
    history_ = CDocumentHistory();
    shown_ = doc_.Table();
    return {};
}

val CWebDocument::Save() {
    doc_.Parse();
    doc_.MarkSaved();
    return Uint8ArrayOf(doc_.Image().Bytes());
}

val CWebDocument::RowCells(int channel) const {
    val cells = val::array();
    const CChannelRow& row = doc_.Table().Row(channel);
    for (int column = 1; column <= kChannelColumns; ++column) cells.call<void>("push", row[column]);
    return cells;
}

val CWebDocument::ChangedRows() {
    val changed = val::array();
    for (int channel = 1; channel <= map::kChannelCount; ++channel) {
        const CChannelRow& row = doc_.Table().Row(channel);
        if (shown_.Row(channel) == row) continue;
        shown_.Row(channel) = row;
        changed.call<void>("push", channel);
    }
    return changed;
}

int CWebDocument::EditColumn(int channel, int column) const {
    return tarsel::EditColumn(doc_.Table().Row(channel), column);
}

void CWebDocument::CommitCell(int channel, int column, const std::string& text,
                              const std::string& stepName) {
    if (!IsChannel(channel) || column < 1 || column > kChannelColumns) return;
    const CDocumentContent before = doc_.Content();
    CommitCellEdit(doc_.Table().Row(channel), channel, column, text, doc_.Limits(), doc_.Image());
    history_.Record(before, doc_, stepName);
}

template <typename Edit> int CWebDocument::EditRows(const std::string& stepName, Edit edit) {
    const CDocumentContent before = doc_.Content();
    const ERowEditOutcome outcome = edit();
    if (outcome == ERowEditOutcome::Done) history_.Record(before, doc_, stepName);
    return static_cast<int>(outcome);
}

val CWebDocument::CopyRows(const val& channels) const {
    const std::vector<int> rows = IntsOf(channels);
    const std::string records = RecordsToBytes(CopyChannelRecords(doc_, rows));
    val copied = val::object();
    copied.set("text", ChannelRowsText(doc_.Table(), rows));
    copied.set("records", Uint8ArrayOf(std::span(reinterpret_cast<const uint8_t*>(records.data()),
                                                 records.size())));
    return copied;
}

val CWebDocument::CutRows(const val& channels, const std::string& stepName) {
    // As the desktop: a cut that cannot clear its rows copies nothing either.
    const std::vector<int> rows = IntsOf(channels);
    val cut = val::object();
    if (!std::all_of(rows.begin(), rows.end(), IsMemoryChannel)) {
        cut.set("outcome", static_cast<int>(ERowEditOutcome::NotMemoryChannels));
        return cut;
    }
    cut = CopyRows(channels);
    cut.set("outcome", EditRows(stepName, [&] { return ClearChannelRows(doc_, rows); }));
    return cut;
}

int CWebDocument::PasteRecords(int first, const val& bytes, const std::string& stepName) {
    const std::vector<uint8_t> data = BytesOf(bytes);
    const auto records =
        RecordsFromBytes(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    if (!records) return static_cast<int>(ERowEditOutcome::NothingToPaste);
    return EditRows(stepName, [&] { return PasteChannelRecords(doc_, first, *records); });
}

int CWebDocument::PasteText(int first, const std::string& text, const std::string& stepName) {
    return EditRows(stepName, [&] { return PasteChannelText(doc_, first, text); });
}

int CWebDocument::ClearRows(const val& channels, const std::string& stepName) {
    const std::vector<int> rows = IntsOf(channels);
    return EditRows(stepName, [&] { return ClearChannelRows(doc_, rows); });
}

int CWebDocument::InsertRow(int channel, const std::string& stepName) {
    return EditRows(stepName, [&] { return InsertEmptyChannelRow(doc_, channel); });
}

int CWebDocument::DeleteRows(const val& channels, const std::string& stepName) {
    const std::vector<int> rows = IntsOf(channels);
    return EditRows(stepName, [&] { return DeleteChannelRows(doc_, rows); });
}

int CWebDocument::SortRows(const val& channels, const std::string& stepName) {
    const std::vector<int> rows = IntsOf(channels);
    return EditRows(stepName, [&] { return SortChannelRowsByReceive(doc_, rows); });
}

} // namespace tarsel::web

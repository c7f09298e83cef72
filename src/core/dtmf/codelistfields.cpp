#include "core/dtmf/codelistfields.h"

#include "core/dtmf/dtmfstring.h"
#include "core/image/dtmfdigits.h"

namespace tarsel {

namespace {

std::size_t CodeOffset(std::size_t row) {
    return map::kDtmfCodeList + row * static_cast<std::size_t>(map::kDtmfCodeLength);
}

void RewriteWith(CDtmfCodeListFields& fields, const CAniMemory& memory) {
    if (!memory.separator) return;
    RewriteAniSuffix(fields.codes, *memory.separator + memory.ownId,
                     SymbolText(fields.separatorIndex) + fields.ownId);
}

} // namespace

CDtmfCodeListFields LoadDtmfCodeList(const CMemoryImage& image, std::string_view callId,
                                     CAniMemory& memory) {
    CDtmfCodeListFields fields;
    const uint8_t separator = image[map::kDtmfAniSeparator];
    const int index = SymbolIndexOfCode(separator);
    fields.separatorIndex = index >= 0 ? index : 0;
    // A digit is remembered as it is, although the list cannot show it.
    const std::optional<char> remembered = DtmfCharFromCode(separator);
    memory.separator =
        remembered ? std::optional<std::string>(std::string(1, *remembered)) : std::nullopt;
    fields.ownId = ReadDtmfString(image.Field<map::kDtmfOwnIdLength>(map::kDtmfOwnId));
    memory.ownId = fields.ownId;
    for (std::size_t row = 0; row < fields.codes.size(); ++row)
        fields.codes[row] = ReadDtmfString(image.Field<map::kDtmfCodeLength>(CodeOffset(row)));
    fields.callId = callId;
    return fields;
}

void StoreDtmfCodeList(const CDtmfCodeListFields& fields, CMemoryImage& image,
                       std::string& callId) {
    callId = fields.callId;
    const std::string separator = SymbolText(fields.separatorIndex);
    if (!separator.empty()) image[map::kDtmfAniSeparator] = DtmfCodeFromChar(separator[0]);
    WriteDtmfString(fields.ownId, image.Field<map::kDtmfOwnIdLength>(map::kDtmfOwnId));
    for (std::size_t row = 0; row < fields.codes.size(); ++row)
        WriteDtmfString(fields.codes[row], image.Field<map::kDtmfCodeLength>(CodeOffset(row)));
}

void RewriteAniSuffix(std::array<std::string, map::kDtmfCodeListRows>& codes,
                      std::string_view oldSuffix, std::string_view newSuffix) {
    for (std::string& code : codes) {
        if (code.empty() || !code.ends_with(oldSuffix)) continue;
        code.replace(code.size() - oldSuffix.size(), oldSuffix.size(), newSuffix);
    }
}

void RememberSeparator(const CDtmfCodeListFields& fields, CAniMemory& memory) {
    memory.separator = SymbolText(fields.separatorIndex);
}

void ChangeSeparator(CDtmfCodeListFields& fields, CAniMemory& memory) {
    RewriteWith(fields, memory);
    RememberSeparator(fields, memory);
}

void RememberOwnId(const CDtmfCodeListFields& fields, CAniMemory& memory) {
    memory.ownId = fields.ownId;
}

void LeaveOwnId(CDtmfCodeListFields& fields, CAniMemory& memory) {
    // Once it has a value, the own ID cannot be cleared.
    if (fields.ownId.empty()) {
        fields.ownId = memory.ownId;
        return;
    }
    RewriteWith(fields, memory);
    RememberOwnId(fields, memory);
}

std::string AniCallText(const CDtmfCodeListFields& fields) {
    return fields.callId + SymbolText(fields.separatorIndex) + fields.ownId;
}

namespace {
constexpr const char* kSeparators[] = {"A", "B", "C", "D", "*", "#"};
constexpr int kIdLength = 7;
constexpr CFormField kCodeListTable[] = {
    {1115,
     "编码",
     EFieldKind::Column,
     {},
     map::kDtmfCodeLength,
     EKeyRule::Dtmf,
     nullptr,
     0,
     nullptr,
     false,
     map::kDtmfCodeListRows,
     "序号",
     0},
    {1212, "自身 ID", EFieldKind::Edit, {}, kIdLength, EKeyRule::Decimal},
    {1211, "分隔符", EFieldKind::List, kSeparators},
    {1210, "呼叫ID", EFieldKind::Edit, {}, kIdLength, EKeyRule::Dtmf},
    {1209, "ANI 呼叫", EFieldKind::Button},
};
} // namespace

std::span<const CFormField> DtmfCodeListFieldTable() { return kCodeListTable; }

CFieldSlot DtmfCodeListSlot(CDtmfCodeListFields& fields, int controlId) {
    switch (controlId) {
    case 1115:
        return {.column = fields.codes};
    case 1212:
        return {.edit = &fields.ownId};
    case 1211:
        return {.list = &fields.separatorIndex};
    case 1210:
        return {.edit = &fields.callId};
    }
    return {};
}

} // namespace tarsel

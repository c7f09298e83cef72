#include "core/image/formfield.h"

#include "core/dtmf/dtmfstring.h"
#include "core/image/gridnavigation.h"

namespace tarsel {

std::optional<char> AcceptKey(EKeyRule rule, char c) {
    if (c < 0x20 || c >= 0x7F) return std::nullopt;
    switch (rule) {
    case EKeyRule::Printable:
        return c;
    case EKeyRule::Decimal:
        return AcceptDecimalKey(c);
    case EKeyRule::Dtmf:
        return AcceptDtmfKey(c);
    case EKeyRule::Frequency:
        return IsFrequencyEditorChar(c) ? std::optional<char>(c) : std::nullopt;
    }
    return std::nullopt;
}

const CFormField* FindFormField(std::span<const CFormField> table, int controlId) {
    for (const CFormField& field : table)
        if (field.controlId == controlId) return &field;
    return nullptr;
}

} // namespace tarsel

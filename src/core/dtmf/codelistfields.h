// The auto-dial page ("自动拨号") of the DTMF editor without its window: ten auto-dial codes, the
// ANI identity (own ID and separator) and the call ID the "ANI 呼叫" button composes with.
#pragma once

#include "core/image/formfield.h"
#include "core/image/memoryimage.h"
#include "core/image/memorymap.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tarsel {

// The page's controls in the order they are shown: 1115 the codes, 1212 own ID, 1211 separator,
// 1210 call ID, 1209 the "ANI 呼叫" button.
std::span<const CFormField> DtmfCodeListFieldTable();

// Where the form keeps what the control with this id shows (an empty slot for none).
struct CDtmfCodeListFields;
CFieldSlot DtmfCodeListSlot(CDtmfCodeListFields& fields, int controlId);

struct CDtmfCodeListFields { // exactly what the page's controls show
    std::array<std::string, map::kDtmfCodeListRows> codes;
    int separatorIndex = -1; // "A", "B", "C", "D", "*", "#"; -1 = no selection
    std::string ownId;
    std::string callId;
    friend bool operator==(const CDtmfCodeListFields&, const CDtmfCodeListFields&) = default;
};

// The ANI suffix the codes may end in, as it was before the user changed a part of it.
struct CAniMemory {
    // Empty optional: the image's separator byte was no DTMF digit at all, and no code can end
    // in it.
    std::optional<std::string> separator;
    std::string ownId;
};

// Image to fields; the call ID is the program-wide one. Resets the remembered suffix.
CDtmfCodeListFields LoadDtmfCodeList(const CMemoryImage& image, std::string_view callId,
                                     CAniMemory& memory);
// Fields to image, and the call ID back into the program-wide value. Codes longer than their
// field keep their first 16 digits.
void StoreDtmfCodeList(const CDtmfCodeListFields& fields, CMemoryImage& image, std::string& callId);

// Every code that ends in oldSuffix ends in newSuffix instead.
void RewriteAniSuffix(std::array<std::string, map::kDtmfCodeListRows>& codes,
                      std::string_view oldSuffix, std::string_view newSuffix);

// The events that move the ANI suffix along.
void RememberSeparator(const CDtmfCodeListFields& fields, CAniMemory& memory); // list focused
void ChangeSeparator(CDtmfCodeListFields& fields, CAniMemory& memory);         // selection changed
void RememberOwnId(const CDtmfCodeListFields& fields, CAniMemory& memory);     // edit focused
void LeaveOwnId(CDtmfCodeListFields& fields, CAniMemory& memory);              // edit left

// What the "ANI 呼叫" button writes into the current cell: call ID, separator, own ID.
std::string AniCallText(const CDtmfCodeListFields& fields);

} // namespace tarsel

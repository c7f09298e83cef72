// The forms' field tables, which both faces build their controls from: a row the tables get wrong
// is a control missing, unnamed or without its rule on both.
#include "core/dtmf/codelistfields.h"
#include "core/dtmf/remotefields.h"
#include "core/dtmf/timingfields.h"
#include "core/editors/optionfields.h"
#include "core/fmradio/fmfields.h"
#include "core/image/modelform.h"

#include <gtest/gtest.h>

#include <set>

namespace tarsel {
namespace {

TEST(FormTables, EveryRowIsAControlOfItsKind) {
    const std::span<const CFormField> forms[][3] = {
        {OptionFormFields()},
        {DtmfTimingFieldTable(), DtmfRemoteFieldTable(), DtmfCodeListFieldTable()},
        {FmRadioFieldTable()},
        {ModelFieldTable()},
    };
    for (const auto& pages : forms) {
        std::set<int> ids; // one window: no two controls share an id
        for (const std::span<const CFormField>& page : pages)
            for (const CFormField& field : page) {
                SCOPED_TRACE(field.controlId);
                EXPECT_TRUE(ids.insert(field.controlId).second);
                EXPECT_EQ(field.kind == EFieldKind::List, !field.entries.empty());
                EXPECT_EQ(field.kind == EFieldKind::Column, field.rows > 0);
                // Buttons step, and are named, together.
                EXPECT_EQ(field.step != nullptr, field.stepId != 0);
                if (field.stepId != 0) EXPECT_TRUE(ids.insert(field.stepId).second);
                if (field.step || field.leave) EXPECT_GT(field.maxLength, 0);
            }
    }
    // E and F are DTMF codes, but not keys.
    const std::tuple<EKeyRule, char, std::optional<char>> keys[] = {
        {EKeyRule::Dtmf, 'b', 'B'},           {EKeyRule::Dtmf, '#', '#'},
        {EKeyRule::Dtmf, 'E', std::nullopt},  {EKeyRule::Dtmf, 'e', std::nullopt},
        {EKeyRule::Dtmf, ' ', std::nullopt},  {EKeyRule::Decimal, '7', '7'},
        {EKeyRule::Decimal, 'A', std::nullopt}, {EKeyRule::Decimal, '.', std::nullopt},
        {EKeyRule::Frequency, '.', '.'},      {EKeyRule::Printable, '\x7f', std::nullopt},
        {EKeyRule::Printable, ' ', ' '},      {EKeyRule::Printable, '~', '~'}};
    for (const auto& [rule, key, accepted] : keys)
        EXPECT_EQ(AcceptKey(rule, key), accepted) << int(rule) << " " << key;
}

} // namespace
} // namespace tarsel

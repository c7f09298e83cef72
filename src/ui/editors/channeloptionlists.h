// The nine option lists both channel dialogs show (power, scan, bandwidth and the rest).
#pragma once

#include "core/editors/channeloptions.h"

#include <array>

class QComboBox;
class QGridLayout;
class QGroupBox;

namespace tarsel::ui {

// Three to a column, captioned, into box; returns the box's grid.
QGridLayout* AddChannelOptionLists(QGroupBox* box,
                                   std::array<QComboBox*, kChannelOptionCount>& lists);

} // namespace tarsel::ui

// The channel list on paper (or in a PDF): the grid's texts as a table, page after page.
#pragma once

#include "core/image/channeltable.h"

#include <QString>

class QPrinter;

namespace tarsel::ui {

void PrintChannelTable(QPrinter& printer, const CChannelTable& table, const QString& title);

} // namespace tarsel::ui

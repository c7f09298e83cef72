#include "ui/channelview/channelprint.h"

#include "core/image/labels.h"
#include "ui/widgets/coretext.h"

#include <QPainter>
#include <QPrinter>

namespace tarsel::ui {

void PrintChannelTable(QPrinter& printer, const CChannelTable& table, const QString& title) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRectF area(0, 0, page.width(), page.height());
    QFont font = painter.font();
    font.setPointSizeF(9);
    painter.setFont(font);
    const qreal lineHeight = painter.fontMetrics().height() * 1.5;
    // Label, two frequencies, six narrower columns, then the name, as on screen.
    const qreal weights[kChannelColumns + 1] = {6, 15, 15, 10, 10, 10, 10, 10, 10, 12};
    const qreal unit = area.width() / 108;

    auto drawRow = [&](qreal y, const QStringList& cells, bool header) {
        qreal x = 0;
        QFont rowFont = font;
        rowFont.setBold(header);
        painter.setFont(rowFont);
        for (int i = 0; i < cells.size(); ++i) {
            const QRectF cell(x, y, weights[i] * unit, lineHeight);
            painter.drawRect(cell);
            painter.drawText(cell, Qt::AlignCenter, cells[i]);
            x += weights[i] * unit;
        }
    };
    QStringList header{QString()};
    for (const char* columnTitle : ChannelColumnTitles()) header << CoreText(columnTitle);

    qreal y = 0;
    auto startPage = [&] {
        painter.setFont(font);
        painter.drawText(QRectF(0, 0, area.width(), lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         title);
        y = lineHeight * 1.5;
        drawRow(y, header, true);
        y += lineHeight;
    };
    startPage();
    for (int channel = 1; channel <= map::kChannelCount; ++channel) {
        if (y + lineHeight > area.height()) {
            printer.newPage();
            startPage();
        }
        QStringList cells{QString::fromStdString(GridLabel(channel))};
        for (int column = 1; column <= kChannelColumns; ++column)
            cells << CoreText(table.Row(channel)[column]);
        drawRow(y, cells, false);
        y += lineHeight;
    }
    painter.end();
}

} // namespace tarsel::ui

#include "ui/shell/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tarsel::ui {

namespace {

const QColor kInk(0x33, 0x3d, 0x4a);
const QColor kPaper(0xfb, 0xfb, 0xf8);
const QColor kBlue(0x2f, 0x6f, 0xb5);
const QColor kGreen(0x2e, 0x8b, 0x57);
const QColor kAmber(0xe0, 0xa2, 0x2b);

void Page(QPainter& p) {
    QPainterPath path;
    path.moveTo(5, 2);
    path.lineTo(14, 2);
    path.lineTo(19, 7);
    path.lineTo(19, 22);
    path.lineTo(5, 22);
    path.closeSubpath();
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(14, 2, 14, 7);
    p.drawLine(14, 7, 19, 7);
}

// A small handheld radio: the program's own picture.
void Radio(QPainter& p, qreal scale) {
    p.save();
    p.scale(scale, scale);
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(7, 7, 11, 16), 2, 2);
    p.drawRect(QRectF(9, 1, 2, 7));
    p.setBrush(QColor(0x9f, 0xd3, 0xa8));
    p.drawRect(QRectF(9, 9, 7, 4));
    p.setBrush(kAmber);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col) p.drawRect(QRectF(9 + col * 2.5, 15 + row * 3, 1.5, 1.5));
    p.restore();
}

void Arrow(QPainter& p, bool down, const QColor& colour) {
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const int tip = down ? 14 : 3, tail = down ? 3 : 14, head = down ? 10 : 7;
    p.drawLine(QPointF(18, tail), QPointF(18, tip));
    p.drawLine(QPointF(14.5, head), QPointF(18, tip));
    p.drawLine(QPointF(21.5, head), QPointF(18, tip));
}

// A curved arrow turning back (undo) or forward (redo).
void TurnArrow(QPainter& p, bool forward) {
    if (forward) {
        p.translate(24, 0);
        p.scale(-1, 1);
    }
    p.setPen(QPen(kBlue, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(5, 10);
    path.lineTo(15, 10);
    path.cubicTo(22, 10, 22, 20, 15, 20);
    path.lineTo(10, 20);
    p.drawPath(path);
    p.drawLine(QPointF(5, 10), QPointF(9.5, 5.5));
    p.drawLine(QPointF(5, 10), QPointF(9.5, 14.5));
}

QPixmap Draw(EIcon icon, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    p.setPen(QPen(kInk, 1.2));
    switch (icon) {
    case EIcon::New:
        Page(p);
        p.setPen(QPen(kAmber, 2));
        p.drawLine(17, 14, 17, 22);
        p.drawLine(13, 18, 21, 18);
        break;
    case EIcon::Open:
        p.setBrush(kAmber);
        p.drawRect(QRectF(2, 6, 18, 14));
        p.setBrush(QColor(0xf3, 0xc8, 0x6a));
        p.drawPolygon(
            QPolygonF({QPointF(5, 11), QPointF(23, 11), QPointF(20, 20), QPointF(2, 20)}));
        break;
    case EIcon::Save:
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 3, 10, 7));
        p.drawRect(QRectF(6, 13, 12, 8));
        break;
    case EIcon::Read:
        Radio(p, 0.85);
        Arrow(p, true, kGreen);
        break;
    case EIcon::Write:
        Radio(p, 0.85);
        Arrow(p, false, kBlue);
        break;
    case EIcon::SerialPort:
        p.setBrush(QColor(0xc9, 0xd1, 0xdb));
        p.drawPolygon(QPolygonF({QPointF(2, 8), QPointF(22, 8), QPointF(19, 17), QPointF(5, 17)}));
        p.setBrush(kInk);
        for (int i = 0; i < 5; ++i) p.drawEllipse(QPointF(5.5 + i * 3.25, 11), 0.9, 0.9);
        for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(7 + i * 3.3, 14), 0.9, 0.9);
        break;
    case EIcon::Undo:
    case EIcon::Redo:
        TurnArrow(p, icon == EIcon::Redo);
        break;
    case EIcon::Print:
        p.setBrush(kPaper);
        p.drawRect(QRectF(6, 2, 12, 8));
        p.setBrush(QColor(0x8a, 0x95, 0xa3));
        p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(6, 15, 12, 7));
        break;
    case EIcon::About:
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(2, 2, 20, 20));
        p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawPoint(QPointF(12, 7));
        p.drawLine(QPointF(12, 11), QPointF(12, 17));
        break;
    case EIcon::Program:
        p.setBrush(kBlue);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(1, 1, 22, 22), 5, 5);
        p.setPen(QPen(Qt::white, 1));
        Radio(p, 1.0);
        break;
    }
    return pixmap;
}

} // namespace

QIcon MakeIcon(EIcon icon) {
    QIcon result;
    for (int size : {16, 24, 32, 48, 64}) result.addPixmap(Draw(icon, size));
    return result;
}

} // namespace tarsel::ui

#include "app/mainImages.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace skivra {

namespace {

constexpr int kSize = 16;

// A small picture drawn on a transparent 16 x 16 square.
template <typename Draw> QIcon Drawn(Draw draw) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

QIcon Standard(QStyle::StandardPixmap sp) {
    return QApplication::style()->standardIcon(sp);
}

// A letter badge for the sort keys, so that the four sorts can be told apart.
QIcon SortKey(const QString& sLetter, const QColor& clColor) {
    return Drawn([&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(clColor);
        p.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
        p.setPen(Qt::white);
        QFont font = p.font();
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, sLetter);
    });
}

QIcon Speaker(bool bMuted) {
    return Drawn([bMuted](QPainter& p) {
        QPainterPath body;
        body.moveTo(2, 6);
        body.lineTo(5, 6);
        body.lineTo(9, 2);
        body.lineTo(9, 14);
        body.lineTo(5, 10);
        body.lineTo(2, 10);
        body.closeSubpath();
        p.fillPath(body, QColor(60, 60, 60));
        if (bMuted) {
            p.setPen(QPen(QColor(200, 30, 30), 2));
            p.drawLine(10, 5, 15, 11);
            p.drawLine(15, 5, 10, 11);
        } else {
            p.setPen(QPen(QColor(60, 60, 60), 1.5));
            p.drawArc(QRectF(7, 4, 6, 8), -60 * 16, 120 * 16);
            p.drawArc(QRectF(6, 2, 9, 12), -60 * 16, 120 * 16);
        }
    });
}

QIcon Panel(bool bBottom) {
    return Drawn([bBottom](QPainter& p) {
        p.setPen(QColor(60, 60, 60));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setBrush(QColor(70, 110, 190));
        p.setPen(Qt::NoPen);
        p.drawRect(bBottom ? QRectF(2, 10, 12, 3) : QRectF(2, 7, 12, 3));
    });
}

QIcon Shuffle() {
    return Drawn([](QPainter& p) {
        p.setPen(QPen(QColor(40, 120, 60), 1.6));
        p.drawLine(1, 4, 5, 4);
        p.drawLine(5, 4, 11, 12);
        p.drawLine(11, 12, 14, 12);
        p.drawLine(1, 12, 5, 12);
        p.drawLine(5, 12, 11, 4);
        p.drawLine(11, 4, 14, 4);
    });
}

QIcon Tray() {
    return Drawn([](QPainter& p) {
        p.setPen(QColor(60, 60, 60));
        p.setBrush(QColor(220, 220, 220));
        p.drawRect(QRectF(0.5, 10.5, 15, 5));
        p.setBrush(QColor(70, 110, 190));
        p.drawEllipse(QRectF(10, 11.5, 3, 3));
    });
}

} // namespace

QIcon MainImage(int iIndex) {
    switch (iIndex) {
    case 0:
        return Standard(QStyle::SP_DialogOpenButton);
    case 1:
        return Standard(QStyle::SP_DirOpenIcon);
    case 2:
        return Standard(QStyle::SP_DirIcon);
    case 5:
        return Standard(QStyle::SP_DialogCloseButton);
    case 6:
        return Standard(QStyle::SP_MessageBoxInformation);
    case 7:
        return Standard(QStyle::SP_DialogDiscardButton);
    case 8:
        return Standard(QStyle::SP_TrashIcon);
    case 9:
        return Standard(QStyle::SP_DialogResetButton);
    case 10:
        return Standard(QStyle::SP_FileDialogDetailedView);
    case 11:
        return Standard(QStyle::SP_ArrowRight);
    case 14:
        return Standard(QStyle::SP_MediaPlay);
    case 15:
        return Standard(QStyle::SP_MediaPause);
    case 16:
        return Drawn([](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(40, 40, 40));
            p.drawPolygon(QPolygonF({QPointF(1, 3), QPointF(8, 8), QPointF(1, 13)}));
            p.drawRect(QRectF(10, 3, 2, 10));
            p.drawRect(QRectF(13, 3, 2, 10));
        });
    case 17:
        return Standard(QStyle::SP_BrowserReload);
    case 18:
        return Standard(QStyle::SP_MediaSkipBackward);
    case 19:
        return Standard(QStyle::SP_MediaSkipForward);
    case 20:
        return Standard(QStyle::SP_MediaSeekBackward);
    case 21:
        return Standard(QStyle::SP_MediaSeekForward);
    case 22:
        return Standard(QStyle::SP_MediaStop);
    case 24:
        return Speaker(false);
    case 25:
        return Speaker(true);
    case 28:
        return Shuffle();
    case 30:
        return Tray();
    case 31:
        return Panel(true);
    case 32:
        return Panel(false);
    case 58:
        return Standard(QStyle::SP_ArrowDown);
    case 60:
        return Shuffle();
    case 61:
        return SortKey(QStringLiteral("F"), QColor(60, 90, 170));
    case 62:
        return SortKey(QStringLiteral("L"), QColor(60, 140, 90));
    case 63:
        return SortKey(QStringLiteral("N"), QColor(160, 90, 40));
    case 64:
        return SortKey(QStringLiteral("E"), QColor(130, 60, 150));
    default:
        return QIcon();
    }
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int iSize : {16, 32, 48}) {
        QPixmap pixmap(iSize, iSize);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal f = iSize / 16.0;
        // A monitor whose picture is the key colour with a play mark on it.
        p.setPen(QPen(QColor(40, 40, 40), f));
        p.setBrush(QColor(16, 0, 16));
        p.drawRoundedRect(QRectF(0.5 * f, 1.5 * f, 15 * f, 10.5 * f), 1.5 * f, 1.5 * f);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 200, 255));
        p.drawPolygon(
            QPolygonF({QPointF(6 * f, 4 * f), QPointF(11 * f, 6.75 * f), QPointF(6 * f, 9.5 * f)}));
        p.setBrush(QColor(60, 60, 60));
        p.drawRect(QRectF(6 * f, 12 * f, 4 * f, 2 * f));
        p.drawRect(QRectF(3.5 * f, 14 * f, 9 * f, 1.5 * f));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace skivra

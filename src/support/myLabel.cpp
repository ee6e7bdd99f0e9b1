#include "support/myLabel.h"

#include <QPainter>
#include <algorithm>

namespace skivra {

TMyLabel::TMyLabel(QWidget* pParent) : TMyLabel(QString(), pParent) {}

TMyLabel::TMyLabel(const QString& sCaption, QWidget* pParent) : QLabel(sCaption, pParent) {
    // The label paints its own button-face background instead of showing its parent's.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    // The font colour stays the window text's, not the contrast colour of the button face.
    setForegroundRole(QPalette::WindowText);
    setTextFormat(Qt::PlainText);
}

void TMyLabel::Changed() {
    updateGeometry();
    repaint();
}

void TMyLabel::SetBorder(TBorderStyle bsBorder) {
    F_bsBorderStyle = bsBorder;
    Changed();
}

void TMyLabel::SetDisabledStyle(bool bValue) {
    F_bDisabledStyle = bValue;
    Changed();
}

void TMyLabel::SetShadow(bool bValue) {
    F_bTextShadow = bValue;
    update();
    Changed();
}

void TMyLabel::SetSingleLine(bool bValue) {
    F_bSingleLine = bValue;
    Changed();
}

void TMyLabel::SetEndEllipsis(bool bValue) {
    F_bEndEllipsis = bValue;
    Changed();
}

void TMyLabel::SetMargins(int iLeft, int iTop, int iRight, int iBottom) {
    F_iLeftMargin = iLeft;
    F_iTopMargin = iTop;
    F_iRightMargin = iRight;
    F_iBottomMargin = iBottom;
    Changed();
}

QColor TMyLabel::ShadowColor(const QColor& clFont) {
    return QColor(std::max(clFont.red() - 32, 0), std::max(clFont.green() - 32, 0),
                  std::max(clFont.blue() - 32, 0));
}

int TMyLabel::TextFlags() const {
    int iFlags = static_cast<int>(alignment());
    iFlags |= F_bSingleLine ? Qt::TextSingleLine : (wordWrap() ? Qt::TextWordWrap : 0);
    return iFlags;
}

QString TMyLabel::DisplayText(int iWidth) const {
    if (F_bEndEllipsis) {
        return fontMetrics().elidedText(text(), Qt::ElideRight, std::max(iWidth, 0),
                                        F_bSingleLine ? Qt::TextSingleLine : 0);
    }
    return text();
}

QSize TMyLabel::TextSize() const {
    // An empty caption measures as one blank, so that an empty label keeps its height.
    const QString sText = text().isEmpty() ? QStringLiteral(" ") : text();
    const QRect rc = fontMetrics().boundingRect(QRect(0, 0, 0, 0), TextFlags(), sText);
    return rc.size();
}

QSize TMyLabel::sizeHint() const {
    QSize size = TextSize();
    size.rwidth() += F_iLeftMargin + F_iRightMargin;
    size.rheight() += F_iTopMargin + F_iBottomMargin;
    if (F_bsBorderStyle == TBorderStyle::bsSingle) {
        size += QSize(2, 2);
    }
    return size;
}

QSize TMyLabel::minimumSizeHint() const {
    return F_bEndEllipsis ? QSize(0, sizeHint().height()) : sizeHint();
}

void TMyLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    QRect rc = rect();
    const int iFlags = TextFlags();
    if (!isEnabled() && F_bDisabledStyle) {
        // The embossed form ignores margins and frame: a highlight copy one pixel down and
        // right, then the text itself in the shadow colour.
        const QString sText = DisplayText(rc.width());
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(rc.translated(1, 1), iFlags, sText);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawText(rc, iFlags, sText);
    } else {
        rc.adjust(F_iLeftMargin, F_iTopMargin, -F_iRightMargin, -F_iBottomMargin);
        if (F_bsBorderStyle == TBorderStyle::bsSingle) {
            rc.adjust(1, 1, -1, -1);
        }
        const QString sText = DisplayText(rc.width());
        // A disabled label without the embossed style keeps its font colour.
        const QColor clFont = palette().color(QPalette::Active, foregroundRole());
        if (F_bTextShadow) {
            painter.setPen(ShadowColor(clFont));
            painter.drawText(rc.translated(1, 1), iFlags, sText);
        }
        painter.setPen(clFont);
        painter.drawText(rc, iFlags, sText);
    }
    if (F_bsBorderStyle == TBorderStyle::bsSingle) {
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(0, 0, width() - 1, height() - 1);
    }
}

} // namespace skivra

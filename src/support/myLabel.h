#pragma once

#include <QLabel>

namespace skivra {

// A label with an optional one-pixel frame, margins, an embossed look when disabled, a drop
// shadow, and single-line and end-ellipsis switches. Every setter repaints at once; the
// size hint leaves room for margins and frame, so a label laid out at its hint (the
// "auto-size" case) never clips its text. An empty caption still measures one blank high.
// UI thread only.
class TMyLabel : public QLabel {
    Q_OBJECT
public:
    enum class TBorderStyle { bsNone, bsSingle };

    explicit TMyLabel(QWidget* pParent = nullptr);
    explicit TMyLabel(const QString& sCaption, QWidget* pParent = nullptr);

    TBorderStyle Border() const { return F_bsBorderStyle; }
    void SetBorder(TBorderStyle bsBorder);
    bool DisabledStyle() const { return F_bDisabledStyle; }
    void SetDisabledStyle(bool bValue);
    bool Shadow() const { return F_bTextShadow; }
    void SetShadow(bool bValue);
    bool SingleLine() const { return F_bSingleLine; }
    void SetSingleLine(bool bValue);
    bool EndEllipsis() const { return F_bEndEllipsis; }
    void SetEndEllipsis(bool bValue);
    int LeftMargin() const { return F_iLeftMargin; }
    int RightMargin() const { return F_iRightMargin; }
    int TopMargin() const { return F_iTopMargin; }
    int BottomMargin() const { return F_iBottomMargin; }
    void SetMargins(int iLeft, int iTop, int iRight, int iBottom);

    // The text's own extent in the label's font, before margins and frame.
    QSize TextSize() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The shadow colour: each of red, green and blue lowered by 32, not below 0.
    static QColor ShadowColor(const QColor& clFont);

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    int TextFlags() const;
    QString DisplayText(int iWidth) const;
    void Changed();

    TBorderStyle F_bsBorderStyle = TBorderStyle::bsNone;
    bool F_bDisabledStyle = true;
    bool F_bTextShadow = false;
    bool F_bSingleLine = false;
    bool F_bEndEllipsis = false;
    int F_iLeftMargin = 0;
    int F_iRightMargin = 0;
    int F_iTopMargin = 0;
    int F_iBottomMargin = 0;
};

} // namespace skivra

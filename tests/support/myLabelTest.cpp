#include "support/myLabel.h"

#include "support/qtTestApp.h"

#include <QImage>

namespace skivra {
namespace {

TEST(MyLabelTest, AutoSizeLeavesRoomForMarginsAndFrame) {
    TMyLabel label(QStringLiteral("バージョン情報"));
    const QSize plain = label.sizeHint();
    EXPECT_EQ(plain, label.TextSize());
    label.SetBorder(TMyLabel::TBorderStyle::bsSingle);
    label.SetMargins(4, 4, 4, 4);
    EXPECT_EQ(label.sizeHint(), plain + QSize(10, 10));
    label.SetMargins(1, 2, 3, 4);
    label.SetBorder(TMyLabel::TBorderStyle::bsNone);
    EXPECT_EQ(label.sizeHint(), plain + QSize(4, 6));
}

TEST(MyLabelTest, AnEmptyCaptionKeepsTheHeightOfOneBlank) {
    TMyLabel empty;
    TMyLabel blank(QStringLiteral(" "));
    EXPECT_EQ(empty.sizeHint().height(), blank.sizeHint().height());
    EXPECT_GT(empty.sizeHint().height(), 0);
}

TEST(MyLabelTest, ShadowColourIsTheFontColourDarkenedBy32PerPart) {
    EXPECT_EQ(TMyLabel::ShadowColor(QColor(100, 20, 40)), QColor(68, 0, 8));
    EXPECT_EQ(TMyLabel::ShadowColor(QColor(0, 0, 0)), QColor(0, 0, 0));
    EXPECT_EQ(TMyLabel::ShadowColor(QColor(255, 32, 33)), QColor(223, 0, 1));
}

// Counts the pixels of the picture of the label that are (nearly) the colour.
int CountColour(TMyLabel& label, const QColor& clColor) {
    const QImage image = label.grab().toImage();
    int iCount = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - clColor.red()) < 40 &&
                std::abs(c.green() - clColor.green()) < 40 &&
                std::abs(c.blue() - clColor.blue()) < 40) {
                ++iCount;
            }
        }
    }
    return iCount;
}

TEST(MyLabelTest, DisabledLabelIsEmbossedOnlyWithTheDisabledStyle) {
    TMyLabel label(QStringLiteral("■■■■"));
    QFont font = label.font();
    font.setPixelSize(24);
    label.setFont(font);
    QPalette palette = label.palette();
    const QColor clRed(220, 0, 0);
    palette.setColor(QPalette::WindowText, clRed);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0, 200, 0));
    palette.setColor(QPalette::Button, Qt::white);
    palette.setColor(QPalette::Light, Qt::white);
    palette.setColor(QPalette::Dark, QColor(0, 0, 220));
    label.setPalette(palette);
    label.resize(label.sizeHint());

    EXPECT_GT(CountColour(label, clRed), 50);
    label.setEnabled(false);
    label.SetDisabledStyle(true);
    EXPECT_EQ(CountColour(label, clRed), 0) << "the embossed form uses the shadow colour";
    EXPECT_GT(CountColour(label, QColor(0, 0, 220)), 50);
    label.SetDisabledStyle(false);
    EXPECT_GT(CountColour(label, clRed), 50) << "drawn like an enabled label";
    EXPECT_EQ(CountColour(label, QColor(0, 200, 0)), 0);
}

} // namespace
} // namespace skivra

#include "support/myUiFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace skivra {

QString JapaneseUiFontFamily() {
    static const QString sFamily = [] {
        const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
        for (const QString& sWanted :
             {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
              QStringLiteral("IPAPGothic")}) {
            if (families.contains(sWanted)) {
                return sWanted;
            }
        }
        return families.isEmpty() ? QString() : families.first();
    }();
    return sFamily;
}

QFont JapaneseUiFontPixels(int iPixelHeight) {
    QFont font(JapaneseUiFontFamily());
    font.setPixelSize(iPixelHeight);
    return font;
}

QFont JapaneseUiFontPoints(int iPointSize) {
    QFont font(JapaneseUiFontFamily());
    font.setPointSize(iPointSize);
    return font;
}

} // namespace skivra

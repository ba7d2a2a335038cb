#include "Fonts.h"

#include <QStringList>
#include <cmath>

namespace fonts {

QFont japanese(Face face, double points, bool bold, bool italic)
{
    QFont font;
    if (face == Face::Gothic)
        font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
    else
        font.setFamilies({QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho")});
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace fonts

#include "ui/Fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <cmath>

namespace fonts {

namespace {
// Asking for a face that is not installed makes Qt sort every font on the
// system for fallbacks, once per size and weight, which costs more than the
// whole window. So the missing face is left out of the request.
QString installed(const QString& original, const QString& standIn)
{
    return QFontDatabase::families().contains(original) ? original : standIn;
}
} // namespace

QFont japanese(Face face, double points, bool bold, bool italic)
{
    static const QString gothic = installed(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    static const QString mincho = installed(QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"));
    QFont font;
    font.setFamilies({face == Face::Gothic ? gothic : mincho});
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    font.setItalic(italic);
    // The auto-hinter surveys every glyph of a face before its first one, a
    // sixth of the start-up for two CJK faces; light hinting barely shows here.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace fonts

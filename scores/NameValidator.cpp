#include "scores/NameValidator.h"

#include "scores/Cp932.h"

#include <algorithm>

namespace {
// JIS-table code points and the look-alikes the Microsoft table stores.
constexpr std::pair<char16_t, char16_t> kLookAlikes[] = {
    {u'\u301C', u'\uFF5E'},  // wave dash
    {u'\u2016', u'\u2225'},  // double vertical line
    {u'\u2212', u'\uFF0D'},  // minus sign
    {u'\u00A2', u'\uFFE0'},  // cent sign
    {u'\u00A3', u'\uFFE1'},  // pound sign
    {u'\u00AC', u'\uFFE2'},  // not sign
};
} // namespace

QValidator::State NameValidator::validate(QString& input, int& pos) const
{
    for (const auto& [jis, microsoft] : kLookAlikes)
        input.replace(QChar(jis), QChar(microsoft));
    QString kept;
    int keptPos = pos;
    for (qsizetype i = 0; i < input.size();) {
        const qsizetype length = input[i].isHighSurrogate() && i + 1 < input.size() ? 2 : 1;
        const QString character = input.mid(i, length);
        if (isCp932Storable(character))
            kept += character;
        else if (i < pos)
            keptPos -= static_cast<int>(std::min<qsizetype>(length, pos - i));
        i += length;
    }
    input = kept;
    pos = keptPos;
    return Acceptable;
}

#include "scores/NameValidator.h"

#include "scores/Cp932.h"

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

QValidator::State NameValidator::validate(QString& input, int&) const
{
    for (const auto& [jis, microsoft] : kLookAlikes)
        input.replace(QChar(jis), QChar(microsoft));
    return isCp932Storable(input) ? Acceptable : Invalid;
}

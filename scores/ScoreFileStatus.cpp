#include "scores/ScoreFileStatus.h"

#include <QDir>

namespace {

using C = ScoreFileStatus::Code;

// What each failure says; %1 is the file.
constexpr struct {
    C code;
    const char16_t* text;
} kMessages[] = {
    {C::NotAFile, u"ハイスコアファイル「%1」は通常のファイルではありません（フォルダーなどになっています）。"},
    {C::OpenFailed, u"ハイスコアファイル「%1」を開けませんでした。"},
    {C::ReadFailed, u"ハイスコアファイル「%1」を読み込めませんでした。"},
    {C::WriteFailed, u"ハイスコアファイル「%1」に書き込めませんでした。ファイルは元のままです。"},
    {C::NameNotStorable, u"名前に記録できない文字が含まれているため、ハイスコアファイル「%1」に書き込みませんでした。"},
    {C::NameTooLong, u"名前が長すぎる（65535 バイトを超える）ため、ハイスコアファイル「%1」に書き込みませんでした。"},
    {C::CheckOverflow, u"1位の得点が大きすぎて検査値を計算できないため、ハイスコアファイル「%1」に書き込みませんでした。"},
    {C::ScoreOutOfRange, u"得点が記録できる範囲を超えているため、ハイスコアファイル「%1」に書き込みませんでした。"},
    {C::NoConverter, u"文字コード CP932 の変換機能が使えないため、ハイスコアファイル「%1」を扱えません。"},
    {C::LockFailed, u"ハイスコアファイル「%1」は他で使用中のため、書き込みませんでした。"},
};

QString describe(C code, const QString& file)
{
    for (const auto& m : kMessages)
        if (m.code == code)
            return QString::fromUtf16(m.text).arg(file);
    return {};
}

} // namespace

ScoreFileStatus ScoreFileStatus::failure(Code code, const QString& path, const QString& reason)
{
    ScoreFileStatus s;
    s.code = code;
    s.message = describe(code, QDir::toNativeSeparators(path));
    if (!reason.isEmpty())
        s.message += QStringLiteral("\n理由: %1").arg(reason);
    return s;
}

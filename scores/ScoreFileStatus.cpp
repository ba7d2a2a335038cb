#include "scores/ScoreFileStatus.h"

#include <QDir>

namespace {

QString describe(ScoreFileStatus::Code code, const QString& file)
{
    using C = ScoreFileStatus::Code;
    switch (code) {
    case C::Ok: return {};
    case C::NotAFile:
        return QStringLiteral("ハイスコアファイル「%1」は通常のファイルではありません（フォルダーなどになっています）。").arg(file);
    case C::OpenFailed:
        return QStringLiteral("ハイスコアファイル「%1」を開けませんでした。").arg(file);
    case C::ReadFailed:
        return QStringLiteral("ハイスコアファイル「%1」を読み込めませんでした。").arg(file);
    case C::WriteFailed:
        return QStringLiteral("ハイスコアファイル「%1」に書き込めませんでした。ファイルは元のままです。").arg(file);
    case C::NameNotStorable:
        return QStringLiteral("名前に記録できない文字が含まれているため、ハイスコアファイル「%1」に書き込みませんでした。").arg(file);
    case C::NameTooLong:
        return QStringLiteral("名前が長すぎる（65535 バイトを超える）ため、ハイスコアファイル「%1」に書き込みませんでした。").arg(file);
    case C::CheckOverflow:
        return QStringLiteral("1位の得点が大きすぎて検査値を計算できないため、ハイスコアファイル「%1」に書き込みませんでした。").arg(file);
    case C::ScoreOutOfRange:
        return QStringLiteral("得点が記録できる範囲を超えているため、ハイスコアファイル「%1」に書き込みませんでした。").arg(file);
    case C::NoConverter:
        return QStringLiteral("文字コード CP932 の変換機能が使えないため、ハイスコアファイル「%1」を扱えません。").arg(file);
    case C::LockFailed:
        return QStringLiteral("ハイスコアファイル「%1」は他で使用中のため、書き込みませんでした。").arg(file);
    }
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

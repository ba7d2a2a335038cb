#include "scores/ScoreFileStatus.h"

#include <QStringList>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

ScoreFileStatus ScoreFileStatus::failure(Code code, const QString& cause, int error)
{
    ScoreFileStatus s;
    s.code = code;
    s.cause = cause;
    s.error = error;
    s.message = cause;
    return s;
}

ScoreFileStatus ScoreFileStatus::refusal(Code code)
{
    switch (code) {
    case Code::NameNotStorable:
        return failure(code, QStringLiteral("名前に、ハイスコアファイルに記録できない文字が含まれています。"));
    case Code::NameTooLong:
        return failure(code, QStringLiteral("名前が長すぎます（65535 バイトを超えます）。"));
    case Code::CheckOverflow:
        return failure(code, QStringLiteral("ハイスコアファイルの1位の得点が大きすぎて、検査値を計算できません。"));
    case Code::ScoreOutOfRange:
        return failure(code, QStringLiteral("得点が、記録できる範囲を超えています。"));
    default:
        return failure(code, QStringLiteral("ハイスコアファイルに書き込めない表です。"));
    }
}

ScoreFileStatus& ScoreFileStatus::explain(const QString& headline, const QString& after)
{
    if (ok())
        return *this;
    QStringList lines{headline, cause};
    if (!after.isEmpty())
        lines << after;
    message = lines.join(QLatin1Char('\n'));
    return *this;
}

QString describeError(int error)
{
    switch (error) {
    case ENOSPC:
        return QStringLiteral("ディスクの空き容量が足りません");
    case EDQUOT:
        return QStringLiteral("ディスク使用量の上限（クォータ）に達しています");
    case EFBIG:
        return QStringLiteral("ファイルサイズの上限（ulimit -f）を超えます");
    case EACCES:
    case EPERM:
        return QStringLiteral("権限がありません");
    case EROFS:
        return QStringLiteral("読み取り専用のファイルシステムです");
    case ENAMETOOLONG:
        return QStringLiteral("パスが長すぎます");
    case ELOOP:
        return QStringLiteral("シンボリックリンクが多すぎるか、循環しています");
    case ENOENT:
        return QStringLiteral("フォルダーがありません");
    case ENOTDIR:
        return QStringLiteral("パスの途中にフォルダーでないものがあります");
    case EIO:
        return QStringLiteral("ディスクの入出力エラーです");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("開いているファイルが多すぎます");
    case ENOLCK:
        return QStringLiteral("このファイルシステムではロックを掛けられません");
    default:
        return QStringLiteral("システムのエラーです（%1、errno %2）")
            .arg(QString::fromLocal8Bit(std::strerror(error)))
            .arg(error);
    }
}

QString describeKind(unsigned mode)
{
    switch (mode & S_IFMT) {
    case S_IFDIR:
        return QStringLiteral("フォルダー");
    case S_IFIFO:
        return QStringLiteral("名前付きパイプ（FIFO）");
    case S_IFCHR:
    case S_IFBLK:
        return QStringLiteral("デバイス");
    case S_IFSOCK:
        return QStringLiteral("ソケット");
    case S_IFLNK:
        return QStringLiteral("シンボリックリンク");
    default:
        return QStringLiteral("通常のファイル以外のもの");
    }
}

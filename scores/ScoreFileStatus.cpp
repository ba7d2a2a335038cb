#include "scores/ScoreFileStatus.h"

#include "scores/FileAccess.h"
#include "scores/ScoreLocation.h"

#include <QStringList>

#include <cerrno>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>

namespace {

using C = ScoreFileStatus::Code;

// How a message names the file (%1): "「…」", or "ロックファイル「…」".
QString nameOf(bool lock)
{
    return lock ? QStringLiteral("ロックファイル「%1」") : QStringLiteral("「%1」");
}

QString userName(uid_t uid)
{
    const passwd* pw = ::getpwuid(uid);
    return pw ? QString::fromLocal8Bit(pw->pw_name) : QString::number(uid);
}

} // namespace

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

ScoreFileStatus failedOn(ScoreFileStatus::Code code, const QString& what, const QByteArray& path, int error)
{
    return ScoreFileStatus::failure(code, what.arg(shownPath(path), describeError(error)) + QStringLiteral("。"), error);
}

ScoreFileStatus notAFile(const Place& at, unsigned mode, bool lock)
{
    QString kind = at.dangling() ? QStringLiteral("行き先のないシンボリックリンク") : describeKind(mode);
    if (!at.link.isEmpty())
        kind += QStringLiteral("、リンク先「%1」").arg(shownPath(at.path));
    QString cause = (nameOf(lock) + QStringLiteral("は通常のファイルではありません（%2）。"))
                        .arg(shownPath(at.link.isEmpty() ? at.path : at.link), kind);
    if (lock)
        cause += QStringLiteral("これを取り除けば記録できます。");
    return ScoreFileStatus::failure(C::NotAFile, cause);
}

ScoreFileStatus placeProblem(const Place& at, bool lock)
{
    if (at.foreign)
        return ScoreFileStatus::failure(
            C::ForeignLink, (nameOf(lock) + QStringLiteral("は別のユーザー（%2）が作ったシンボリックリンクなので、たどりません。"))
                                .arg(shownPath(at.path), userName(at.owner)));
    if (at.error != 0 && !at.failedFolder.isEmpty())
        return failedOn(C::OpenFailed,
                        at.makingFolder ? QStringLiteral("フォルダー「%1」を作れません: %2")
                                        : QStringLiteral("フォルダー「%1」を開けません: %2"),
                        at.failedFolder, at.error);
    if (at.error != 0)
        return failedOn(C::OpenFailed, nameOf(lock) + QStringLiteral("を開けません: %2"), at.path, at.error);
    if (at.dangling() || (at.mode != 0 && !S_ISREG(at.mode)))
        return notAFile(at, at.mode, lock);
    return {};
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

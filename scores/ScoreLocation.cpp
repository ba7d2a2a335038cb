#include "scores/ScoreLocation.h"

#include "BuildInfo.h"
#include "scores/FileAccess.h"

#include <QCoreApplication>
#include <QFile>

#include <climits>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

QByteArray homeFolder()
{
    const QByteArray home = qgetenv("HOME");
    if (home.startsWith('/'))
        return home;
    const passwd* pw = ::getpwuid(::getuid());
    return pw && pw->pw_dir ? QByteArray(pw->pw_dir) : QByteArray();
}

namespace {

// Bytes as UTF-8 where they are UTF-8, \xNN where not.
QString decodeShowingBadBytes(const QByteArray& bytes)
{
    QString out;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                         : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
        if (length > 0 && i + length <= bytes.size()) {
            const QByteArray piece = bytes.mid(i, length);
            const QString text = QString::fromUtf8(piece);
            if (!text.contains(QChar::ReplacementCharacter) && text.toUtf8() == piece) {
                out += text;
                i += length;
                continue;
            }
        }
        out += QStringLiteral("\\x%1").arg(lead, 2, 16, QLatin1Char('0'));
        ++i;
    }
    return out;
}

QByteArray withoutDoubledSlashes(QByteArray path)
{
    while (path.contains("//"))
        path.replace("//", "/");
    return path;
}

bool isWritableFolder(const QByteArray& dir)
{
    struct stat st {};
    return ::stat(dir.constData(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(dir.constData(), W_OK) == 0;
}

ScoreFileLocation inDataFolder(const QByteArray& dataDir, const QByteArray& legacy = {})
{
    ScoreFileLocation where = ScoreFileLocation::fromBytes(JoinPath(dataDir, kScoreFileName), legacy);
    where.createFolder = true;
    return where;
}

QByteArray executableFolder()
{
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf);
    if (n <= 0 || n == static_cast<ssize_t>(sizeof buf))
        return {};
    return folderOf(QByteArray(buf, n));
}

} // namespace

QString shownPath(const QByteArray& path)
{
    QByteArray clean = withoutDoubledSlashes(path);
    // "~" is what HOME says; a home from the password database is shown in full.
    const QByteArray home = withoutDoubledSlashes(qgetenv("HOME"));
    if (home.startsWith('/') && home.size() > 1) {
        const QByteArray prefix = home.endsWith('/') ? home : home + '/';
        if (clean.startsWith(prefix))
            clean = "~/" + clean.mid(prefix.size());
    }
    return decodeShowingBadBytes(clean);
}

ScoreFileLocation::ScoreFileLocation(const QString& p, const QString& legacyP)
    : path(p), legacyPath(legacyP), file(QFile::encodeName(p)), legacy(QFile::encodeName(legacyP))
{
}

ScoreFileLocation ScoreFileLocation::fromBytes(const QByteArray& p, const QByteArray& legacyP)
{
    ScoreFileLocation where(QFile::decodeName(p), QFile::decodeName(legacyP));
    where.file = p;
    where.legacy = legacyP;
    return where;
}

QByteArray ScoreFileLocation::readFile() const
{
    if (!legacy.isEmpty() && lookAt(file, true).what == PathLook::Missing
        && lookAt(legacy, true).what == PathLook::File)
        return legacy;
    return file;
}

ScoreFileLocation locateScoreFile(const QByteArray& exeDir, const QByteArray& dataDir)
{
    const QByteArray beside = JoinPath(exeDir, kScoreFileName);
    // An installed copy (its desktop entry in ../share beside bin) never
    // writes into bin, even for root, who could.
    const bool installed =
        lookAt(exeDir + "/../share/applications/" BIMZO_APP_ID ".desktop", true).what != PathLook::Missing;
    if (!installed && isWritableFolder(exeDir))
        return ScoreFileLocation::fromBytes(beside);
    return inDataFolder(dataDir, beside);
}

ScoreFileLocation locateScoreFile(const QString& exeDir, const QString& dataDir)
{
    const QByteArray exe = QFile::encodeName(exeDir);
    if (exeDir.contains(QChar::ReplacementCharacter) && lookAt(exe, true).what == PathLook::Missing) {
        ScoreFileLocation where = inDataFolder(QFile::encodeName(dataDir));
        where.unreachable = exeDir;
        return where;
    }
    return locateScoreFile(exe, QFile::encodeName(dataDir));
}

QByteArray scoreDataFolder()
{
    QByteArray base = qgetenv("XDG_DATA_HOME");
    if (!base.startsWith('/'))
        base = homeFolder() + "/.local/share";
    return withoutDoubledSlashes(base + "/bimzo");
}

ScoreFileLocation locateScoreFile()
{
    const QByteArray exe = executableFolder();
    if (exe.isEmpty())
        return locateScoreFile(QCoreApplication::applicationDirPath(), QFile::decodeName(scoreDataFolder()));
    return locateScoreFile(exe, scoreDataFolder());
}

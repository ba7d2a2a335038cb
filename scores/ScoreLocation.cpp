#include "scores/ScoreLocation.h"

#include "BuildInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString JoinPath(const QString& dir, const QString& file, QChar separator)
{
    if (dir.endsWith(separator))
        return dir + file;
    return dir + separator + file;
}

QString JoinPath(const QString& dir, const QString& file)
{
    return JoinPath(dir, file, QDir::separator());
}

PathEntry inspectPath(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return info.isSymLink() ? PathEntry::Other : PathEntry::Missing;  // a dangling link is not "missing"
    // A directory, FIFO or device: opening a FIFO would block the game.
    return info.isFile() ? PathEntry::File : PathEntry::Other;
}

QString ScoreFileLocation::readPath() const
{
    if (!legacyPath.isEmpty() && inspectPath(path) == PathEntry::Missing
        && inspectPath(legacyPath) == PathEntry::File)
        return legacyPath;
    return path;
}

ScoreFileLocation locateScoreFile(const QString& exeDir, const QString& dataDir)
{
    const QString name = QString::fromLatin1(kScoreFileName);
    const QString beside = JoinPath(QDir::toNativeSeparators(exeDir), name);
    const QFileInfo dir(exeDir);
    // An installed copy (its desktop entry in ../share beside bin) never
    // writes into bin, even for root, who could.
    const bool installed = QFileInfo::exists(
        exeDir + QStringLiteral("/../share/applications/" BIMZO_APP_ID ".desktop"));
    if (!installed && dir.isDir() && dir.isWritable())
        return ScoreFileLocation(beside);
    QDir().mkpath(dataDir);  // a failure shows up as an error when the file is opened
    return ScoreFileLocation(JoinPath(QDir::toNativeSeparators(dataDir), name), beside);
}

ScoreFileLocation locateScoreFile()
{
    return locateScoreFile(QCoreApplication::applicationDirPath(),
                           QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

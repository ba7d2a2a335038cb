#pragma once
// Where BIMZO.DAT lives: beside the executable, or, when that directory is not
// writable (an installed game), in the user's data directory. In that case a
// BIMZO.DAT still lying beside the executable is read as the starting table
// until the first save creates the file in the data directory; it is never
// written or removed.

#include <QChar>
#include <QString>

#include <functional>
#include <utility>

inline constexpr char kScoreFileName[] = "BIMZO.DAT";

// `dir` and `file` with exactly one separator between them. The separator is
// not doubled when `dir` already ends with it; an empty `dir` gives sep + file.
QString JoinPath(const QString& dir, const QString& file, QChar separator);
// With the platform's separator ("/" here, "\" on Windows).
QString JoinPath(const QString& dir, const QString& file);

// What is at a path: nothing, a regular file (symlinks followed), or something
// else (a directory, FIFO, device or dangling link).
enum class PathEntry { Missing, File, Other };
PathEntry inspectPath(const QString& path);

struct ScoreFileLocation {
    QString path;        // where the table is read and written
    QString legacyPath;  // BIMZO.DAT beside a read-only executable, or empty

    explicit ScoreFileLocation(QString p = {}, QString legacy = {})
        : path(std::move(p)), legacyPath(std::move(legacy)) {}
    // The file a load reads: `legacyPath` until `path` exists.
    QString readPath() const;
};

// Where the dialogs find the score file, asked afresh for every load and
// save; tests point it at a folder of their own.
using ScoreFileLocator = std::function<ScoreFileLocation()>;

// Chooses the location for an executable in `exeDir`, with `dataDir` as the
// fallback (created when needed). Looks at the disk each time. An installed
// copy (its desktop entry exists in exeDir/../share/applications) always uses
// `dataDir`.
ScoreFileLocation locateScoreFile(const QString& exeDir, const QString& dataDir);
// For this program: QCoreApplication::applicationDirPath() and
// QStandardPaths::AppDataLocation. Needs a QCoreApplication.
ScoreFileLocation locateScoreFile();

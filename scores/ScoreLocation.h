#pragma once
// Where BIMZO.DAT lives: beside the executable, or, when that directory is not
// writable (an installed game), in the user's data directory. The program
// settles it once, at its start, and keeps it for the run. In the second case a
// BIMZO.DAT still lying beside the executable is read as the starting table
// until the first save creates the file in the data directory; it is never
// written or removed.
//
// Paths are kept as the bytes the system knows them by: a folder whose name
// is not UTF-8 cannot be told apart in a QString, whose decoding is lossy.

#include <QByteArray>
#include <QString>

inline constexpr char kScoreFileName[] = "BIMZO.DAT";

// A path as a player would type it: $HOME as "~" (only when HOME says so: a
// home found elsewhere is shown as it is), no doubled "/", bytes that are
// not UTF-8 as \xNN.
QString shownPath(const QByteArray& path);
// The player's home: $HOME, or the password database's when HOME is unset.
QByteArray homeFolder();

struct ScoreFileLocation {
    QString path;        // where the table is read and written (decoded, for showing)
    QString legacyPath;  // BIMZO.DAT beside a read-only executable, or empty
    QByteArray file;     // `path` as bytes: what is opened
    QByteArray legacy;   // `legacyPath` as bytes
    // A folder that may hold the table but whose name could not be kept
    // (shown form), or empty: the first load says so.
    QString unreachable;
    bool createFolder = false;  // the data folder: made when a file is first written

    explicit ScoreFileLocation(const QString& p = {}, const QString& legacyP = {});
    static ScoreFileLocation fromBytes(const QByteArray& p, const QByteArray& legacyP = {});
    // The file a load reads: `legacy` until `file` exists.
    QByteArray readFile() const;
};

// Chooses the location for an executable in `exeDir`, with `dataDir` as the
// fallback (created when needed). An installed
// copy (its desktop entry exists in exeDir/../share/applications) always uses
// `dataDir`.
ScoreFileLocation locateScoreFile(const QByteArray& exeDir, const QByteArray& dataDir);
// The same for decoded folders. An `exeDir` that decoding has damaged (it holds
// U+FFFD and does not exist) is `unreachable`.
ScoreFileLocation locateScoreFile(const QString& exeDir, const QString& dataDir);
// For this program: the folder of /proc/self/exe, read as bytes, and the data
// folder ($XDG_DATA_HOME, else ~/.local/share, then "bimzo").
ScoreFileLocation locateScoreFile();
QByteArray scoreDataFolder();

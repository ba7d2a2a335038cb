#pragma once
// Reading and writing the high-score table in BIMZO.DAT.
//
// Where the file lives: BIMZO.DAT beside the executable, or, when that
// directory is not writable (an installed game), in the user's data directory.
// In that case a BIMZO.DAT still lying beside the executable is read as the
// starting table until the first save creates the file in the data directory;
// it is never written or removed.
//
// None of the operations throws or ends the program. Each returns a status;
// on failure the table in memory and the file on disk are left as they were.

#include "scores/scoretable.h"

#include <QString>

#include <utility>

struct ScoreFileStatus {
    enum class Code {
        Ok,
        NotAFile,         // a directory or device where the file should be
        OpenFailed,
        ReadFailed,
        WriteFailed,
        NameNotStorable,  // a character CP932 lacks
        NameTooLong,      // more than 65535 bytes
        CheckOverflow,    // score1 * 5 outside 32 bits
        ScoreOutOfRange,  // a score that does not fit 32 bits
        NoConverter,      // CP932 conversion missing on this system
        LockFailed,
    };

    Code code = Code::Ok;
    QString message;       // Japanese, names the file and the reason; empty when ok
    bool damaged = false;  // load only: the record was cut short or a name had invalid bytes

    bool ok() const { return code == Code::Ok; }
    explicit operator bool() const { return ok(); }

    static ScoreFileStatus Failure(Code code, const QString& path, const QString& reason = {});
};

// `dir` and `file` with exactly one separator between them. The separator is
// not doubled when `dir` already ends with it; an empty `dir` gives sep + file.
QString JoinPath(const QString& dir, const QString& file, QChar separator);
// With the platform's separator ("/" here, "\" on Windows).
QString JoinPath(const QString& dir, const QString& file);

struct ScoreFileLocation {
    QString path;        // where the table is read and written
    QString legacyPath;  // BIMZO.DAT beside a read-only executable, or empty

    explicit ScoreFileLocation(QString p = {}, QString legacy = {})
        : path(std::move(p)), legacyPath(std::move(legacy)) {}
    // The file a load reads: `legacyPath` until `path` exists.
    QString readPath() const;
};

// Chooses the location for an executable in `exeDir`, with `dataDir` as the
// fallback (created when needed). Looks at the disk each time. An installed
// copy (exeDir/../share/applications/org.example.Bimzo.desktop exists) always
// uses `dataDir`.
ScoreFileLocation LocateScoreFile(const QString& exeDir, const QString& dataDir);
// For this program: QCoreApplication::applicationDirPath() and
// QStandardPaths::AppDataLocation. Needs a QCoreApplication.
ScoreFileLocation LocateScoreFile();
QString ScoreFilePath();

// Replaces `table` with the record in the file. A missing file is created
// empty and gives the empty table. A damaged file loads as ParseScoreRecord
// describes and still counts as ok (status.damaged says so).
ScoreFileStatus LoadScoreTable(ScoreTable& table, const ScoreFileLocation& where);
ScoreFileStatus LoadScoreTable(ScoreTable& table, const QString& path);
ScoreFileStatus LoadScoreTable(ScoreTable& table);

// Writes `table` as it is (the caller sets tag and check). The file becomes the
// record followed by the old file's bytes past the record's end, so a shorter
// record leaves the length and the stale tail as they were. The new content is
// written to a temporary file and renamed over the old one.
ScoreFileStatus SaveScoreTable(const ScoreTable& table, const ScoreFileLocation& where);
ScoreFileStatus SaveScoreTable(const ScoreTable& table, const QString& path);
ScoreFileStatus SaveScoreTable(const ScoreTable& table);

// The program-wide table the dialogs share.
ScoreTable& SharedScoreTable();

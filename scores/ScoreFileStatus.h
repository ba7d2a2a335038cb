#pragma once
// What a score-file operation reports: a code and, on failure, a Japanese
// message that says what became of the table, why, and which file.

#include <QByteArray>
#include <QString>

struct Place;

struct ScoreFileStatus {
    enum class Code {
        Ok,
        NotAFile,         // a directory, FIFO, device or dangling link where a file should be
        OpenFailed,
        ReadFailed,
        WriteFailed,
        NameNotStorable,  // a character CP932 lacks
        NameTooLong,      // more than 65535 bytes
        CheckOverflow,    // score1 * 5 outside 32 bits
        ScoreOutOfRange,  // a score that does not fit 32 bits
        NoConverter,      // CP932 conversion missing on this system
        LockFailed,       // another copy holds the lock
        SyncFailed,       // written and renamed, but the folder could not be synced
        FolderUnreadable, // the folder that may hold the table has a name that cannot be opened
        ForeignLink,      // a symbolic link another user made, not followed
    };

    Code code = Code::Ok;
    QString cause;         // one sentence: why, naming the file
    QString message;       // the whole text for the player; empty when ok
    int error = 0;         // errno of the call that failed, 0 if none
    bool damaged = false;  // load only: the record was cut short or a name had invalid bytes

    bool ok() const { return code == Code::Ok; }
    // The file now holds the new table (a save or record that got as far as the rename).
    bool written() const { return code == Code::Ok || code == Code::SyncFailed; }

    static ScoreFileStatus failure(Code code, const QString& cause, int error = 0);
    // A table the file cannot take: NameNotStorable, NameTooLong, CheckOverflow, ScoreOutOfRange.
    static ScoreFileStatus refusal(Code code);
    // Sets the message: `headline`, the cause, then `after`, one to a line.
    ScoreFileStatus& explain(const QString& headline, const QString& after = {});
};

// A failure of a call on `path`: `what` holds %1 for the path and %2 for the reason.
ScoreFileStatus failedOn(ScoreFileStatus::Code code, const QString& what, const QByteArray& path, int error);
// Why `at` (the score file, or with `lock` its lock) cannot be used as found:
// a link another user made, a folder that cannot be reached, a dangling link,
// or something other than a regular file; ok otherwise, and when nothing is there.
ScoreFileStatus placeProblem(const Place& at, bool lock);
// `at` holds something of `mode` that is not a regular file.
ScoreFileStatus notAFile(const Place& at, unsigned mode, bool lock);

// The reason an errno stands for, as a short Japanese phrase.
QString describeError(int error);
// What kind of thing a stat mode is, in Japanese ("フォルダー", "名前付きパイプ（FIFO）", ...).
QString describeKind(unsigned mode);

#pragma once
// What a score-file operation reports: a code and, on failure, a Japanese
// message that says what became of the table, why, and which file.

#include <QString>

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

// The reason an errno stands for, as a short Japanese phrase.
QString describeError(int error);
// What kind of thing a stat mode is, in Japanese ("フォルダー", "名前付きパイプ（FIFO）", ...).
QString describeKind(unsigned mode);

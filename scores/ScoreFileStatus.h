#pragma once
// What a score-file operation reports: a code and, on failure, a Japanese
// message naming the file and the reason.

#include <QString>

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
    QString message;       // empty when ok
    bool damaged = false;  // load only: the record was cut short or a name had invalid bytes

    bool ok() const { return code == Code::Ok; }

    static ScoreFileStatus failure(Code code, const QString& path, const QString& reason = {});
};

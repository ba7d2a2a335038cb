#pragma once
// The high-score table and its record in BIMZO.DAT, without any file access.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <optional>

inline constexpr char kScoreFileName[] = "BIMZO.DAT";
inline constexpr qint32 kScoreTag = 121;
inline constexpr qsizetype kMaxNameBytes = 65535;             // the 2-byte length
inline constexpr qsizetype kMinRecordBytes = 38;              // three empty names
inline constexpr qsizetype kMaxRecordBytes = kMinRecordBytes + 3 * kMaxNameBytes;

// A player name: the text shown, and the bytes it is stored as.
// A name read from the file keeps the bytes it was read with, so moving it to
// another place writes it back unchanged even where decoding lost something.
class ScoreName {
public:
    ScoreName() = default;
    // A name typed by the player. Not storable if CP932 lacks one of its characters.
    static ScoreName FromText(const QString& text);
    // A name as read from the file.
    static ScoreName FromBytes(const QByteArray& bytes);

    const QString& text() const { return text_; }
    // The bytes written to the file (empty when not storable).
    const QByteArray& bytes() const { return bytes_; }
    bool isStorable() const { return storable_; }
    // Whether the bytes were valid CP932 (false: the text shows U+FFFD for them).
    bool isClean() const { return clean_; }
    bool isEmpty() const { return text_.isEmpty() && bytes_.isEmpty(); }

    bool operator==(const ScoreName&) const = default;

private:
    QString text_;
    QByteArray bytes_;
    bool storable_ = true;
    bool clean_ = true;
};

// The three places, best first, and the two fields stamped on every save.
// A fresh table is all zeros with empty names.
struct ScoreTable {
    qint32 score1 = 0;
    ScoreName name1;
    qint32 hits1 = 0;
    qint32 score2 = 0;
    ScoreName name2;
    qint32 hits2 = 0;
    qint32 score3 = 0;
    ScoreName name3;
    qint32 hits3 = 0;
    qint32 tag = 0;
    qint32 check = 0;

    bool operator==(const ScoreTable&) const = default;
};

// The result of reading a record from the start of a file's bytes.
struct ParsedScoreRecord {
    ScoreTable table;
    qsizetype length = 0;   // bytes the fields read took up
    bool complete = false;  // every field was there
    bool clean = true;      // every name was valid CP932
};

// Reads the fields in file order while each fits whole in `data`. The first
// field that does not fit (a number cut short, a name length or name running
// past the end) and every field after it stay zero / empty. Bytes past the
// record are ignored. Never reads outside `data`.
ParsedScoreRecord ParseScoreRecord(QByteArrayView data);

// The record's bytes, or nothing when a name is not storable or longer than
// kMaxNameBytes bytes.
std::optional<QByteArray> SerializeScoreRecord(const ScoreTable& table);

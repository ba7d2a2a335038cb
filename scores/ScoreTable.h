#pragma once
// The high-score table held in memory.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>

// A player name: the text shown, and the bytes it is stored as.
// A name read from the file keeps the bytes it was read with, so moving it to
// another place writes it back unchanged even where decoding lost something.
class ScoreName {
public:
    ScoreName() = default;
    // A name typed by the player. Not storable if CP932 lacks one of its characters.
    static ScoreName fromText(const QString& text);
    // A name as read from the file.
    static ScoreName fromBytes(const QByteArray& bytes);

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

// One place: score, name and hit count always move together.
struct ScoreEntry {
    qint32 score = 0;
    ScoreName name;
    qint32 hits = 0;

    bool operator==(const ScoreEntry&) const = default;
};

inline constexpr int kScorePlaces = 3;

// The three places, best first (entries[0] is score1/name1/hits1), and the
// two fields stamped on every save. A fresh table is all zeros with empty names.
struct ScoreTable {
    std::array<ScoreEntry, kScorePlaces> entries{};
    qint32 tag = 0;
    qint32 check = 0;

    bool operator==(const ScoreTable&) const = default;
};

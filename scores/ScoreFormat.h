#pragma once
// The record of BIMZO.DAT: the table's bytes and back, without any file access.

#include "scores/ScoreFileStatus.h"
#include "scores/ScoreTable.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

inline constexpr qsizetype kMaxNameBytes = 65535;             // the 2-byte length
inline constexpr qsizetype kMinRecordBytes = 38;              // three empty names
inline constexpr qsizetype kMaxRecordBytes = kMinRecordBytes + kScorePlaces * kMaxNameBytes;

// Whether the name can be written to the file: NameNotStorable, NameTooLong or Ok.
ScoreFileStatus::Code storeProblem(const ScoreName& name);
// The first name of the table that cannot be written, or Ok.
ScoreFileStatus::Code storeProblem(const ScoreTable& table);

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
ParsedScoreRecord parseScoreRecord(QByteArrayView data);

// The record's bytes, or nothing when storeProblem(table) is not Ok.
std::optional<QByteArray> serializeScoreRecord(const ScoreTable& table);

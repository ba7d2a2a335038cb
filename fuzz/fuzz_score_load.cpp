// Fuzzes the loader: any bytes as BIMZO.DAT must load without reading outside
// them, and saving what was loaded must give back the same file.

#include "scores/ScoreFile.h"
#include "scores/ScoreFormat.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz_score_load: %s\n", what);
        std::abort();
    }
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    Require(f.open(QIODevice::ReadOnly), "cannot reread the file");
    return f.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("BIMZO.DAT"));
    // An exact-size copy, so ASan catches any read past the end.
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const ParsedScoreRecord parsed = parseScoreRecord(bytes);
    Require(parsed.length <= bytes.size(), "record longer than the data");
    const std::optional<QByteArray> record = serializeScoreRecord(parsed.table);
    Require(record.has_value(), "a loaded table cannot be saved");
    if (parsed.complete)
        Require(*record == bytes.left(parsed.length), "loaded record does not write back byte for byte");

    // The file round trip costs an fsync; every 16th input is enough for it.
    static unsigned calls = 0;
    if (calls++ % 16 != 0)
        return 0;

    {
        QFile f(path);
        Require(f.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the input");
        Require(f.write(bytes) == bytes.size(), "short write of the input");
    }
    ScoreTable table;
    table.entries[1].score = 12345;  // must be replaced
    const ScoreFileStatus loaded = LoadScoreTable(table, path);
    Require(loaded.ok(), "load failed");
    Require(table == parsed.table, "file load differs from parse");
    Require(ReadAll(path) == bytes, "load changed the file");

    // The saved file is the record followed by the old bytes past its end, up to the longest record's.
    Require(SaveScoreTable(table, path).ok(), "save failed");
    Require(ReadAll(path) == (*record + bytes.mid(record->size())).left(kMaxRecordBytes), "save broke the tail rule");
    return 0;
}

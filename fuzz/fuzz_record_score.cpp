// Fuzzes the ranking step over any table, score, hit count and name.

#include "scores/Ranking.h"
#include "scores/ScoreFormat.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz_record_score: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    double score = 0;
    switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0: score = in.ConsumeIntegral<qint16>(); break;
    case 1: score = in.ConsumeFloatingPoint<float>(); break;
    default: score = in.ConsumeFloatingPoint<double>(); break;
    }
    const int hits = in.ConsumeIntegral<int>();
    const std::string nameUtf8 = in.ConsumeRandomLengthString(64);
    const QString name = QString::fromUtf8(nameUtf8.data(), static_cast<qsizetype>(nameUtf8.size()));
    const std::vector<std::uint8_t> rest = in.ConsumeRemainingBytes<std::uint8_t>();
    const ScoreTable table = parseScoreRecord(QByteArrayView(rest.data(), static_cast<qsizetype>(rest.size()))).table;

    const RankOutcome r = rankScore(table, score, hits, name);
    if (r.code != ScoreFileStatus::Code::Ok) {
        Require(r.table == table, "a refused ranking changed the table");
        return 0;
    }
    const ScoreTable& t = r.table;
    Require(t.tag == 121, "tag");
    Require(static_cast<qint64>(t.entries[0].score) * 5 == t.check, "check");

    const auto& before = table.entries;
    const auto& after = t.entries;
    const int p = static_cast<int>(r.place) - 1;  // -1: no place
    for (int i = 0; i < kScorePlaces; ++i) {
        if (p < 0 || i < p)
            Require(after[i] == before[i], "a place above the new entry moved");
        else if (i == p)
            Require(after[i].hits == hits && after[i].name.text() == name, "new entry");
        else
            Require(after[i] == before[i - 1], "a place below did not move down whole");
    }
    if (p >= 0)
        Require(serializeScoreRecord(t).has_value(), "ranked table cannot be saved");
    return 0;
}

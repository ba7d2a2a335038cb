#include "scores/ScoreFormat.h"

#include <QtEndian>

ScoreFileStatus::Code storeProblem(const ScoreName& name)
{
    using C = ScoreFileStatus::Code;
    if (!name.isStorable())
        return C::NameNotStorable;
    if (name.bytes().size() > kMaxNameBytes)
        return C::NameTooLong;
    return C::Ok;
}

ScoreFileStatus::Code storeProblem(const ScoreTable& table)
{
    for (const ScoreEntry& e : table.entries)
        if (const auto code = storeProblem(e.name); code != ScoreFileStatus::Code::Ok)
            return code;
    return ScoreFileStatus::Code::Ok;
}

namespace {

// Each read is skipped once one has failed, so the fields after a cut stay empty.
class Reader {
public:
    explicit Reader(QByteArrayView data) : data_(data) {}

    void readInt(qint32& out)
    {
        if (!ok_ || data_.size() - pos_ < 4) {
            ok_ = false;
            return;
        }
        out = qFromLittleEndian<qint32>(data_.data() + pos_);
        pos_ += 4;
    }

    void readName(ScoreName& out)
    {
        if (!ok_ || data_.size() - pos_ < 2) {
            ok_ = false;
            return;
        }
        const qsizetype len = qFromLittleEndian<quint16>(data_.data() + pos_);
        if (data_.size() - pos_ - 2 < len) {
            ok_ = false;
            return;
        }
        out = ScoreName::fromBytes(data_.sliced(pos_ + 2, len).toByteArray());
        pos_ += 2 + len;
    }

    bool ok() const { return ok_; }
    qsizetype pos() const { return pos_; }

private:
    QByteArrayView data_;
    qsizetype pos_ = 0;
    bool ok_ = true;
};

void appendInt(QByteArray& out, qint32 v)
{
    char buf[4];
    qToLittleEndian(v, buf);
    out.append(buf, 4);
}

void appendName(QByteArray& out, const ScoreName& name)
{
    char len[2];
    qToLittleEndian(static_cast<quint16>(name.bytes().size()), len);
    out.append(len, 2);
    out.append(name.bytes());
}

} // namespace

// File order: score1 name1 hits1, score2 name2 hits2, score3 name3 hits3, tag, check.
ParsedScoreRecord parseScoreRecord(QByteArrayView data)
{
    ParsedScoreRecord parsed;
    ScoreTable& t = parsed.table;
    Reader r(data);
    for (ScoreEntry& e : t.entries) {
        r.readInt(e.score);
        r.readName(e.name);
        r.readInt(e.hits);
    }
    r.readInt(t.tag);
    r.readInt(t.check);
    parsed.complete = r.ok();
    parsed.length = r.pos();
    for (const ScoreEntry& e : t.entries)
        parsed.clean = parsed.clean && e.name.isClean();
    return parsed;
}

std::optional<QByteArray> serializeScoreRecord(const ScoreTable& t)
{
    if (storeProblem(t) != ScoreFileStatus::Code::Ok)
        return std::nullopt;
    qsizetype size = kMinRecordBytes;
    for (const ScoreEntry& e : t.entries)
        size += e.name.bytes().size();
    QByteArray out;
    out.reserve(size);
    for (const ScoreEntry& e : t.entries) {
        appendInt(out, e.score);
        appendName(out, e.name);
        appendInt(out, e.hits);
    }
    appendInt(out, t.tag);
    appendInt(out, t.check);
    return out;
}

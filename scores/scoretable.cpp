#include "scores/scoretable.h"

#include "scores/cp932.h"

#include <QtEndian>

ScoreName ScoreName::FromText(const QString& text)
{
    ScoreName name;
    name.text_ = text;
    if (auto bytes = EncodeCp932(text))
        name.bytes_ = std::move(*bytes);
    else
        name.storable_ = false;
    return name;
}

ScoreName ScoreName::FromBytes(const QByteArray& bytes)
{
    ScoreName name;
    name.bytes_ = bytes;
    name.text_ = DecodeCp932(bytes, &name.clean_);
    return name;
}

namespace {

class Reader {
public:
    explicit Reader(QByteArrayView data) : data_(data) {}

    bool readInt(qint32& out)
    {
        if (!ok_ || data_.size() - pos_ < 4)
            return ok_ = false;
        out = qFromLittleEndian<qint32>(data_.data() + pos_);
        pos_ += 4;
        return true;
    }

    bool readName(ScoreName& out)
    {
        if (!ok_ || data_.size() - pos_ < 2)
            return ok_ = false;
        const qsizetype len = qFromLittleEndian<quint16>(data_.data() + pos_);
        if (data_.size() - pos_ - 2 < len)
            return ok_ = false;
        out = ScoreName::FromBytes(data_.sliced(pos_ + 2, len).toByteArray());
        pos_ += 2 + len;
        return true;
    }

    bool ok() const { return ok_; }
    qsizetype pos() const { return pos_; }

private:
    QByteArrayView data_;
    qsizetype pos_ = 0;
    bool ok_ = true;
};

void AppendInt(QByteArray& out, qint32 v)
{
    char buf[4];
    qToLittleEndian(v, buf);
    out.append(buf, 4);
}

} // namespace

ParsedScoreRecord ParseScoreRecord(QByteArrayView data)
{
    ParsedScoreRecord parsed;
    ScoreTable& t = parsed.table;
    Reader r(data);
    // Each read is skipped once one has failed, so the fields after a cut stay empty.
    r.readInt(t.score1);
    r.readName(t.name1);
    r.readInt(t.hits1);
    r.readInt(t.score2);
    r.readName(t.name2);
    r.readInt(t.hits2);
    r.readInt(t.score3);
    r.readName(t.name3);
    r.readInt(t.hits3);
    r.readInt(t.tag);
    r.readInt(t.check);
    parsed.complete = r.ok();
    parsed.length = r.pos();
    parsed.clean = t.name1.isClean() && t.name2.isClean() && t.name3.isClean();
    return parsed;
}

std::optional<QByteArray> SerializeScoreRecord(const ScoreTable& t)
{
    for (const ScoreName* n : {&t.name1, &t.name2, &t.name3})
        if (!n->isStorable() || n->bytes().size() > kMaxNameBytes)
            return std::nullopt;

    QByteArray out;
    out.reserve(kMinRecordBytes + t.name1.bytes().size() + t.name2.bytes().size()
                + t.name3.bytes().size());
    auto appendName = [&out](const ScoreName& n) {
        char len[2];
        qToLittleEndian(static_cast<quint16>(n.bytes().size()), len);
        out.append(len, 2);
        out.append(n.bytes());
    };
    AppendInt(out, t.score1);
    appendName(t.name1);
    AppendInt(out, t.hits1);
    AppendInt(out, t.score2);
    appendName(t.name2);
    AppendInt(out, t.hits2);
    AppendInt(out, t.score3);
    appendName(t.name3);
    AppendInt(out, t.hits3);
    AppendInt(out, t.tag);
    AppendInt(out, t.check);
    return out;
}

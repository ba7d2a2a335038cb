#include "scores/ScoreTable.h"

#include "scores/Cp932.h"

ScoreName ScoreName::fromText(const QString& text)
{
    ScoreName name;
    name.text_ = text;
    if (auto bytes = encodeCp932(text))
        name.bytes_ = std::move(*bytes);
    else
        name.storable_ = false;
    return name;
}

ScoreName ScoreName::fromBytes(const QByteArray& bytes)
{
    ScoreName name;
    name.bytes_ = bytes;
    name.text_ = decodeCp932(bytes, &name.clean_);
    return name;
}

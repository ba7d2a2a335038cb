#include "ui/BandedRegion.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {
using Span = std::pair<int, int>;  // first and last column

// The columns the rectangles cover from row `top` to row `bottom`, as
// sorted spans that neither overlap nor touch.
std::vector<Span> spansOfBand(const std::vector<QRect>& rects, int top, int bottom)
{
    std::vector<Span> spans;
    for (const QRect& r : rects) {
        if (r.top() <= top && r.bottom() >= bottom)
            spans.emplace_back(r.left(), r.right());
    }
    std::sort(spans.begin(), spans.end());
    std::vector<Span> merged;
    for (const Span& s : spans) {
        if (!merged.empty() && s.first <= merged.back().second + 1)
            merged.back().second = std::max(merged.back().second, s.second);
        else
            merged.push_back(s);
    }
    return merged;
}
} // namespace

QRegion bandedUnion(const std::vector<QRect>& given)
{
    std::vector<QRect> rects;
    std::copy_if(given.begin(), given.end(), std::back_inserter(rects), [](const QRect& r) { return !r.isEmpty(); });
    std::vector<int> edges;  // the rows where a band may start
    for (const QRect& r : rects) {
        edges.push_back(r.top());
        edges.push_back(r.bottom() + 1);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    std::vector<QRect> banded;
    std::vector<Span> previous;
    size_t previousStart = 0;
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        const int top = edges[i], bottom = edges[i + 1] - 1;
        std::vector<Span> spans = spansOfBand(rects, top, bottom);
        const bool continues = !banded.empty() && !spans.empty() && banded.back().bottom() + 1 == top
                               && spans == previous;
        if (continues) {  // the same columns as the band above: one band
            for (size_t k = previousStart; k < banded.size(); ++k)
                banded[k].setBottom(bottom);
            continue;
        }
        if (spans.empty())
            continue;
        previousStart = banded.size();
        for (const Span& s : spans)
            banded.emplace_back(QPoint(s.first, top), QPoint(s.second, bottom));
        previous = std::move(spans);
    }
    QRegion region;
    region.setRects(banded.data(), static_cast<int>(banded.size()));
    return region;
}

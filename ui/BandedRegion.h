#pragma once

#include <QRect>
#include <QRegion>

#include <vector>

// The union of rectangles as a region, built band by band in one pass.
// Added one at a time, each rectangle would be merged with every band of
// the region so far.
QRegion bandedUnion(const std::vector<QRect>& rects);

#pragma once

#include <QFont>

// The two Japanese proportional faces the windows are drawn in. The IPA
// faces stand in where the original ones are missing.
namespace fonts {
enum class Face { Gothic, Mincho };

// `points` at 96 dpi, set as a pixel size so the look does not depend on the
// display's reported resolution; Qt's scale factor still applies.
QFont japanese(Face face, double points, bool bold = false, bool italic = false);
} // namespace fonts

#pragma once

#include <QColor>

// The colours the three windows share.
namespace colours {
inline constexpr QColor kBack(128, 128, 255);   // behind the tiles of bimzo and HI_S
inline constexpr QColor kPanel(192, 192, 255);  // captions and the name box
inline constexpr QColor kBlue(0, 0, 255);       // the white-on-blue cells
inline constexpr QColor kRed(255, 0, 0);        // a hit lane, the final score
// Text and lines on the game's own colours, where the designer asked for
// the system's text colour: black, as on a light desktop. Taken from the
// style, a dark one would make them light on light.
inline constexpr QColor kText(0, 0, 0);
} // namespace colours

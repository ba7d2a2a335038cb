#pragma once

#include <QKeyEvent>

namespace keys {
// The character code a key press handler gets for Enter.
inline constexpr int kEnter = 13;

// Return on the main block or Enter on the keypad.
inline bool isEnter(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}
} // namespace keys

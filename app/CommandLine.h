#pragma once

#include <optional>

// --help and --version answer on stdout before any window or display is
// opened. Returns the exit status when one of them was given; every other
// argument is left to Qt.
std::optional<int> answerCommandLine(int argc, char* argv[]);

// The value of one of Qt's own options as Qt reads it ("-platform wayland",
// or with "--"; the last one counts), or nullptr when it is not given.
const char* qtOptionValue(int argc, const char* const argv[], const char* option);

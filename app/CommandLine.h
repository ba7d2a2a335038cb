#pragma once

#include <optional>

// --help and --version answer on stdout before any window or display is
// opened. Returns the exit status when one of them was given; every other
// argument is left to Qt.
std::optional<int> AnswerCommandLine(int argc, char* argv[]);

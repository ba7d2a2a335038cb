#pragma once

#include "scores/scorefile.h"

#include <functional>

// Where the dialogs find the score file, asked afresh for every load and
// save; tests point it at a folder of their own.
using ScoreFileLocator = std::function<ScoreFileLocation()>;

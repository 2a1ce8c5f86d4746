#pragma once

// What the guided entry says under a prompt asked again: why the text typed
// was no number, in one short line, so that the surveyor mends it rather
// than typing the same again.

#include "number_reading.h"

#include <string>

namespace korvane {

// "不是数字", "含有单位：……" and the like
std::string refusalLine(NumberRefusal why);

} // namespace korvane

#pragma once

#include "sheet/sheetpainter.h"

namespace Tarvosk {

struct SheetStyle;

// The page's look for the painter: the style's three fonts (an unset size is
// 18 points for the headline and 8 for labels and values, an unset name
// "Times New Roman") and whether frames and ruling lines show. The line
// widths stay those of the standard look.
SheetLook sheetLookFromStyle(const SheetStyle &style);

} // namespace Tarvosk

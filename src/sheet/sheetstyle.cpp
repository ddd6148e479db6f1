#include "sheet/sheetstyle.h"

#include <algorithm>
#include <cmath>

namespace Tarvosk {

double SheetStyle::clampedSize(double size, double largest)
{
    if (!std::isfinite(size) || size <= 0)
        return 0;
    return std::clamp(size, smallestSize, largest);
}

} // namespace Tarvosk

#pragma once
// Lets GoogleTest print strip rectangles in failure messages.
#include "toolstrip/StripLayout.h"

#include <ostream>

inline void PrintTo(const StripRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << ")";
}

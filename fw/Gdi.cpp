#include "fw/Gdi.h"

HBRUSH CDC::GetHalftoneBrush()
{
    // One brush for the process, made on first use and kept until exit, as the
    // system's own halftone brush would be.
    static const CBrush brush = [] {
        const WORD pattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
        CBitmap bitmap(::CreateBitmap(8, 8, 1, 1, pattern));
        return CBrush(::CreatePatternBrush(bitmap));
    }();
    return brush;
}

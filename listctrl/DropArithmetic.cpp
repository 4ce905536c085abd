#include "listctrl/DropArithmetic.h"

int DropIndex(int nSource, int nTarget, int nCount)
{
    const auto isItem = [nCount](int i) { return i >= 0 && i < nCount; };
    if (!isItem(nSource) || !isItem(nTarget) || nTarget == nSource || nTarget == nSource + 1)
        return -1;
    return nSource < nTarget ? nTarget - 1 : nTarget;
}

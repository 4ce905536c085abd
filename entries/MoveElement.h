#pragma once
// Moving one element of a vector to another index, as a dragged item is
// re-inserted: the elements between shift one place toward its old index.
#include <algorithm>
#include <vector>

template <class T>
void MoveElement(std::vector<T>& elements, int nFrom, int nTo)
{
    auto first = elements.begin();
    if (nFrom < nTo)
        std::rotate(first + nFrom, first + nFrom + 1, first + nTo + 1);
    else if (nTo < nFrom)
        std::rotate(first + nTo, first + nFrom, first + nFrom + 1);
}

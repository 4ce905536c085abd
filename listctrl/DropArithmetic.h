#pragma once
// Where a dragged entry lands. The insertion marker stands at the top edge of
// the item under the pointer, so a drop puts the entry before that item.

// The index the entry from nSource has after the drop onto item nTarget, in a
// list of nCount items: it is taken out first, so a target below the source
// lands one place higher. -1 when the drop changes nothing: no source or no
// target (-1 or not an item), or a target that is the source itself or the
// item just below it.
int DropIndex(int nSource, int nTarget, int nCount);

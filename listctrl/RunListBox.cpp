#include "listctrl/RunListBox.h"

// IN PROGRESS: the open-file dialog comes with in-place editing.
void CRunListBox::Browse(int) {}

#pragma once
// Loading and saving the run list of the launcher's list control, beside the
// executable, with the user told of every failure.
class CListBoxEx;

// Fills the list from the run list file, or creates the file with the default
// entries. Returns whether the list may be saved over the file at close (not
// when the file exists but could not be read).
bool LoadRunList(CListBoxEx& list);
// Writes the list back; tells the user when the file cannot be written.
void SaveRunList(CListBoxEx& list);

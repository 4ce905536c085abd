#pragma once
// Loading and saving the run list of the launcher's list control, beside the
// executable, with the user told of every failure.
#include <functional>
#include <memory>
#include <string>

class CListBoxEx;
class IRunListStore;

// Fills the list from the run list file, or creates the file with the default
// entries. Returns whether the list may be saved over the file at close (not
// when the file exists but could not be read).
bool LoadRunList(CListBoxEx& list);
// Writes the list back; tells the user when the file cannot be written.
void SaveRunList(CListBoxEx& list);

// Makes the store that a load or a save reads and writes, for the file's path.
using RunListStoreFactory = std::function<std::unique_ptr<IRunListStore>(const std::string& path)>;
// For tests only: loads and saves use stores from this factory from now on
// (an empty one brings back the real file), so a test can make the disk fail
// part-way through a save and see what the user is told.
void SetRunListStoreFactoryForTesting(RunListStoreFactory factory);

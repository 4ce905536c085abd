#pragma once
// Loading and saving the list's entries in the run list file beside the
// executable, with the user told of every failure in a box owned by hOwner.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

class EntryList;
class IRunListStore;
class IRunListTarget;
enum class RunListSaveRule;

// Makes the store that a load or a save reads and writes, for the file's path;
// an empty factory means the real file.
using RunListStoreFactory = std::function<std::unique_ptr<IRunListStore>(const std::wstring& path)>;

// The run list file's full path, beside the executable; empty when the
// executable's own path is unknown.
std::wstring RunListFileBesideProgram();

// Fills the list from the run list file, or creates the file with the default
// entries. Returns when the list may be saved over the file at close.
RunListSaveRule LoadRunList(HWND hOwner, IRunListTarget& list, const RunListStoreFactory& makeStore = {});
// Writes the entries back; tells the user when the file cannot be written.
// Whether they were written.
bool SaveRunList(HWND hOwner, const EntryList& entries, const RunListStoreFactory& makeStore = {});
// The same over a damaged file, whose bytes are kept beside it first.
bool SaveRunListOverDamaged(HWND hOwner, const EntryList& entries, const RunListStoreFactory& makeStore = {});
// Tells the user that the list cannot be saved, as a failed save does.
void ReportRunListNotSaved(HWND hOwner);

#pragma once
// Loading the run list file into the list's entries at start-up and writing
// them back at close. Written against two small interfaces, so the same code
// runs on the real list and file and on in-memory doubles.
#include "entries/EntryList.h"
#include "runlist/ByteSource.h"
#include "runlist/CodePage.h"

#include <string>
#include <string_view>
#include <vector>

// Shown when the file can be neither read nor created, cannot be read though
// it exists, or cannot be located.
inline constexpr char kRunListErrorText[] = "create _zelrunlist file error.";
// Shown after a damaged file was loaded in part, followed by the number of
// entries loaded, a full stop and kRunListDamagedCopyText.
inline constexpr char kRunListDamagedText[] = "_zelrunlist.dat is damaged. Entries loaded from it: ";
inline constexpr char kRunListDamagedCopyText[] =
    " If you change the list, the damaged file is kept as _zelrunlist.dat.damaged.";
// The damaged file's copy is the file's path with this added.
inline constexpr wchar_t kRunListDamagedCopySuffix[] = L".damaged";

// Where a load puts the entries it read.
class IRunListTarget {
public:
    virtual ~IRunListTarget() = default;
    // Takes an entry for each path, in file order and named after the path's
    // file title, into the empty list whole; false, and the list left empty,
    // when it cannot take them all.
    virtual bool TakeEntries(std::vector<std::wstring> paths) = 0;
};

// The file layer.
class IRunListStore {
public:
    enum class ReadResult { Ok, Missing, Unreadable };
    virtual ~IRunListStore() = default;
    virtual ReadResult Read(std::string& bytes) = 0;
    // All or nothing: the old contents stay on failure.
    virtual bool Write(IByteSource& bytes) = 0;
    bool Write(std::string_view bytes)
    {
        StringByteSource source(bytes);
        return Write(source);
    }
    // Keeps a damaged file's bytes beside it, in place of an older copy; all
    // or nothing, as Write.
    virtual bool KeepDamagedCopy(std::string_view bytes) = 0;
};

enum class RunListOutcome {
    Loaded,        // the file was read whole
    Created,       // there was no file; it now holds the default entries
    Damaged,       // the entries before the damage were loaded
    CreateFailed,  // there was no file and none could be created
    Unreadable,    // the file exists but cannot be read: it must not be overwritten
    NoExePath,     // the executable's own path, and so the file's, is unknown
    ListFull,      // the list could not take every entry: it stays empty, and
                   // the file must not be overwritten with the part it took
    TooLarge,      // memory ran out: the entries before were loaded, and the
                   // file must not be overwritten with them
};

// When the list may be saved over the file at close.
enum class RunListSaveRule {
    Always,
    OnceChanged,   // a damaged file stays until the list is changed, and its
                   // bytes are kept beside it before the save (SaveRunListOverDamaged)
    Never,         // the file must not be overwritten: a change is lost
};

struct RunListLoadResult {
    RunListOutcome outcome = RunListOutcome::Loaded;
    int entryCount = 0;  // entries the load put into the list

    RunListSaveRule SaveRule() const;
    // The message box text the outcome calls for, or empty for none.
    std::string Message() const;
};

// `_zelrunlist.dat` in the executable's directory; empty for an empty exePath.
std::wstring RunListFilePath(std::wstring_view exePath);

// Fills the empty list from the store, each entry named after its path's file
// title, or creates the file with the default entries when it is missing.
// exePath is the executable's full path (empty when it could not be obtained
// whole). The file's single-byte strings are in codePage.
RunListLoadResult LoadRunList(IRunListTarget& list, IRunListStore& store, std::wstring_view exePath,
                              const ICodePage& codePage);

// What a save writes: the entry count and the entries' paths.
std::string RunListBytes(const EntryList& entries, const ICodePage& codePage);
bool SaveRunList(const EntryList& entries, IRunListStore& store, const ICodePage& codePage);
// The save over a damaged file: its bytes, as they are now, are kept beside it
// first; when they cannot be, nothing is written.
bool SaveRunListOverDamaged(const EntryList& entries, IRunListStore& store, const ICodePage& codePage);

#include "runlist/RunListWin.h"

#include "fw/App.h"
#include "fw/Module.h"
#include "runlist/AnsiCodePageWin.h"
#include "runlist/RunList.h"
#include "runlist/RunListStoreWin.h"

namespace {

std::wstring ExePath()
{
    return fw::GetModulePath().value_or(std::wstring());
}

std::unique_ptr<IRunListStore> MakeStore(const RunListStoreFactory& makeStore, const std::wstring& path)
{
    if (makeStore)
        return makeStore(path);
    return std::make_unique<RunListStoreWin>(path);
}

// Owned by the window that holds the list: during start-up no window is
// active yet, and a box without an owner could fall behind the dialog.
void TellUser(HWND hOwner, const std::string& text)
{
    AfxMessageBox(text, MB_OK, hOwner);
}

// Saves through save(entries, store, code page) into the file beside the
// executable; tells the user when the entries could not be written.
bool SaveWith(HWND hOwner, const EntryList& entries, const RunListStoreFactory& makeStore,
              bool (*save)(const EntryList&, IRunListStore&, const ICodePage&))
{
    const std::wstring filePath = RunListFileBesideProgram();
    const bool bSaved = !filePath.empty() && save(entries, *MakeStore(makeStore, filePath), AnsiCodePageWin());
    if (!bSaved)
        ReportRunListNotSaved(hOwner);
    return bSaved;
}

}  // namespace

std::wstring RunListFileBesideProgram()
{
    return RunListFilePath(ExePath());
}

RunListSaveRule LoadRunList(HWND hOwner, IRunListTarget& list, const RunListStoreFactory& makeStore)
{
    const std::wstring exePath = ExePath();
    const std::wstring filePath = RunListFilePath(exePath);
    if (!filePath.empty())
        RemoveLeftoverTempFiles(filePath);
    const std::unique_ptr<IRunListStore> store = MakeStore(makeStore, filePath);
    const RunListLoadResult result = LoadRunList(list, *store, exePath, AnsiCodePageWin());
    const std::string message = result.Message();
    if (!message.empty())
        TellUser(hOwner, message);
    return result.SaveRule();
}

bool SaveRunList(HWND hOwner, const EntryList& entries, const RunListStoreFactory& makeStore)
{
    return SaveWith(hOwner, entries, makeStore, ::SaveRunList);
}

bool SaveRunListOverDamaged(HWND hOwner, const EntryList& entries, const RunListStoreFactory& makeStore)
{
    return SaveWith(hOwner, entries, makeStore, ::SaveRunListOverDamaged);
}

void ReportRunListNotSaved(HWND hOwner)
{
    TellUser(hOwner, kRunListErrorText);
}

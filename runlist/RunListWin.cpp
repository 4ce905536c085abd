#include "runlist/RunListWin.h"

#include "fw/App.h"
#include "fw/Module.h"
#include "runlist/RunList.h"
#include "runlist/RunListStoreWin.h"

namespace {

std::string ExePath()
{
    return fw::GetModulePath().value_or(std::string());
}

std::unique_ptr<IRunListStore> MakeStore(const RunListStoreFactory& makeStore, const std::string& path)
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

}  // namespace

std::string RunListFileBesideProgram()
{
    return RunListFilePath(ExePath());
}

bool LoadRunList(HWND hOwner, IRunListTarget& list, const RunListStoreFactory& makeStore)
{
    const std::string exePath = ExePath();
    const std::string filePath = RunListFilePath(exePath);
    if (!filePath.empty())
        RemoveLeftoverTempFiles(filePath);
    const std::unique_ptr<IRunListStore> store = MakeStore(makeStore, filePath);
    const RunListLoadResult result = LoadRunList(list, *store, exePath);
    const std::string message = result.Message();
    if (!message.empty())
        TellUser(hOwner, message);
    return result.MaySave();
}

void SaveRunList(HWND hOwner, const EntryList& entries, const RunListStoreFactory& makeStore)
{
    const std::string filePath = RunListFileBesideProgram();
    if (filePath.empty() || !SaveRunList(entries, *MakeStore(makeStore, filePath)))
        ReportRunListNotSaved(hOwner);
}

void ReportRunListNotSaved(HWND hOwner)
{
    TellUser(hOwner, kRunListErrorText);
}

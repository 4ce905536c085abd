// The scene launcher: a double-click on an entry starts the player beside the
// launcher on that entry's scene file, without waiting for it.
#include <optional>
#include <string>

#include "fw/App.h"
#include "fw/Module.h"
#include "launch/CommandLine.h"
#include "listctrl/ListBoxEx.h"
#include "runlist/PathRules.h"

namespace {

constexpr char kLaunchErrorText[] = "Can't Execute the Program!";

// zelrun.exe in the launcher's own directory, looked up afresh for every
// launch; empty when the launcher's path cannot be had whole.
std::optional<std::string> PlayerPath()
{
    const std::optional<std::string> exePath = fw::GetModulePath();
    if (!exePath)
        return std::nullopt;
    return SiblingPath(*exePath, launch::kPlayerName, launch::kPlayerExtension);
}

void ReportLaunchFailure(HWND hList)
{
    AfxMessageBox(kLaunchErrorText, MB_OK, ::GetAncestor(hList, GA_ROOT));
}

}  // namespace

// Called on a double-click: the entry under the pointer (not the selection) is
// played. Where there is no entry nothing is started and nothing is said.
void CListBoxEx::OnLButtonDblClk(UINT, CPoint point)
{
    Default();
    const int nItem = ItemFromClientPoint(point);
    if (nItem == -1)
        return;
    // A truncated player path could start some other program: the user is
    // told instead, as for a player that is not there.
    const std::optional<std::string> playerPath = PlayerPath();
    if (!playerPath) {
        ReportLaunchFailure(m_hWnd);
        return;
    }
    Launch(launch::BuildCommandLine(*playerPath, m_arrPaths.GetAt(nItem)));
}

// The player inherits the launcher's environment and current directory and
// runs on its own: both handles are closed at once, only the ids stay.
BOOL CListBoxEx::Launch(std::string strCmdLine)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = launch::kStartupFlags;
    startup.wShowWindow = launch::kShowCommand;
    if (!::CreateProcessA(nullptr, strCmdLine.data(), nullptr, nullptr, FALSE, launch::kCreationFlags,
                          nullptr, nullptr, &startup, &m_procInfo)) {
        ReportLaunchFailure(m_hWnd);
        return FALSE;
    }
    ::CloseHandle(m_procInfo.hThread);
    ::CloseHandle(m_procInfo.hProcess);
    m_procInfo.hThread = nullptr;
    m_procInfo.hProcess = nullptr;
    return TRUE;
}

#include "listctrl/RunListBox.h"

#include <commdlg.h>

#include <vector>

#include "runlist/PathRules.h"

namespace {

// Room for the longest path the system allows, so long paths are not refused.
constexpr DWORD kMaxPathChars = 32768;

}  // namespace

void CRunListBox::Browse(int nIndex)
{
    const std::optional<std::string> path = RunOpenFileDialog();
    if (!path)
        return;
    // The item's text changes only if the edit is accepted; the path does now.
    SetEditText(DisplayName(*path));
    m_arrPaths.SetAt(nIndex, *path);
}

std::optional<std::string> CRunListBox::RunOpenFileDialog()
{
    if (m_fnOpenFileDialog)
        return m_fnOpenFileDialog();
    std::vector<char> file(kMaxPathChars, '\0');
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    // Owned by the window that holds the list: the launcher's main dialog.
    ofn.hwndOwner = ::GetAncestor(m_hWnd, GA_ROOT);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kMaxPathChars;
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;   // the framework's default flags
    if (!::GetOpenFileNameA(&ofn))
        return std::nullopt;
    return std::string(file.data());
}

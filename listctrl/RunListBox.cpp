#include "listctrl/RunListBox.h"

#include <commdlg.h>

#include <vector>

#include "runlist/PathRules.h"

namespace {

// Room for the longest path the system allows, so long paths are not refused.
constexpr DWORD kMaxPathChars = 32768;

using GetOpenFileNameFunction = BOOL(WINAPI*)(OPENFILENAMEA*);

// The open-file dialog's function, from comdlg32.dll loaded the first time
// the user browses (and kept for the process's life, as an import would be).
// Only browsing needs it: imported, the library and the shell libraries it
// brings were loaded at every start (20 to 45 ms under Wine here).
GetOpenFileNameFunction OpenFileDialogFunction()
{
    static const GetOpenFileNameFunction function = [] {
        const HMODULE module = ::LoadLibraryA("comdlg32.dll");
        const FARPROC proc = module != nullptr ? ::GetProcAddress(module, "GetOpenFileNameA") : nullptr;
        return reinterpret_cast<GetOpenFileNameFunction>(reinterpret_cast<void (*)()>(proc));
    }();
    return function;
}

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
    std::vector<char> file(kMaxPathChars, '\0');
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    // Owned by the window that holds the list: the launcher's main dialog.
    ofn.hwndOwner = ::GetAncestor(m_hWnd, GA_ROOT);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kMaxPathChars;
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;   // the framework's default flags
    const GetOpenFileNameFunction getOpenFileName = OpenFileDialogFunction();
    if (getOpenFileName == nullptr || !getOpenFileName(&ofn))
        return std::nullopt;
    return std::string(file.data());
}

#include "listctrl/RunListBox.h"

#include <commdlg.h>

#include <utility>
#include <vector>

#include "fw/SystemLibrary.h"
#include "paths/PathRules.h"

namespace {

// Room for the longest path the system allows, so long paths are not refused.
constexpr DWORD kMaxPathChars = 32768;

using GetOpenFileNameFunction = BOOL(WINAPI*)(OPENFILENAMEW*);

// The open-file dialog's function, from comdlg32.dll loaded the first time
// the user browses (and kept for the process's life, as an import would be).
// Only browsing needs it: imported, the library and the shell libraries it
// brings were loaded at every start (20 to 45 ms under Wine here).
GetOpenFileNameFunction OpenFileDialogFunction()
{
    static const GetOpenFileNameFunction function = [] {
        return fw::SystemFunction<GetOpenFileNameFunction>(fw::LoadSystemLibrary(L"comdlg32.dll"),
                                                           "GetOpenFileNameW");
    }();
    return function;
}

}  // namespace

// While the dialog is up the edit may end (the session ending, a message from
// elsewhere) and another may begin: the file goes only to the edit that asked.
void CRunListBox::Browse(int nIndex)
{
    const unsigned nEdit = m_edit.Serial();
    const std::optional<std::wstring> path = RunOpenFileDialog();
    if (!path || !IsEditing() || m_edit.Serial() != nEdit)
        return;
    // The item's text changes only if the edit is accepted; the path does now.
    SetEditText(DisplayName(*path));
    m_entries.SetPath(nIndex, *path);
}

std::optional<std::wstring> CRunListBox::RunOpenFileDialog()
{
    if (m_fnOpenFileDialog)
        return m_fnOpenFileDialog();
    std::vector<wchar_t> file(kMaxPathChars, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    // Owned by the window that holds the list: the launcher's main dialog.
    ofn.hwndOwner = ::GetAncestor(m_hWnd, GA_ROOT);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kMaxPathChars;
    // The framework's default flags; and the current directory, which every
    // player inherits, stays where the launcher was started.
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    const GetOpenFileNameFunction getOpenFileName = OpenFileDialogFunction();
    if (getOpenFileName == nullptr || !getOpenFileName(&ofn))
        return std::nullopt;
    return std::wstring(file.data());
}

void CRunListBox::PreSubclassWindow()
{
    CListBoxEx::PreSubclassWindow();
    // What DragAcceptFiles does, without loading the shell at every start.
    ModifyStyleEx(0, WS_EX_ACCEPTFILES);
}

LRESULT CRunListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DROPFILES) {
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    return CListBoxEx::WindowProc(message, wParam, lParam);
}

namespace {

// The shell's drop functions, from shell32.dll loaded with the first drop
// (and kept, as an import would be): imported, the shell and the libraries it
// brings were loaded at every start, about 5 ms under Wine.
struct DropFunctions {
    using QueryFile = UINT(WINAPI*)(HDROP, UINT, LPWSTR, UINT);
    using Finish = void(WINAPI*)(HDROP);
    QueryFile queryFile;
    Finish finish;
};

const DropFunctions& ShellDropFunctions()
{
    static const DropFunctions functions = [] {
        const HMODULE hShell = fw::LoadSystemLibrary(L"shell32.dll");
        return DropFunctions{fw::SystemFunction<DropFunctions::QueryFile>(hShell, "DragQueryFileW"),
                             fw::SystemFunction<DropFunctions::Finish>(hShell, "DragFinish")};
    }();
    return functions;
}

// The drop's memory belongs to the receiver, which frees it when done; without
// the shell the drop holds no files and its memory is freed as DragFinish would.
class DropFiles {
public:
    explicit DropFiles(HDROP hDrop) : m_hDrop(hDrop), m_shell(ShellDropFunctions()) {}
    ~DropFiles()
    {
        if (m_shell.finish != nullptr)
            m_shell.finish(m_hDrop);
        else
            ::GlobalFree(m_hDrop);
    }
    DropFiles(const DropFiles&) = delete;
    DropFiles& operator=(const DropFiles&) = delete;

    UINT Count() const { return m_shell.queryFile != nullptr ? QueryFile(0xFFFFFFFF, nullptr, 0) : 0; }
    std::wstring Path(UINT i) const
    {
        std::wstring path(QueryFile(i, nullptr, 0), L'\0');
        // The length asked for first is without the terminating null.
        QueryFile(i, path.data(), static_cast<UINT>(path.size()) + 1);
        return path;
    }

private:
    UINT QueryFile(UINT i, wchar_t* pszFile, UINT cch) const { return m_shell.queryFile(m_hDrop, i, pszFile, cch); }

    HDROP m_hDrop;
    const DropFunctions& m_shell;
};

// A path that may lie on another machine: one that starts with two slashes
// (a share's \\server\share\..., and the rare \\?\ and \\.\ forms with it)
// or one on a network drive, whose type is known without asking the server.
bool IsOnNetwork(const std::wstring& path)
{
    const auto isSlash = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    if (path.size() >= 2 && isSlash(path[0]) && isSlash(path[1]))
        return true;
    if (path.size() < 2 || path[1] != L':')
        return false;
    const std::wstring root = path.substr(0, 2) + L"\\";
    return ::GetDriveTypeW(root.c_str()) == DRIVE_REMOTE;
}

// A path on the network counts as a file without asking: a server that does
// not answer would hold the window for the network's timeout (tens of
// seconds). A folder dropped from a share is then added as an entry.
bool IsFolder(const std::wstring& path)
{
    if (IsOnNetwork(path))
        return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

void CRunListBox::OnDropFiles(HDROP hDrop)
{
    const DropFiles drop(hDrop);
    if (IsEditing())
        return;
    // The whole drop is one step of the history.
    EntriesInserted added{GetCount(), {}};
    for (UINT i = 0; i < drop.Count(); ++i) {
        std::wstring path = drop.Path(i);
        if (path.empty() || IsFolder(path))
            continue;
        ListEntry entry{DisplayName(path), std::move(path)};
        if (AppendEntry(entry) != -1)
            added.entries.push_back(std::move(entry));
    }
    if (!added.entries.empty())
        RecordStep(std::move(added));
}

// The yardstick for the launcher's start, load and save: the least a Win32
// program does to show the launcher's dialog template with the same entries in
// its owner-drawn list and to write the run list's bytes back at close.
//
// Beside itself it reads `_zelrunlist.dat` (kept whole, written back with one
// WriteFile when the dialog is destroyed) and `names.txt` (display names in
// UTF-8, one per line, converted in one call and added to the list with
// redrawing off). Without `names.txt` the list shows the fourteen default
// names. It derives and checks nothing. Its windows are Unicode windows, as
// the launcher's are, so a name in any script is shown as it is.
//
// Built a second time with NIMBREL_BENCH_COMMON_CONTROLS, it also loads the
// common controls library and registers its classes as the launcher does at
// start: what the launcher's start costs before any code of its own runs.
#include <windows.h>
#ifdef NIMBREL_BENCH_COMMON_CONTROLS
#include <commctrl.h>
#endif

#include <cwchar>
#include <string>

#include "app/resource.h"
#include "runlist/DefaultEntries.h"

namespace {

constexpr char kRunListName[] = "_zelrunlist.dat";
constexpr char kNamesName[] = "names.txt";

struct Yardstick {
    std::string dir;    // the executable's directory, with the trailing '\'
    std::string bytes;  // the run list file as read, written back at close
    std::wstring names; // names.txt in UTF-16; its line ends become terminators
};

std::string OwnDirectory()
{
    char path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path, n);
    return full.substr(0, full.find_last_of('\\') + 1);
}

// The whole file in one read; empty when it cannot be read.
std::string ReadWhole(const std::string& path)
{
    std::string bytes;
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    LARGE_INTEGER size{};
    DWORD got = 0;
    if (::GetFileSizeEx(file, &size) && size.QuadPart > 0) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        if (!::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
            got = 0;
        bytes.resize(got);
    }
    ::CloseHandle(file);
    return bytes;
}

void WriteWhole(const std::string& path, const std::string& bytes)
{
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

void AddName(HWND list, const wchar_t* name)
{
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
}

std::wstring FromUtf8(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(
        CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

void FillList(HWND list, Yardstick& state)
{
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    if (state.names.empty()) {
        for (const DefaultEntry& entry : kDefaultEntries)
            AddName(list, entry.name);
    } else {
        wchar_t* line = state.names.data();
        for (wchar_t* end; (end = std::wcschr(line, L'\n')) != nullptr; line = end + 1) {
            *end = L'\0';
            AddName(list, line);
        }
    }
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

void DrawEntry(const DRAWITEMSTRUCT& dis)
{
    if (dis.CtlID != IDC_RUNLIST || static_cast<int>(dis.itemID) == -1)
        return;
    wchar_t text[MAX_PATH] = {};   // display names are at most 255 characters
    ::SendMessageW(dis.hwndItem, LB_GETTEXT, dis.itemID, reinterpret_cast<LPARAM>(text));
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    ::FillRect(dis.hDC, &dis.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::SetTextColor(dis.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::SetBkMode(dis.hDC, TRANSPARENT);
    RECT rc = dis.rcItem;
    rc.left += 8;
    ::DrawTextW(dis.hDC, text, -1, &rc, DT_SINGLELINE | DT_VCENTER);
}

// All items share the height of the default font, as in the launcher.
void MeasureEntry(HWND hDlg, MEASUREITEMSTRUCT& mis)
{
    const HDC dc = ::GetDC(hDlg);
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    ::ReleaseDC(hDlg, dc);
    mis.itemHeight = static_cast<UINT>(tm.tmHeight + tm.tmExternalLeading);
}

INT_PTR CALLBACK DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<Yardstick*>(::GetWindowLongPtrW(hDlg, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        ::SetWindowLongPtrW(hDlg, DWLP_USER, lParam);
        FillList(::GetDlgItem(hDlg, IDC_RUNLIST), *reinterpret_cast<Yardstick*>(lParam));
        return TRUE;
    case WM_MEASUREITEM:
        MeasureEntry(hDlg, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        DrawEntry(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            ::EndDialog(hDlg, LOWORD(wParam));
        return TRUE;
    case WM_DESTROY:
        WriteWhole(state->dir + kRunListName, state->bytes);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
#ifdef NIMBREL_BENCH_COMMON_CONTROLS
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
#endif
    Yardstick state;
    state.dir = OwnDirectory();
    state.bytes = ReadWhole(state.dir + kRunListName);
    state.names = FromUtf8(ReadWhole(state.dir + kNamesName));
    ::DialogBoxParamW(hInstance, MAKEINTRESOURCEW(IDD_RUN_DIALOG), nullptr, DialogProc,
                      reinterpret_cast<LPARAM>(&state));
    return 0;
}

// Uses the unpacked package as a user would: starts its launcher from the
// current directory (which is not the launcher's own), double-clicks the first
// entry, and checks that the packaged player opens that entry's scene from the
// package. Then closes both windows and checks the run list that the launcher
// saved beside itself.
//
// Usage: package_driver.exe PACKAGE_DIR
// Prints what it checked; exit code 0 when everything held.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "runlist/RunListFile.h"
#include "tests/win/ExeResources.h"
#include "tests/win/UniqueHandle.h"

namespace {

constexpr DWORD kPatienceMs = 20000;   // a fresh Wine prefix is slow to start anything
constexpr DWORD kMessageTimeoutMs = 5000;
constexpr char kLauncherCaption[] = "Nimbrel Run XP";
constexpr int kListId = 1000;

bool g_failed = false;

// Records one check; the driver goes on after a failed one where it can.
bool Check(bool ok, const std::string& what)
{
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    std::fflush(stdout);
    g_failed = g_failed || !ok;
    return ok;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

bool SamePath(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}

std::string FullPath(const std::string& path)
{
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? std::string(full, n) : path;
}

std::string CurrentDirectory()
{
    char dir[MAX_PATH];
    const DWORD n = GetCurrentDirectoryA(MAX_PATH, dir);
    return n > 0 && n < MAX_PATH ? std::string(dir, n) : std::string();
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Text of another process's window or list item: the wide messages are the ones
// marshalled faithfully across processes.
std::string Narrow(const std::wstring& wide)
{
    std::string text(wide.size() * 2 + 1, '\0');
    text.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                                        text.data(), static_cast<int>(text.size()), nullptr,
                                                        nullptr)));
    return text;
}

LRESULT SendWaiting(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result))
        return -1;
    return static_cast<LRESULT>(result);
}

std::string WindowText(HWND hwnd)
{
    const LRESULT length = SendWaiting(hwnd, WM_GETTEXTLENGTH, 0, 0);
    if (length < 0)
        return "";
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got = SendWaiting(hwnd, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(got < 0 ? 0 : static_cast<size_t>(got));
    return Narrow(wide);
}

std::string ListItemText(HWND list, int index)
{
    const LRESULT length = SendWaiting(list, LB_GETTEXTLEN, index, 0);
    if (length < 0)
        return "";
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got = SendWaiting(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(got < 0 ? 0 : static_cast<size_t>(got));
    return Narrow(wide);
}

// A process this driver started or found; ended by force if it is still
// running when the driver lets go of it (a failed check must not leave it).
class Process {
public:
    explicit Process(HANDLE handle = nullptr, DWORD id = 0) : m_handle(handle), m_id(id) {}
    ~Process()
    {
        if (m_handle && !Ended(0))
            TerminateProcess(m_handle.get(), 1);
    }
    Process(Process&&) = default;
    Process& operator=(Process&&) = default;

    static Process Start(const std::string& exe)
    {
        std::string commandLine = '"' + exe + '"';
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        // No current directory given: it inherits this driver's.
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &info))
            return Process();
        CloseHandle(info.hThread);
        WaitForInputIdle(info.hProcess, kPatienceMs);
        return Process(info.hProcess, info.dwProcessId);
    }

    static Process Open(DWORD id)
    {
        const DWORD access = SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION;
        return Process(OpenProcess(access, FALSE, id), id);
    }

    bool Exists() const { return m_handle != nullptr; }
    DWORD Id() const { return m_id; }
    bool Ended(DWORD waitMs) const { return WaitForSingleObject(m_handle.get(), waitMs) == WAIT_OBJECT_0; }

    std::string ImagePath() const
    {
        char path[MAX_PATH];
        DWORD size = MAX_PATH;
        return QueryFullProcessImageNameA(m_handle.get(), 0, path, &size) ? std::string(path, size) : "";
    }

private:
    UniqueHandle m_handle;
    DWORD m_id = 0;
};

DWORD WindowProcessId(HWND hwnd)
{
    DWORD id = 0;
    GetWindowThreadProcessId(hwnd, &id);
    return id;
}

// The first top-level window with this caption that `accept` takes, once
// there is one.
HWND WaitForWindow(const std::string& caption, const std::function<bool(HWND)>& accept)
{
    for (DWORD waited = 0; waited < kPatienceMs; waited += 100, Sleep(100)) {
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, nullptr, caption.c_str())) != nullptr;) {
            if (accept(w))
                return w;
        }
    }
    return nullptr;
}

struct FreeModule {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

// The packaged launcher carries its manifest and its version.
void CheckLauncherResources(const std::string& launcher)
{
    const wintest::VersionInfo version(launcher);
    Check(version.String("ProductName") == std::optional<std::string>("Nimbrel Run XP"),
          "the launcher's version resource names the product");
    Check(version.String("ProductVersion") == std::optional<std::string>(NIMBREL_PROJECT_VERSION),
          std::string("the launcher's product version is ") + NIMBREL_PROJECT_VERSION);

    const std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeModule> image(
        LoadLibraryExA(launcher.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    const std::string manifest = image ? wintest::ManifestText(image.get()) : "";
    Check(Contains(manifest, R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")") &&
              Contains(manifest, R"(level="asInvoker")"),
          "the launcher's manifest asks for common controls 6, as invoker");
}

// Double-clicks the first entry, as the user would, and returns the player's
// window once the packaged zelrun.exe shows that entry's scene.
HWND LaunchFirstEntry(HWND list, const std::string& player, const std::string& title, Process& playerProcess)
{
    const LRESULT itemHeight = SendWaiting(list, LB_GETITEMHEIGHT, 0, 0);
    const POINT pt{8, static_cast<LONG>(itemHeight / 2)};
    POINT screen = pt;
    ClientToScreen(list, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));

    return WaitForWindow(title, [&](HWND w) {
        Process candidate = Process::Open(WindowProcessId(w));
        if (!SamePath(candidate.ImagePath(), player))
            return false;
        playerProcess = std::move(candidate);
        return true;
    });
}

// The run list the launcher saved at close: beside it, every entry a scene of
// the package that is there.
void CheckSavedRunList(const std::string& root, int listCount)
{
    const RunListContents saved = ParseRunList(ReadFileBytes(root + "\\bin\\_zelrunlist.dat"));
    Check(!saved.IsDamaged() && static_cast<int>(saved.paths.size()) == listCount,
          "the launcher saved its " + std::to_string(listCount) + " entries beside itself");
    const std::string scenes = root + "\\shaders\\dx9\\";
    for (const std::string& path : saved.paths) {
        const bool inPackage = SamePath(path.substr(0, scenes.size()), scenes);
        Check(inPackage && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES,
              "the package holds the scene " + path);
    }
}

int Run(const std::string& root)
{
    const std::string launcher = root + "\\bin\\NimbrelRun.exe";
    const std::string player = root + "\\bin\\zelrun.exe";
    CheckLauncherResources(launcher);
    Check(!SamePath(CurrentDirectory(), root + "\\bin"), "started from " + CurrentDirectory() + ", not bin");

    Process launcherProcess = Process::Start(launcher);
    if (!Check(launcherProcess.Exists(), "the launcher starts"))
        return EXIT_FAILURE;
    HWND dialog = WaitForWindow(kLauncherCaption, [&](HWND w) { return WindowProcessId(w) == launcherProcess.Id(); });
    if (!Check(dialog != nullptr, "the launcher shows its window"))
        return EXIT_FAILURE;
    HWND list = GetDlgItem(dialog, kListId);
    const int listCount = static_cast<int>(SendWaiting(list, LB_GETCOUNT, 0, 0));
    if (!Check(listCount > 0, "the list has the default entries (" + std::to_string(listCount) + ")"))
        return EXIT_FAILURE;
    const std::string title = ListItemText(list, 0);
    if (!Check(!title.empty(), "the first entry is named \"" + title + '"'))
        return EXIT_FAILURE;

    Process playerProcess;
    HWND frame = LaunchFirstEntry(list, player, title, playerProcess);
    if (Check(frame != nullptr, "a double-click on \"" + title + "\" opens the packaged player on it")) {
        HWND text = FindWindowExA(frame, nullptr, "Edit", nullptr);
        const std::string shown = text ? WindowText(text) : "";
        Check(Contains(shown, "Scene: " + root + "\\shaders\\dx9\\") && Contains(shown, "File: found"),
              "the player found the scene in the package:\n" + shown);
        PostMessageA(frame, WM_CLOSE, 0, 0);
        Check(playerProcess.Ended(kPatienceMs), "the player closes");
    }

    PostMessageA(dialog, WM_CLOSE, 0, 0);
    if (Check(launcherProcess.Ended(kPatienceMs), "the launcher closes"))
        CheckSavedRunList(root, listCount);
    return g_failed ? EXIT_FAILURE : EXIT_SUCCESS;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: package_driver.exe PACKAGE_DIR\n");
        return EXIT_FAILURE;
    }
    return Run(FullPath(argv[1]));
}

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
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "runlist/RunListFile.h"
#include "tests/win/ChildProcess.h"
#include "tests/win/ExeResources.h"
#include "tests/win/TestFiles.h"
#include "fw/UniqueHandle.h"

namespace {

using wintest::ChildProcess;
using wintest::FoundProcess;
using wintest::ListItemText;
using wintest::SamePath;
using wintest::kPatienceMs;

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

std::string CurrentDirectory()
{
    char dir[MAX_PATH];
    const DWORD n = GetCurrentDirectoryA(MAX_PATH, dir);
    return n > 0 && n < MAX_PATH ? std::string(dir, n) : std::string();
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

// Double-clicks the first entry as the user would and returns the window, captioned
// `title`, of the packaged player (`player`) that it started.
HWND LaunchFirstEntry(HWND list, const std::string& player, const std::string& title, FoundProcess& started)
{
    const auto itemHeight = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    const POINT pt{8, static_cast<LONG>(itemHeight / 2)};
    POINT screen = pt;
    ClientToScreen(list, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));

    return wintest::WaitForWindowOf(player, title, started);
}

// The run list the launcher saved at close: beside it, every entry a scene
// that the package holds.
void CheckSavedRunList(const std::string& root, int listCount)
{
    const RunListContents saved =
        ParseRunList(wintest::ReadFileBytes(root + "\\bin\\_zelrunlist.dat"), AnsiCodePageWin());
    Check(!saved.IsDamaged() && static_cast<int>(saved.paths.size()) == listCount,
          "the launcher saved its " + std::to_string(listCount) + " entries beside itself");
    const std::string scenes = root + "\\shaders\\dx9\\";
    for (const std::string& path : wintest::NarrowAll(saved.paths)) {
        const bool inPackage = SamePath(path.substr(0, scenes.size()), scenes);
        Check(inPackage && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES,
              "the package holds the scene " + path);
    }
}

int Run(const std::string& root)
{
    const std::string launcher = root + "\\bin\\NimbrelRun.exe";
    CheckLauncherResources(launcher);
    Check(!SamePath(CurrentDirectory(), root + "\\bin"), "started from " + CurrentDirectory() + ", not bin");

    ChildProcess launcherProcess('"' + launcher + '"');   // in this driver's current directory
    HWND dialog = launcherProcess.Started() ? WaitForFrame(launcherProcess, kLauncherCaption) : nullptr;
    if (!Check(dialog != nullptr, "the launcher starts and shows its window"))
        return EXIT_FAILURE;
    HWND list = GetDlgItem(dialog, kListId);
    const int listCount = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    const std::string title = listCount > 0 ? ListItemText(list, 0) : "";
    if (!Check(!title.empty(), "the list has " + std::to_string(listCount) + " entries, the first \"" + title + '"'))
        return EXIT_FAILURE;

    FoundProcess player;
    HWND frame = LaunchFirstEntry(list, root + "\\bin\\zelrun.exe", title, player);
    if (Check(frame != nullptr, "a double-click on \"" + title + "\" opens the packaged player on it")) {
        const std::string shown = wintest::ShownText(frame);
        Check(Contains(shown, "Scene: " + root + "\\shaders\\dx9\\") && Contains(shown, "File: found"),
              "the player found the scene in the package:\n" + shown);
        PostMessageA(frame, WM_CLOSE, 0, 0);
        Check(player.Ended(kPatienceMs), "the player closes");
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
    return Run(wintest::FullPath(argv[1]));
}

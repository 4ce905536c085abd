#pragma once
// Starting the player beside the launcher on a scene file, without waiting
// for it, and telling the user when it cannot be started.
#include <windows.h>

#include <optional>
#include <string>

namespace launch {

// The player's command line for a scene: zelrun.exe in the launcher's own
// directory, looked up afresh for every launch; nothing when the launcher's
// path cannot be had whole (a truncated player path could start some other
// program) or the line would pass Windows' limit (it would be cut).
std::optional<std::wstring> PlayerCommandLine(const std::wstring& scenePath);

// Starts a complete command line; the player inherits the launcher's
// environment and current directory and runs on its own: both handles are
// closed at once, only the ids stay in info. On failure the user is told
// (the box owned by hFrom's window) and FALSE returned.
BOOL StartProgram(std::wstring commandLine, HWND hFrom, PROCESS_INFORMATION& info);

// "Can't Execute the Program!", owned by the top-level window of hFrom.
void ReportLaunchFailure(HWND hFrom);

}  // namespace launch

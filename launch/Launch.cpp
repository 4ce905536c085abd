#include "launch/Launch.h"

#include "fw/App.h"
#include "fw/Module.h"
#include "launch/CommandLine.h"
#include "paths/PathRules.h"

namespace launch {

namespace {

constexpr char kLaunchErrorText[] = "Can't Execute the Program!";

}  // namespace

std::optional<std::wstring> PlayerCommandLine(const std::wstring& scenePath)
{
    const std::optional<std::wstring> exePath = fw::GetModulePath();
    if (!exePath)
        return std::nullopt;
    std::wstring commandLine = BuildCommandLine(SiblingPath(*exePath, kPlayerName, kPlayerExtension), scenePath);
    if (!FitsCommandLineLimit(commandLine))
        return std::nullopt;
    return commandLine;
}

BOOL StartProgram(std::wstring commandLine, HWND hFrom, PROCESS_INFORMATION& info)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = kStartupFlags;
    startup.wShowWindow = kShowCommand;
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, kCreationFlags, nullptr,
                          nullptr, &startup, &info)) {
        ReportLaunchFailure(hFrom);
        return FALSE;
    }
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    info.hThread = nullptr;
    info.hProcess = nullptr;
    return TRUE;
}

void ReportLaunchFailure(HWND hFrom)
{
    AfxMessageBox(kLaunchErrorText, MB_OK, ::GetAncestor(hFrom, GA_ROOT));
}

}  // namespace launch

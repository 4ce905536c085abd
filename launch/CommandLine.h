#pragma once
// The player's command line: its own path and one scene path, each in double
// quotes, separated by one space. The player reads it with the C runtime's
// rules, and the quoting here is chosen so that those rules give back both
// paths exactly as stored.
#include <string>

namespace launch {

// The player lies beside the launcher: same drive and directory, this name.
inline constexpr char kPlayerName[] = "zelrun";
inline constexpr char kPlayerExtension[] = "exe";

// How the player process is started. The values are those of <windows.h>
// (NORMAL_PRIORITY_CLASS, STARTF_USESHOWWINDOW, SW_SHOW); the Win32 side checks
// them against the macros. The startup record's size is sizeof(STARTUPINFOA):
// 68 bytes in the 32-bit build.
inline constexpr unsigned long kCreationFlags = 0x20;
inline constexpr unsigned long kStartupFlags = 0x1;
inline constexpr unsigned short kShowCommand = 5;

// `"<player>" "<scene>"`. For paths without a trailing backslash and without a
// double quote this is exactly the plain quoted form; otherwise see QuoteArgument.
std::string BuildCommandLine(const std::string& playerPath, const std::string& scenePath);

// One argument in double quotes such that the runtime gives back `arg`:
// backslashes right before the closing quote are doubled, and an embedded quote
// becomes \" with the backslashes right before it doubled. Never produces ""
// inside quotes (Windows and Wine read that differently).
std::string QuoteArgument(const std::string& arg);

}  // namespace launch

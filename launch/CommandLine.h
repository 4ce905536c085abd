#pragma once
// The player's command line: its own path and one scene path, each in double
// quotes, separated by one space. The player reads it with the C runtime's
// rules, and the quoting here is chosen so that those rules give back both
// paths exactly as stored.
#include <cstddef>
#include <string>
#include <string_view>

namespace launch {

// The player lies beside the launcher: same drive and directory, this name.
inline constexpr wchar_t kPlayerName[] = L"zelrun";
inline constexpr wchar_t kPlayerExtension[] = L"exe";

// How the player process is started. The values are those of <windows.h>
// (NORMAL_PRIORITY_CLASS, STARTF_USESHOWWINDOW, SW_SHOW); the Win32 side checks
// them against the macros. The startup record's size is sizeof(STARTUPINFOW):
// 68 bytes in the 32-bit build.
inline constexpr unsigned long kCreationFlags = 0x20;
inline constexpr unsigned long kStartupFlags = 0x1;
inline constexpr unsigned short kShowCommand = 5;

// `"<player>" "<scene>"`. For paths without a trailing backslash and without a
// double quote this is exactly the plain quoted form; otherwise see QuoteArgument.
std::wstring BuildCommandLine(const std::wstring& playerPath, const std::wstring& scenePath);

// The longest command line Windows starts a program with, in UTF-16 code
// units, its terminating null included.
inline constexpr std::size_t kMaxCommandLineLength = 32767;

// Whether Windows takes the command line whole; a longer one is refused rather
// than started cut.
bool FitsCommandLineLimit(std::wstring_view commandLine);

// One argument in double quotes such that the runtime gives back `arg`:
// backslashes right before the closing quote are doubled, and an embedded quote
// becomes \" with the backslashes right before it doubled. Never produces ""
// inside quotes (Windows and Wine read that differently).
std::wstring QuoteArgument(const std::wstring& arg);

}  // namespace launch

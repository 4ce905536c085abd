#pragma once
// Splitting and building Windows paths by the documented rules of the C
// runtime's path splitting, without its limits: parts come back whole, and the
// one length cut the launcher needs (the display name's) is made explicitly.
// Paths are UTF-16: each element of a std::wstring is one UTF-16 code unit
// (wchar_t is wider than that on some systems; the values stay below 0x10000),
// so no part of a character can be taken for a separator, a colon or a dot.
#include <cstddef>
#include <string>
#include <string_view>

struct PathParts {
    std::wstring drive;  // "C:" or empty
    std::wstring dir;    // up to and including the last '\' or '/', or empty
    std::wstring fname;  // the file title
    std::wstring ext;    // from the last '.' of the file name, dot included, or empty
};

// Longest display name; longer file titles are cut.
inline constexpr std::size_t kMaxDisplayNameLength = 255;

// The drive is the first two characters when the second is ':'. The extension
// starts at the last '.' after the directory: ".bashrc" has an empty title,
// "file." the extension ".".
PathParts SplitPath(std::wstring_view path);

// The drive's first character and ':' (drive not empty); the directory, with a
// '\' added unless it is empty or ends in '\' or '/'; the file title; and, for
// a non-empty extension, '.' unless it begins with one, and the extension.
std::wstring MakePath(std::wstring_view drive, std::wstring_view dir,
                     std::wstring_view fname, std::wstring_view ext);

// The file title of path, cut to kMaxDisplayNameLength code units; a
// surrogate pair the cut would halve is left out whole.
std::wstring DisplayName(std::wstring_view path);
// The same, as the part of path it is.
std::wstring_view DisplayNameIn(std::wstring_view path);

// The parent of the executable's directory, as a directory part without drive:
// C:\Apps\Run\bin\launch.exe gives \Apps\Run\, and an executable in a drive's
// root (directory "\") gives an empty string.
std::wstring BaseDirectory(std::wstring_view exePath);

// A file in the executable's own directory: SiblingPath(exePath, L"zelrun",
// L"exe") names the player beside the launcher.
std::wstring SiblingPath(std::wstring_view exePath, std::wstring_view fname, std::wstring_view ext);

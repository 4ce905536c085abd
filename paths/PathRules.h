#pragma once
// Splitting and building Windows paths by the documented rules of the C
// runtime's path splitting, without its limits: parts come back whole, and the
// one length cut the launcher needs (the display name's) is made explicitly.
#include <cstddef>
#include <string>
#include <string_view>

struct PathParts {
    std::string drive;  // "C:" or empty
    std::string dir;    // up to and including the last '\' or '/', or empty
    std::string fname;  // the file title
    std::string ext;    // from the last '.' of the file name, dot included, or empty
};

// Longest display name; longer file titles are cut.
inline constexpr std::size_t kMaxDisplayNameLength = 255;

// The drive is the first two characters when the second is ':'. The extension
// starts at the last '.' after the directory: ".bashrc" has an empty title,
// "file." the extension ".".
PathParts SplitPath(std::string_view path);

// The drive's first character and ':' (drive not empty); the directory, with a
// '\' added unless it is empty or ends in '\' or '/'; the file title; and, for
// a non-empty extension, '.' unless it begins with one, and the extension.
std::string MakePath(std::string_view drive, std::string_view dir,
                     std::string_view fname, std::string_view ext);

// The file title of path, cut to kMaxDisplayNameLength characters.
std::string DisplayName(std::string_view path);

// The parent of the executable's directory, as a directory part without drive:
// C:\Apps\Run\bin\launch.exe gives \Apps\Run\, and an executable in a drive's
// root (directory "\") gives an empty string.
std::string BaseDirectory(std::string_view exePath);

// A file in the executable's own directory: SiblingPath(exePath, "zelrun",
// "exe") names the player beside the launcher.
std::string SiblingPath(std::string_view exePath, std::string_view fname, std::string_view ext);

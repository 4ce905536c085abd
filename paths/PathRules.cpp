#include "paths/PathRules.h"

#include <algorithm>

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// The four parts as views into the path: the display name, taken for every
// entry of a long list, needs no copies of the others.
struct PathPartViews {
    std::string_view drive, dir, fname, ext;
};

PathPartViews SplitPathViews(std::string_view path)
{
    PathPartViews parts;
    if (path.size() >= 2 && path[1] == ':') {
        parts.drive = path.substr(0, 2);
        path.remove_prefix(2);
    }
    // Searched from the end one character at a time: find_last_of looks each
    // character up in the set with a library call, which made the display
    // names most of the cost of loading a long list.
    const std::size_t dirLength =
        static_cast<std::size_t>(std::find_if(path.rbegin(), path.rend(), IsSeparator).base() - path.begin());
    parts.dir = path.substr(0, dirLength);
    path.remove_prefix(dirLength);
    const std::size_t lastDot = path.rfind('.');
    if (lastDot != std::string_view::npos) {
        parts.ext = path.substr(lastDot);
        path.remove_suffix(path.size() - lastDot);
    }
    parts.fname = path;
    return parts;
}

}  // namespace

PathParts SplitPath(std::string_view path)
{
    const PathPartViews parts = SplitPathViews(path);
    return {std::string(parts.drive), std::string(parts.dir), std::string(parts.fname), std::string(parts.ext)};
}

std::string MakePath(std::string_view drive, std::string_view dir,
                     std::string_view fname, std::string_view ext)
{
    std::string path;
    if (!drive.empty()) {
        path += drive.front();
        path += ':';
    }
    path += dir;
    if (!dir.empty() && !IsSeparator(dir.back()))
        path += '\\';
    path += fname;
    if (!ext.empty()) {
        if (ext.front() != '.')
            path += '.';
        path += ext;
    }
    return path;
}

std::string DisplayName(std::string_view path)
{
    return std::string(SplitPathViews(path).fname.substr(0, kMaxDisplayNameLength));
}

std::string BaseDirectory(std::string_view exePath)
{
    std::string exeDir = SplitPath(exePath).dir;
    if (!exeDir.empty())
        exeDir.pop_back();
    return SplitPath(exeDir).dir;
}

std::string SiblingPath(std::string_view exePath, std::string_view fname, std::string_view ext)
{
    const PathParts exe = SplitPath(exePath);
    return MakePath(exe.drive, exe.dir, fname, ext);
}

#include "paths/PathRules.h"

#include <algorithm>

namespace {

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

// The four parts as views into the path: the display name, taken for every
// entry of a long list, needs no copies of the others.
struct PathPartViews {
    std::wstring_view drive, dir, fname, ext;
};

PathPartViews SplitPathViews(std::wstring_view path)
{
    PathPartViews parts;
    if (path.size() >= 2 && path[1] == L':') {
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
    const std::size_t lastDot = path.rfind(L'.');
    if (lastDot != std::wstring_view::npos) {
        parts.ext = path.substr(lastDot);
        path.remove_suffix(path.size() - lastDot);
    }
    parts.fname = path;
    return parts;
}

}  // namespace

PathParts SplitPath(std::wstring_view path)
{
    const PathPartViews parts = SplitPathViews(path);
    return {std::wstring(parts.drive), std::wstring(parts.dir), std::wstring(parts.fname), std::wstring(parts.ext)};
}

std::wstring MakePath(std::wstring_view drive, std::wstring_view dir,
                     std::wstring_view fname, std::wstring_view ext)
{
    std::wstring path;
    if (!drive.empty()) {
        path += drive.front();
        path += L':';
    }
    path += dir;
    if (!dir.empty() && !IsSeparator(dir.back()))
        path += L'\\';
    path += fname;
    if (!ext.empty()) {
        if (ext.front() != L'.')
            path += L'.';
        path += ext;
    }
    return path;
}

std::wstring_view DisplayNameIn(std::wstring_view path)
{
    const std::wstring_view title = SplitPathViews(path).fname;
    std::size_t length = std::min(title.size(), kMaxDisplayNameLength);
    if (length < title.size() && IsHighSurrogate(title[length - 1]))
        --length;
    return title.substr(0, length);
}

std::wstring DisplayName(std::wstring_view path)
{
    return std::wstring(DisplayNameIn(path));
}

std::wstring BaseDirectory(std::wstring_view exePath)
{
    std::wstring exeDir = SplitPath(exePath).dir;
    if (!exeDir.empty())
        exeDir.pop_back();
    return SplitPath(exeDir).dir;
}

std::wstring SiblingPath(std::wstring_view exePath, std::wstring_view fname, std::wstring_view ext)
{
    const PathParts exe = SplitPath(exePath);
    return MakePath(exe.drive, exe.dir, fname, ext);
}

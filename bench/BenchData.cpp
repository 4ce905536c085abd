#include "bench/BenchData.h"

#include "paths/PathRules.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace bench {

namespace {

// The wide entries' name before their number, in UTF-16 and in UTF-8.
constexpr char16_t kWideStem[] = u"\u0141\u00f3d\u017a \u6771\u4eac_";
constexpr char kWideStemUtf8[] = "\xC5\x81\xC3\xB3" "d\xC5\xBA \xE6\x9D\xB1\xE4\xBA\xAC_";
constexpr unsigned char kWideMarker[] = {0xFF, 0xFE, 0xFF};

// Every path here is shorter than 255 units: its length takes one byte.
void AppendShortLength(std::string& out, std::size_t units)
{
    out.push_back(static_cast<char>(units));
}

void AppendSingleByte(std::string& out, std::string_view path)
{
    AppendShortLength(out, path.size());
    out.append(path);
}

void AppendWide(std::string& out, std::u16string_view path)
{
    out.append(reinterpret_cast<const char*>(kWideMarker), sizeof kWideMarker);
    AppendShortLength(out, path.size());
    for (const char16_t unit : path) {
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>(unit >> 8));
    }
}

void AppendInt32(std::string& out, std::uint32_t n)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((n >> shift) & 0xFF));
}

// The folder and the number of path i, as ScenePaths gives them.
void FolderAndNumber(int i, char (&folder)[32], char (&number)[16])
{
    std::snprintf(folder, sizeof folder, "C:\\Scenes\\dx9\\set_%03d\\", i / 1000 % 1000);
    std::snprintf(number, sizeof number, "%06d", i);
}

// The ASCII text in UTF-16.
std::u16string Utf16(std::string_view ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

// The display name of an ASCII path, in ASCII.
std::string AsciiDisplayName(std::string_view path)
{
    const std::wstring name = DisplayName(std::wstring(path.begin(), path.end()));
    return std::string(name.begin(), name.end());
}

}  // namespace

std::vector<std::string> ScenePaths(int n)
{
    std::vector<std::string> paths;
    paths.reserve(static_cast<std::size_t>(n));
    char folder[32];
    char number[16];
    for (int i = 0; i < n; ++i) {
        FolderAndNumber(i, folder, number);
        paths.push_back(std::string(folder) + "scene_" + number + ".zel");
    }
    return paths;
}

std::string DisplayNameLines(const std::vector<std::string>& paths)
{
    std::string lines;
    for (const std::string& path : paths)
        lines.append(AsciiDisplayName(path)).push_back('\n');
    return lines;
}

MixedRunList MakeMixedRunList(int n)
{
    const std::vector<std::string> paths = ScenePaths(n);
    MixedRunList list;
    AppendInt32(list.file, static_cast<std::uint32_t>(n));
    char folder[32];
    char number[16];
    for (int i = 0; i < n; ++i) {
        if ((i + 1) % kWideEvery != 0) {
            AppendSingleByte(list.file, paths[static_cast<std::size_t>(i)]);
            list.nameLines.append(AsciiDisplayName(paths[static_cast<std::size_t>(i)])).push_back('\n');
            continue;
        }
        FolderAndNumber(i, folder, number);
        AppendWide(list.file, Utf16(folder) + kWideStem + Utf16(number) + u".zel");
        list.nameLines.append(kWideStemUtf8).append(number).push_back('\n');
    }
    return list;
}

}  // namespace bench

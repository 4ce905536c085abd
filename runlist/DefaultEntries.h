#pragma once
// The fourteen entries a new run list file starts with: the player's
// demonstration scenes, under the parent of the executable's directory.
#include <array>
#include <string>
#include <string_view>

struct DefaultEntry {
    const wchar_t* name;          // display name, equal to the file title of the path
    const wchar_t* relativePath;  // below the base directory, without extension
};

inline constexpr int kDefaultEntryCount = 14;
inline constexpr wchar_t kSceneExtension[] = L"zel";

extern const std::array<DefaultEntry, kDefaultEntryCount> kDefaultEntries;

// Full path of entry i: the executable's drive, the base directory, the
// relative path and the extension "zel".
std::wstring DefaultEntryPath(std::wstring_view exePath, int i);

#pragma once
// Reading back what a program carries besides its code: its manifest, its
// version strings and numbers, and its icon directory.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace wintest {

// The bytes of resource `name` of type `type` in a loaded module; empty when
// it is not there.
inline std::string ResourceBytes(HMODULE module, LPCSTR type, LPCSTR name)
{
    HRSRC info = ::FindResourceA(module, name, type);
    HGLOBAL loaded = info ? ::LoadResource(module, info) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    return data ? std::string(static_cast<const char*>(data), ::SizeofResource(module, info)) : std::string();
}

inline std::string ManifestText(HMODULE module)
{
    return ResourceBytes(module, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));   // RT_MANIFEST, id 1
}

// A file's version resource, read the documented way (GetFileVersionInfoA).
class VersionInfo {
public:
    explicit VersionInfo(const std::string& file)
    {
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeA(file.c_str(), &ignored);
        m_data.resize(size);
        if (size == 0 || !::GetFileVersionInfoA(file.c_str(), 0, size, m_data.data()))
            m_data.clear();
    }

    bool Exists() const { return !m_data.empty(); }

    // A string value ("ProductName", ...) in the first language the resource lists.
    std::optional<std::string> String(const std::string& name) const
    {
        struct Translation { WORD language, codePage; };
        const auto* translation = static_cast<const Translation*>(Query("\\VarFileInfo\\Translation"));
        if (!translation)
            return std::nullopt;
        char path[128];
        std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", translation->language,
                      translation->codePage, name.c_str());
        const auto* text = static_cast<const char*>(Query(path));
        return text ? std::optional<std::string>(text) : std::nullopt;
    }

    // The file version numbers, "major.minor.patch.build".
    std::optional<std::string> FileVersion() const
    {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(Query("\\"));
        if (!fixed)
            return std::nullopt;
        return std::to_string(HIWORD(fixed->dwFileVersionMS)) + '.' + std::to_string(LOWORD(fixed->dwFileVersionMS)) +
               '.' + std::to_string(HIWORD(fixed->dwFileVersionLS)) + '.' + std::to_string(LOWORD(fixed->dwFileVersionLS));
    }

private:
    const void* Query(const char* path) const
    {
        void* value = nullptr;
        UINT length = 0;
        if (!Exists() || !::VerQueryValueA(m_data.data(), path, &value, &length) || length == 0)
            return nullptr;
        return value;
    }

    std::vector<char> m_data;
};

// One image of an icon group as its directory lists it.
struct IconImage {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    WORD id = 0;   // of the RT_ICON resource that holds the image
};

// The images of icon group `name`, in the order of its directory.
inline std::vector<IconImage> IconGroupImages(HMODULE module, LPCSTR name)
{
    constexpr std::size_t kHeader = 6, kEntry = 14;   // GRPICONDIR, GRPICONDIRENTRY
    const std::string dir = ResourceBytes(module, MAKEINTRESOURCEA(14), name);   // RT_GROUP_ICON
    const auto word = [&dir](std::size_t at) {
        return static_cast<WORD>(static_cast<std::uint8_t>(dir[at]) | static_cast<std::uint8_t>(dir[at + 1]) << 8);
    };
    std::vector<IconImage> images;
    if (dir.size() < kHeader)
        return images;
    const std::size_t count = word(4);
    for (std::size_t i = 0; i < count && kHeader + (i + 1) * kEntry <= dir.size(); ++i) {
        const std::size_t at = kHeader + i * kEntry;
        const auto size = [&dir](std::size_t byte) {   // 0 stands for 256
            const int n = static_cast<std::uint8_t>(dir[byte]);
            return n == 0 ? 256 : n;
        };
        images.push_back({size(at), size(at + 1), word(at + 6), word(at + 12)});
    }
    return images;
}

}  // namespace wintest

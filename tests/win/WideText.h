#pragma once
// The tests speak the ANSI code page (their texts are ASCII); the launcher's
// entries, paths and windows are UTF-16. These convert between the two.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "launch/CommandLine.h"
#include "paths/PathRules.h"
#include "runlist/AnsiCodePageWin.h"
#include "runlist/DefaultEntries.h"
#include "runlist/RunList.h"
#include "runlist/RunListFile.h"

namespace wintest {

inline std::wstring Widen(const std::string& text)
{
    return AnsiCodePageWin().ToWide(text);
}

inline std::string Narrow(const std::wstring& text)
{
    const int nChars = static_cast<int>(text.size());
    const int nBytes = ::WideCharToMultiByte(CP_ACP, 0, text.data(), nChars, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(nBytes > 0 ? nBytes : 0), '\0');
    if (nBytes > 0)
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), nChars, bytes.data(), nBytes, nullptr, nullptr);
    return bytes;
}

inline std::optional<std::wstring> Widen(const std::optional<std::string>& text)
{
    return text ? std::optional<std::wstring>(Widen(*text)) : std::nullopt;
}

template <class From, class To, class Convert>
std::vector<To> ConvertAll(const std::vector<From>& texts, Convert convert)
{
    std::vector<To> out;
    for (const From& text : texts)
        out.push_back(convert(text));
    return out;
}

inline std::vector<std::wstring> WidenAll(const std::vector<std::string>& texts)
{
    return ConvertAll<std::string, std::wstring>(texts, [](const std::string& text) { return Widen(text); });
}

inline std::vector<std::string> NarrowAll(const std::vector<std::wstring>& texts)
{
    return ConvertAll<std::wstring, std::string>(texts, Narrow);
}

}  // namespace wintest

// The run list file and its paths as the tests name them, in the ANSI code
// page, read and written as the launcher does.
struct NarrowRunListContents {
    std::vector<std::string> paths;
    RunListDamage damage = RunListDamage::None;

    bool IsDamaged() const { return damage != RunListDamage::None; }
};

inline NarrowRunListContents ParseRunList(std::string_view bytes)
{
    const RunListContents contents = ParseRunList(bytes, AnsiCodePageWin());
    return {wintest::NarrowAll(contents.paths), contents.damage};
}

inline std::string SerializeRunList(const std::vector<std::string>& paths)
{
    return SerializeRunList(wintest::WidenAll(paths), AnsiCodePageWin());
}

inline std::string RunListFilePath(const std::string& exePath)
{
    return wintest::Narrow(RunListFilePath(wintest::Widen(exePath)));
}

inline std::string DefaultEntryPath(const std::string& exePath, int i)
{
    return wintest::Narrow(DefaultEntryPath(wintest::Widen(exePath), i));
}

namespace launch {

inline std::string BuildCommandLine(const std::string& playerPath, const std::string& scenePath)
{
    return wintest::Narrow(BuildCommandLine(wintest::Widen(playerPath), wintest::Widen(scenePath)));
}

}  // namespace launch

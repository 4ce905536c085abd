#pragma once
// Text between UTF-16 and bytes, for the tests and the programs they start:
// what a path may hold is only whole in UTF-16 (or UTF-8). Most tests speak
// the code page of the ANSI calls (their texts are ASCII); the launcher's
// entries, paths and windows are UTF-16.
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

// Between UTF-16 and a code page's bytes, by default the code page of the ANSI
// calls (characters it lacks become its default character).
inline std::wstring Widen(const std::string& text, UINT codePage = CP_ACP)
{
    std::wstring wide(static_cast<size_t>(::MultiByteToWideChar(codePage, 0, text.data(),
                                                                static_cast<int>(text.size()), nullptr, 0)), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          static_cast<int>(wide.size()));
    return wide;
}

inline std::string Narrow(const std::wstring& wide, UINT codePage = CP_ACP)
{
    std::string text(static_cast<size_t>(::WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                                               nullptr, 0, nullptr, nullptr)), '\0');
    ::WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                          static_cast<int>(text.size()), nullptr, nullptr);
    return text;
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
    return ConvertAll<std::wstring, std::string>(texts, [](const std::wstring& text) { return Narrow(text); });
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

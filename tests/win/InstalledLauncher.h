#pragma once
// The launcher as a user runs it: NimbrelRun.exe copied into a directory of
// its own, started there, and its dialog and list reached from outside.
#include <windows.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "ChildProcess.h"
#include "RecordingPlayer.h"
#include "TestFiles.h"
#include "WinTest.h"
#include "fw/Types.h"

namespace wintest {

inline constexpr char kLauncherCaption[] = "Nimbrel Run XP";
inline constexpr int kLauncherListId = 1000;
inline constexpr int kLauncherStripId = 1009;

// Copies the launcher built beside the tests into dir (created with its
// parents). Returns the copy's path, or empty when it could not be copied.
inline std::wstring InstallLauncher(const std::wstring& dir)
{
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    const std::wstring exe = dir + L"\\NimbrelRun.exe";
    return CopyFileW(Widen(BesideTests(NIMBREL_LAUNCHER_FROM_TESTS)).c_str(), exe.c_str(), FALSE) ? exe
                                                                                                 : std::wstring();
}

inline std::string InstallLauncher(const std::string& dir)
{
    return Narrow(InstallLauncher(Widen(dir)));
}

// A launcher started from its path; ended by force if a failed test leaves it
// running.
class RunningLauncher {
public:
    // Waits until its dialog is shown. The dialog's window has its caption
    // before its controls are made and its list is loaded; it is shown only
    // once both are done.
    explicit RunningLauncher(const std::string& exe) : RunningLauncher(Widen(exe)) {}
    explicit RunningLauncher(const std::wstring& exe)
        : m_process(L'"' + exe + L'"'),
          m_dialog(m_process.Started() ? WaitForFrame(m_process, kLauncherCaption) : nullptr),
          m_list(m_dialog != nullptr && WaitUntil([this] { return IsWindowVisible(m_dialog) != FALSE; })
                     ? GetDlgItem(m_dialog, kLauncherListId)
                     : nullptr)
    {
    }

    // Whether its dialog and list were found.
    bool Ready() const { return m_list != nullptr; }
    const ChildProcess& Process() const { return m_process; }
    HWND Dialog() const { return m_dialog; }
    HWND List() const { return m_list; }

    // The list lies in another process: its item rectangles are asked for.
    // Empty for an index without an item.
    CRect ItemRect(int i) const
    {
        CRect rc;
        if (SendMessageA(m_list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rc)) == LB_ERR)
            return {};
        return rc;
    }
    POINT ItemCenter(int i) const { return Center(ItemRect(i)); }
    std::vector<std::wstring> WideTexts() const
    {
        std::vector<std::wstring> texts;
        const auto count = SendMessageA(m_list, LB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i)
            texts.push_back(ListItemWideText(m_list, i));
        return texts;
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const std::wstring& text : WideTexts())
            texts.push_back(Narrow(text));
        return texts;
    }
    // An in-place control of the list ("Edit", "Button"), while one is open.
    HWND VisibleChild(const char* className) const
    {
        HWND child = FindWindowExA(m_list, nullptr, className, nullptr);
        return child != nullptr && IsWindowVisible(child) ? child : nullptr;
    }
    HWND VisibleEdit() const { return VisibleChild("Edit"); }
    int Selection() const { return static_cast<int>(SendMessageA(m_list, LB_GETCURSEL, 0, 0)); }
    // Returns once the launcher has taken the `posted` messages posted to it
    // last. A message sent from another thread is handled when the launcher
    // next looks at its queue, before the posted message it then takes; so
    // each send but the first returns after one more posted message is taken.
    void Settle(int posted) const
    {
        for (int i = 0; i <= posted; ++i)
            SendMessageTimeoutA(m_list, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, nullptr);
    }
    // Drags entry `from` onto entry `to` with the left button, each message
    // taken before the next is posted.
    void Drag(int from, int to) const { PostDrag(m_list, ItemCenter(from), ItemCenter(to), [this] { Settle(1); }); }
    // Asks it to end as the user would; it saves its list on the way out.
    void PostClose() const { PostMessageA(m_dialog, WM_CLOSE, 0, 0); }

private:
    ChildProcess m_process;
    HWND m_dialog;
    HWND m_list;
};

// The launcher in folder bin played through the recording player, put beside
// it as its zelrun.exe and recording each start in recordFile. Message boxes
// of other processes meanwhile are answered, so a launcher that shows one
// still comes up, and their texts kept.
class RecordedPlays {
public:
    RecordedPlays(std::wstring bin, std::string recordFile) : m_bin(std::move(bin)), m_recordFile(std::move(recordFile))
    {
        m_playerReady = CopyFileW(Widen(BesideTests(kRecordingPlayerName)).c_str(), Player().c_str(), FALSE) != FALSE;
        DeleteFileA(m_recordFile.c_str());
        SetEnvironmentVariableA(kRecordFileVariable, m_recordFile.c_str());
    }
    ~RecordedPlays() { SetEnvironmentVariableA(kRecordFileVariable, nullptr); }
    RecordedPlays(const RecordedPlays&) = delete;
    RecordedPlays& operator=(const RecordedPlays&) = delete;

    bool PlayerReady() const { return m_playerReady; }
    std::vector<std::string> MessageBoxes() const { return m_boxes.Texts(); }
    std::wstring Player() const { return m_bin + L"\\zelrun.exe"; }
    std::wstring RunList() const { return m_bin + L"\\_zelrunlist.dat"; }

    // Starts the launcher, double-clicks each entry it shows in turn, and
    // ends it; the names it showed.
    std::vector<std::wstring> PlayEachAndClose() const
    {
        const RunningLauncher launcher(m_bin + L"\\NimbrelRun.exe");
        EXPECT_TRUE(launcher.Ready());
        const std::vector<std::wstring> names = launcher.WideTexts();
        for (std::size_t i = 0; i < names.size(); ++i) {
            PostDoubleClick(launcher.List(), launcher.ItemCenter(static_cast<int>(i)));
            EXPECT_TRUE(WaitUntil([&] { return StartedScenes().size() == i + 1; })) << "entry " << i;
        }
        launcher.PostClose();
        EXPECT_TRUE(launcher.Process().Ended(kPatienceMs));
        return names;
    }
    // The scene of each start, in order, from the exact command line
    // `"<player>" "<scene>"` (a start on any other line is shown whole).
    std::vector<std::wstring> StartedScenes() const
    {
        std::vector<std::wstring> scenes;
        const std::wstring head = L'"' + Player() + L"\" \"";
        for (const PlayerStart& start : ReadPlayerStarts(m_recordFile)) {
            const std::wstring line = Widen(start.commandLine, CP_UTF8);
            const bool exact = line.size() > head.size() && line.compare(0, head.size(), head) == 0 && line.back() == L'"';
            scenes.push_back(exact ? line.substr(head.size(), line.size() - head.size() - 1) : line);
        }
        return scenes;
    }

private:
    std::wstring m_bin;
    std::string m_recordFile;
    bool m_playerReady = false;
    const WindowAnswerer m_boxes{
        [](HWND h) { return ProcessOf(h) != GetCurrentProcessId() && GetDlgItem(h, 0xFFFF) != nullptr; }, IDOK};
};

// A run list of both string forms in the launcher's folder shows its names,
// plays each exact path and is written back byte for byte at the close.
inline void ExpectBothFormsShownPlayedAndKept(const RecordedPlays& plays)
{
    const std::string bytes = RunListBytes(kBothForms);
    WriteFileBytes(plays.RunList(), bytes);
    const ULONGLONG written = LastWriteTime(plays.RunList());
    EXPECT_EQ(plays.PlayEachAndClose(), kBothFormsNames);
    std::vector<std::wstring> paths;
    for (const StoredPath& p : kBothForms)
        paths.push_back(p.path);
    EXPECT_EQ(plays.StartedScenes(), paths);
    EXPECT_EQ(plays.MessageBoxes(), std::vector<std::string>{});
    EXPECT_NE(LastWriteTime(plays.RunList()), written) << "the close writes the list back";
    EXPECT_EQ(ReadFileBytes(plays.RunList()), bytes) << "the file is written back byte for byte";
}

}  // namespace wintest

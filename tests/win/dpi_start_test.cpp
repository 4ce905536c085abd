// The installed launcher started at the display scales users run (the
// prefix's LogPixels, set before it starts): its rows, strip and in-place
// controls measured from outside, and clicks on the strip and a drag landing
// where the scaled parts are drawn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "InstalledLauncher.h"
#include "ListState.h"
#include "TestFiles.h"
#include "dpi/DpiScale.h"
#include "runlist/RunList.h"
#include "runlist/RunListFile.h"

using namespace wintest;

namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";

// The scale of every program started while it lives; the old value comes back.
class LogPixelsScope {
public:
    explicit LogPixelsScope(DWORD dpi)
    {
        ::RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &m_key,
                          nullptr);
        DWORD size = sizeof m_old;
        m_hadOld = ::RegQueryValueExA(m_key, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&m_old), &size) ==
                   ERROR_SUCCESS;
        Set(dpi);
    }
    ~LogPixelsScope()
    {
        if (m_hadOld)
            Set(m_old);
        else
            ::RegDeleteValueA(m_key, "LogPixels");
        ::RegCloseKey(m_key);
    }
    LogPixelsScope(const LogPixelsScope&) = delete;
    LogPixelsScope& operator=(const LogPixelsScope&) = delete;

private:
    void Set(DWORD dpi)
    {
        ::RegSetValueExA(m_key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    HKEY m_key = nullptr;
    DWORD m_old = 0;
    bool m_hadOld = false;
};

class DpiStartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_exe = InstallLauncher(m_temp.File("bin"));
        ASSERT_FALSE(m_exe.empty());
        for (char name = 'a'; name <= 'e'; ++name)
            m_paths.push_back(std::string("C:\\Scenes\\") + name + ".zel");
    }

    // Everything below at one DPI, in one start: returns the row height.
    int CheckAt(int dpi);

    TempDir m_temp;
    std::string m_exe;
    std::vector<std::string> m_paths;
};

int DpiStartTest::CheckAt(int dpi)
{
    const auto s = [dpi](int f) { return dpi::Scale(f, dpi); };
    WriteFileBytes(RunListFilePath(m_exe), SerializeRunList(m_paths));
    const LogPixelsScope scale(static_cast<DWORD>(dpi));
    RunningLauncher launcher(m_exe);
    EXPECT_TRUE(launcher.Ready());
    if (!launcher.Ready())
        return 0;
    const HWND list = launcher.List();
    const auto inPlaceRect = [&](const char* className) {
        const HWND child = launcher.VisibleChild(className);
        return child != nullptr ? RectInParent(child) : CRect();
    };

    // The rows lie one below the other, all of one height.
    const int nRow = launcher.ItemRect(0).Height();
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(launcher.ItemRect(i), CRect(0, nRow * i, launcher.ItemRect(0).right, nRow * (i + 1))) << i;

    // The strip's four buttons abut and end at its right edge, each 22 by 20
    // at 96 DPI.
    const HWND strip = ::GetDlgItem(launcher.Dialog(), kLauncherStripId);
    const CRect rcStrip = ClientRect(strip);
    const auto button = [&](int i) {
        const int left = rcStrip.right - s(22) * (4 - i), top = (rcStrip.bottom - s(20)) / 2;
        return CRect(left, top, left + s(22), top + s(20));
    };
    // A press and release just inside opposite corners of Move Down and Move
    // Up, and one beside New on the caption, which does nothing.
    PostClick(list, launcher.ItemCenter(1));
    PostClick(strip, {button(3).left, button(3).top});
    EXPECT_TRUE(WaitUntil([&] { return launcher.Selection() == 2; }, 3000)) << "Move Down's top left corner";
    PostClick(strip, {button(2).right - 1, button(2).bottom - 1});
    EXPECT_TRUE(WaitUntil([&] { return launcher.Selection() == 1; }, 3000)) << "Move Up's bottom right corner";
    PostClick(strip, {button(0).left - 1, button(0).top + 1});
    PostClick(strip, {button(3).left - 1, button(3).bottom - 1});   // Move Up's last column
    EXPECT_TRUE(WaitUntil([&] { return launcher.Selection() == 0; }, 3000)) << "beside the buttons, then Move Up";

    // The in-place controls over the focus item, at the scaled insets.
    PostClick(list, launcher.ItemCenter(0));
    PostKey(list, VK_F2);
    CRect rcEdit;
    EXPECT_TRUE(WaitUntil([&] { return !(rcEdit = inPlaceRect("Edit")).IsRectEmpty(); }, 3000));
    EXPECT_EQ(rcEdit, InPlaceRectsOver(launcher.ItemRect(0), dpi).edit);
    EXPECT_EQ(inPlaceRect("Button"), InPlaceRectsOver(launcher.ItemRect(0), dpi).button);
    PostKey(launcher.VisibleEdit(), VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return inPlaceRect("Edit").IsRectEmpty(); }, 3000));

    // A drag of the first entry into the gap above the fourth, the cursor
    // where each mouse message says.
    launcher.Drag(0, 3);
    EXPECT_TRUE(WaitUntil([&] { return launcher.Selection() == 2; }, 3000)) << "the dragged entry is dropped";

    launcher.PostClose();
    EXPECT_TRUE(launcher.Process().Ended(kPatienceMs));
    // b moved down, back up and up again, then the drag took it below c.
    const std::vector<std::string> order{m_paths[0], m_paths[2], m_paths[1], m_paths[3], m_paths[4]};
    EXPECT_EQ(ReadFileBytes(RunListFilePath(m_exe)), SerializeRunList(order)) << "at " << dpi << " DPI";
    return nRow;
}

}  // namespace

TEST_F(DpiStartTest, AtEachScaleThePartsGrowTogetherAndClicksAndADragHitWhatIsDrawn)
{
    const int nRow96 = CheckAt(96);
    for (const int dpi : {120, 144, 192}) {
        SCOPED_TRACE(std::to_string(dpi) + " DPI");
        const int nRow = CheckAt(dpi);
        // The rows follow the font, which the system makes for the scale.
        EXPECT_NEAR(nRow, dpi::Scale(nRow96, dpi), 1);
    }
}

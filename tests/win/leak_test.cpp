// The launcher's dialog in long use: thousands of hover transitions on the
// strip, edits, drags, path tips and a screen reader's requests leave the
// process with no more GDI and USER objects than before.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>
#include <iostream>
#include <string>

#include "GuiObjects.h"
#include "RunDialogTest.h"
#include "fw/ComPtr.h"
#include "fw/Gdi.h"

using namespace wintest;

namespace {

constexpr int kHoverTransitions = 10000;
constexpr int kEditCycles = 1000;
constexpr int kDrags = 1000;
constexpr int kDpiChanges = 1000;
constexpr int kPathTips = 300;
constexpr int kAccessibleRequests = 1000;
// Steps made before the first count, so that what is made once on first use
// (the tooltip's timers and texts, the edit's caret and font, cached DCs) is
// not taken for a leak.
constexpr int kWarmUpSteps = 20;
// Posted input is handled in batches of this many steps.
constexpr int kBatch = 50;

const V kPaths = {"C:\\a.zel", "C:\\b.zel", "C:\\c.zel", "C:\\d.zel", "C:\\e.zel"};

TEST(GuiObjectCount, SeesAGdiObjectAndAWindowComeAndGo)
{
    const GuiObjects before = CountGuiObjects();
    {
        CBrush brush(::CreateSolidBrush(RGB(1, 2, 3)));
        HWND hWnd = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        const GuiObjects during = CountGuiObjects();
        ::DestroyWindow(hWnd);
        EXPECT_GT(during.gdi, before.gdi);
        EXPECT_GT(during.user, before.user);
    }
    const GuiObjects after = CountGuiObjects();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
}

class LeakTest : public RunDialogTest {
protected:
    void SetUp() override
    {
        RunDialogTest::SetUp();
        ::SetCursorPos(0, 0);   // no stray hover from the real cursor
        OpenWith(kPaths);
        ClickItem(0);
        ::SetCursorPos(0, 0);   // the click left it resting on an entry
    }

    // Makes the warm-up steps, counts, makes `steps` steps and counts again:
    // neither count may have grown.
    template <typename Step>
    void ExpectNoGrowth(const std::string& what, int steps, Step step)
    {
        for (int i = 0; i < kWarmUpSteps; ++i)
            step(i);
        Pump(*m_dlg);
        const GuiObjects before = CountGuiObjects();
        for (int i = 0; i < steps; ++i) {
            step(i);
            if (i % kBatch == kBatch - 1)
                Pump(*m_dlg);
        }
        Pump(*m_dlg);
        const GuiObjects after = CountGuiObjects();
        std::cout << what << ": GDI objects " << before.gdi << " -> " << after.gdi << ", USER objects "
                  << before.user << " -> " << after.user
                  << (after.fromGetGuiResources ? " (GetGuiResources)" : " (GDI handle table, own windows)") << "\n";
        EXPECT_LE(after.gdi, before.gdi) << what;
        EXPECT_LE(after.user, before.user) << what;
    }
};

TEST_F(LeakTest, HoverTransitionsOnTheStrip)
{
    // Each move makes another button hot, which repaints the strip at once.
    const auto hover = [&](int i) {
        const POINT pt = Center(Strip().GetButtonRect(i % 4));
        ::PostMessageA(Strip(), WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    };
    ExpectNoGrowth(std::to_string(kHoverTransitions) + " hover transitions", kHoverTransitions, hover);
    EXPECT_EQ(Strip().GetHot(), (kHoverTransitions - 1) % 4);
}

TEST_F(LeakTest, EditCycles)
{
    // F2 on the focus item, a new name typed, Enter.
    const auto edit = [&](int i) {
        PostKey(List(), VK_F2);
        PostChars(Edit(), "scene " + std::to_string(i));
        PostKey(Edit(), VK_RETURN);
    };
    ExpectNoGrowth(std::to_string(kEditCycles) + " edit cycles", kEditCycles, edit);
    EXPECT_FALSE(List().IsEditing());
    EXPECT_EQ(Narrow(List().GetText(0)), "scene " + std::to_string(kEditCycles - 1));
    EXPECT_FALSE(m_dlg->HasEnded());
}

// Each step drags the first entry onto the last. The drag list reads the real
// cursor, so it is placed (and seen to stay) before each message, and each
// message is handled before the next is posted.
TEST_F(LeakTest, Drags)
{
    const auto drag = [&](int) {
        PostDrag(List(), ItemCenter(List(), 0), ItemCenter(List(), List().GetCount() - 1), [&] { Pump(*m_dlg, 3); });
    };
    // Every drag moves the entries the same way: the first one shows how.
    const V before = ItemTexts(List());
    drag(0);
    const V once = ItemTexts(List());
    ASSERT_NE(once, before) << "the drag moved an entry";
    const auto moveAsOnce = [&](const V& texts) {
        V moved(texts.size());
        for (std::size_t i = 0; i < once.size(); ++i)
            moved[i] = texts[std::find(before.begin(), before.end(), once[i]) - before.begin()];
        return moved;
    };
    ExpectNoGrowth(std::to_string(kDrags) + " drags", kDrags, drag);
    V expected = once;
    for (int i = 0; i < kWarmUpSteps + kDrags; ++i)
        expected = moveAsOnce(expected);
    EXPECT_EQ(ItemTexts(List()), expected) << "every drag moved the first entry";
}

// Each change remakes the dialog font, the strip's caption font and glyphs
// and the list's figures, between 96 and 144 DPI.
TEST_F(LeakTest, DpiChanges)
{
    const auto change = [&](int i) { ChangeDpi(i % 2 == 0 ? 144 : 96, false); };
    ExpectNoGrowth(std::to_string(kDpiChanges) + " DPI changes", kDpiChanges, change);
    EXPECT_EQ(m_dlg->GetDpi(), 96);
    EXPECT_EQ(Strip().GetButtonRect(0).Width(), 22);
}

// Each step shows the path tip for another entry: the pointer rests on the
// list, a move over another entry pops the tip and it shows again at once.
TEST_F(LeakTest, PathTipShows)
{
    const CToolTipCtrl& tip = List().GetPathTip();
    tip.SendMessage(TTM_SETDELAYTIME, TTDT_INITIAL, 1);
    PlaceCursor(ItemPoint(1));
    int nShown = 0;
    const auto show = [&](int i) {
        const POINT pt = ItemCenter(List(), i % 2 == 0 ? 1 : 2);
        ::PostMessageA(List(), WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        Pump(*m_dlg, 5);   // the move pops the tip
        PumpUntil(*m_dlg, [&] { return tip.IsWindowVisible() != FALSE; }, 500);
        nShown += tip.IsWindowVisible() ? 1 : 0;
    };
    ExpectNoGrowth(std::to_string(kPathTips) + " path tips", kPathTips, show);
    EXPECT_EQ(nShown, kWarmUpSteps + kPathTips);
    EXPECT_EQ(Narrow(tip.GetWindowText()), kPaths[1]);   // for the entry under the pointer
}

// A screen reader asks for the strip's and the list's objects again and
// again, and reads an element's name each time.
TEST_F(LeakTest, ScreenReaderRequests)
{
    const auto request = [&](int i) {
        CComPtr<IAccessible> acc;
        const HWND hWnd = i % 2 == 0 ? Strip().m_hWnd : List().m_hWnd;
        const HRESULT hr =
            ::AccessibleObjectFromWindow(hWnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&acc));
        ASSERT_EQ(hr, S_OK);
        VARIANT child;
        child.vt = VT_I4;
        child.lVal = 1;
        BSTR name = nullptr;
        acc->get_accName(child, &name);
        ::SysFreeString(name);
    };
    ExpectNoGrowth(std::to_string(kAccessibleRequests) + " accessible object requests", kAccessibleRequests, request);
}

}  // namespace

// Binding a window to its object: messages reach the object first and then the
// window's previous procedure; letting go restores that procedure, or, when
// another procedure was put above ours meanwhile, leaves ours passing every
// message on, so neither window nor object is harmed.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "WinTest.h"
#include "fw/App.h"
#include "fw/Wnd.h"

namespace {

// Counts what reaches it and passes everything on.
class CCountingWnd : public CWnd {
public:
    int m_nSetTexts = 0;
    bool m_bNcDestroyed = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_nSetTexts += message == WM_SETTEXT;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { m_bNcDestroyed = true; }
};

// Fails in its handler of one message with what the test throws.
class CFailingWnd : public CWnd {
public:
    UINT m_nFailOn = 0;
    std::function<void()> m_fail;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == m_nFailOn)
            m_fail();
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A procedure another party puts above ours, as a tooltip's subclassing
// would; one at a time.
class ForeignProc {
public:
    explicit ForeignProc(HWND hWnd)
        : m_pfnBelow(reinterpret_cast<WNDPROC>(
              ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc::Proc))))
    {
        s_pfnBelow = m_pfnBelow;
    }
    static inline int s_nSetTexts = 0;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        s_nSetTexts += message == WM_SETTEXT;
        return ::CallWindowProcA(s_pfnBelow, hWnd, message, wParam, lParam);
    }
    static inline WNDPROC s_pfnBelow = nullptr;
    WNDPROC m_pfnBelow;
};

class WndBindingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hWnd = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hWnd, nullptr);
        m_pfnClass = ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC);
        ForeignProc::s_nSetTexts = 0;
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }
    std::string Text() const { return wintest::WindowText(m_hWnd); }

    HWND m_hWnd = nullptr;
    LONG_PTR m_pfnClass = 0;
};

TEST_F(WndBindingTest, LettingGoRestoresTheWindowsOwnProcedure)
{
    CCountingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(m_hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hWnd), &wnd);
    EXPECT_FALSE(CCountingWnd().SubclassWindow(m_hWnd)) << "one object per window";
    ::SetWindowTextA(m_hWnd, "one");
    EXPECT_EQ(wnd.m_nSetTexts, 1);
    EXPECT_EQ(Text(), "one") << "the message went on to the static control";

    EXPECT_EQ(wnd.UnsubclassWindow(), m_hWnd);
    EXPECT_EQ(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC), m_pfnClass);
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hWnd), nullptr);
    ::SetWindowTextA(m_hWnd, "two");
    EXPECT_EQ(wnd.m_nSetTexts, 1);
    EXPECT_EQ(Text(), "two");
}

TEST_F(WndBindingTest, LettingGoUnderAnotherProcedureKeepsBothWorkingAndTheNextObjectBindsOnce)
{
    {
        CCountingWnd first;
        ASSERT_TRUE(first.SubclassWindow(m_hWnd));
        ForeignProc above(m_hWnd);
        // The object goes first: the procedure above still leads to the
        // window's own through ours.
    }
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hWnd), nullptr);
    ::SetWindowTextA(m_hWnd, "kept");
    EXPECT_EQ(Text(), "kept");
    EXPECT_EQ(ForeignProc::s_nSetTexts, 1);

    CCountingWnd second;
    ASSERT_TRUE(second.SubclassWindow(m_hWnd));
    ::SetWindowTextA(m_hWnd, "again");
    EXPECT_EQ(second.m_nSetTexts, 1) << "each message reaches the object once";
    EXPECT_EQ(Text(), "again");

    ::DestroyWindow(m_hWnd);
    EXPECT_TRUE(second.m_bNcDestroyed);
    EXPECT_EQ(second.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hWnd), nullptr);
}

// A handler that runs out of memory, or fails otherwise, does not end the
// program: the user is told once, and the window goes on answering.
TEST_F(WndBindingTest, AFailingHandlerIsToldOnceAndTheWindowGoesOn)
{
    CFailingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(m_hWnd));
    const wintest::MessageBoxWatcher boxes;
    wnd.m_nFailOn = WM_SETTEXT;
    wnd.m_fail = [] { throw std::bad_alloc(); };
    EXPECT_FALSE(::SetWindowTextA(m_hWnd, "lost"));
    // A failed painting is not asked for again at once.
    wnd.m_nFailOn = WM_PAINT;
    wnd.m_fail = [] { throw std::runtime_error("no brush"); };
    ::ShowWindow(m_hWnd, SW_SHOWNA);
    ::UpdateWindow(m_hWnd);
    wintest::PumpThread();
    EXPECT_FALSE(::GetUpdateRect(m_hWnd, nullptr, FALSE));

    wnd.m_nFailOn = 0;
    EXPECT_TRUE(::SetWindowTextA(m_hWnd, "kept"));
    EXPECT_EQ(Text(), "kept");
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{kOutOfMemoryText, kUnexpectedErrorText}));
}

}  // namespace

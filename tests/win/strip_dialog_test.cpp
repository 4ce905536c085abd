// The tool strip in the real dialog: what it paints on the screen, what it
// repaints, its tooltips, and the list commands its buttons run.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "RunDialogTest.h"
#include "fw/Gdi.h"
#include "listctrl/InPlaceCtrl.h"
#include "toolstrip/GlyphImage.h"
#include "toolstrip/ToolStrip.h"

using namespace wintest;

namespace {

constexpr COLORREF kLightGrey = RGB(192, 192, 192);
enum { kNew, kDelete, kMoveUp, kMoveDown, kNone };

// System colours changed for a test's life; the face differs from the glyphs'
// light grey so that an unmapped glyph background shows.
class SysColours {
public:
    SysColours()
    {
        for (std::size_t i = 0; i < kElements.size(); ++i)
            m_saved[i] = ::GetSysColor(kElements[i]);
        const std::array<COLORREF, 3> test = {RGB(214, 190, 150), RGB(70, 90, 150), RGB(255, 255, 255)};
        ::SetSysColors(static_cast<int>(kElements.size()), kElements.data(), test.data());
    }
    ~SysColours() { ::SetSysColors(static_cast<int>(kElements.size()), kElements.data(), m_saved.data()); }

private:
    static constexpr std::array<int, 3> kElements = {COLOR_3DFACE, COLOR_3DSHADOW, COLOR_3DHILIGHT};
    std::array<COLORREF, 3> m_saved{};
};

// A window's client area as it is on the screen, once it has painted.
Pixels ReadScreen(HWND hWnd)
{
    ::UpdateWindow(hWnd);
    return Capture(hWnd);
}

// What pixel (x, y) of button i shows without an edge: its glyph pixel, with
// light grey as the face and dark grey as the shadow colour.
COLORREF GlyphPixel(int nButton, int x, int y)
{
    const toolstrip::Rgb c = toolstrip::GlyphColour(22 * nButton + x, y);
    const COLORREF colour = RGB(c.r, c.g, c.b);
    if (colour == kLightGrey)
        return ::GetSysColor(COLOR_3DFACE);
    return colour == RGB(128, 128, 128) ? ::GetSysColor(COLOR_3DSHADOW) : colour;
}

COLORREF FacePixel(int, int, int)
{
    return ::GetSysColor(COLOR_3DFACE);
}

class StripDialogTest : public RunDialogTest {
protected:
    void SetUp() override
    {
        RunDialogTest::SetUp();
        ::SetCursorPos(0, 0);   // no stray hover when the dialog appears
    }
    POINT Centre(int nButton) { return Center(Strip().GetButtonRect(nButton)); }
    POINT Caption() { return {10, Centre(0).y}; }
    // The real cursor stays where it is: Wine turns a placed cursor into a
    // move of its own that may arrive after later posted messages.
    void Post(CWnd& wnd, UINT message, POINT pt, WPARAM keys = 0)
    {
        ::PostMessageA(wnd, message, keys, MAKELPARAM(pt.x, pt.y));
        Pump(*m_dlg);
    }
    using DialogInput::Press;
    void MoveTo(POINT pt) { Post(Strip(), WM_MOUSEMOVE, pt, m_keys); }
    void Press(POINT pt)
    {
        m_keys = MK_LBUTTON;
        Post(Strip(), WM_LBUTTONDOWN, pt, m_keys);
    }
    void Release(POINT pt)
    {
        m_keys = 0;
        Post(Strip(), WM_LBUTTONUP, pt);
    }
    void Click(int nButton)
    {
        MoveTo(Centre(nButton));
        Press(Centre(nButton));
        Release(Centre(nButton));
    }
    // Checks every pixel of the four buttons against what they should show;
    // the hot button has a one-pixel frame, light at the top left when raised.
    static void ExpectButtons(const CToolStrip& strip, COLORREF (*content)(int, int, int), int nHot, bool bSunken)
    {
        const COLORREF light = ::GetSysColor(COLOR_3DHILIGHT);
        const COLORREF dark = ::GetSysColor(COLOR_3DSHADOW);
        const Pixels screen = ReadScreen(strip);
        int nWrong = 0;
        for (int i = 0; i < 4; ++i) {
            const CRect rc = strip.GetButtonRect(i);
            for (int y = 0; y < 20; ++y) {
                for (int x = 0; x < 22; ++x) {
                    const bool bTopLeft = x == 0 || y == 0;
                    const bool bBottomRight = x == 21 || y == 19;
                    COLORREF expected = content(i, x, y);
                    if (i == nHot && bTopLeft && bBottomRight)
                        continue;   // a corner where the two halves of the frame meet
                    if (i == nHot && bTopLeft)
                        expected = bSunken ? dark : light;
                    else if (i == nHot && bBottomRight)
                        expected = bSunken ? light : dark;
                    const COLORREF actual = screen.At(rc.left + x, rc.top + y);
                    if (actual != expected && nWrong++ < 3)
                        ADD_FAILURE() << "button " << i << " pixel " << x << "," << y << ": " << std::hex
                                      << actual << " instead of " << expected;
                }
            }
        }
        EXPECT_EQ(nWrong, 0);
    }

    WPARAM m_keys = 0;
};

TEST_F(StripDialogTest, GlyphsLieOnTheirButtonsOverTheFaceWithTheHotButtonsFrame)
{
    Open();
    SysColours colours;   // a new colour scheme while the strip is shown
    ASSERT_TRUE(Strip().HasGlyphs());
    ExpectButtons(Strip(), GlyphPixel, kNone, false);

    MoveTo(Centre(kMoveUp));
    ExpectButtons(Strip(), GlyphPixel, kMoveUp, false);
    const Pixels hover = ReadScreen(Strip());
    for (int y = 0; y < hover.h; ++y) {
        for (int x = 2; x < hover.w; ++x)
            ASSERT_NE(hover.At(x, y), kLightGrey) << x << "," << y;
    }

    Press(Centre(kMoveUp));
    ExpectButtons(Strip(), GlyphPixel, kMoveUp, true);
    Release(Centre(kMoveUp));
}

// At 200% each glyph pixel is a 2 x 2 block filling the 44 x 40 button; at
// 150% the glyph keeps its pixels, centred in the 33 x 30 button over the face.
TEST_F(StripDialogTest, GlyphsAreWholePixelBlocksAtEveryDpi)
{
    Open();
    struct Case { int nDpi, nFactor, nInsetX, nInsetY; };
    for (const Case c : {Case{192, 2, 0, 0}, Case{144, 1, 5, 5}}) {
        ChangeDpi(c.nDpi);
        const Pixels screen = ReadScreen(Strip());
        int nWrong = 0;
        for (int i = 0; i < 4; ++i) {
            const CRect rc = Strip().GetButtonRect(i);
            ASSERT_EQ(rc.Width(), dpi::Scale(22, c.nDpi));
            for (int y = 0; y < rc.Height(); ++y) {
                for (int x = 0; x < rc.Width(); ++x) {
                    const int gx = x - c.nInsetX, gy = y - c.nInsetY;
                    const bool bInGlyph = gx >= 0 && gy >= 0 && gx < 22 * c.nFactor && gy < 20 * c.nFactor;
                    const COLORREF expected =
                        bInGlyph ? GlyphPixel(i, gx / c.nFactor, gy / c.nFactor) : FacePixel(i, x, y);
                    if (screen.At(rc.left + x, rc.top + y) != expected && nWrong++ < 3)
                        ADD_FAILURE() << c.nDpi << " DPI, button " << i << " pixel " << x << "," << y;
                }
            }
        }
        EXPECT_EQ(nWrong, 0) << c.nDpi << " DPI";
    }
}

// The caption is drawn as DrawText places it in the client area, 2 pixels to the right.
TEST_F(StripDialogTest, TheCaptionStartsTwoPixelsFromTheLeft)
{
    Open();
    const Pixels screen = ReadScreen(Strip());
    CMemoryDC dc(nullptr);
    CBitmap bitmap(::CreateBitmap(screen.w, screen.h, 1, 32, nullptr));
    CSelectObject selectBitmap(dc, bitmap);
    CSelectObject selectFont(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    const CRect rc(0, 0, screen.w, screen.h);
    dc.FillRect(rc, ::GetSysColorBrush(COLOR_3DFACE));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    dc.DrawText(L"zEL", rc, DT_SINGLELINE | DT_VCENTER);

    int nInk = 0;
    for (int y = 0; y < screen.h; ++y) {
        for (int x = 0; x + 2 < Strip().GetButtonRect(0).left; ++x) {
            const COLORREF expected = ::GetPixel(dc, x, y) & 0xFFFFFF;
            nInk += expected != ::GetSysColor(COLOR_3DFACE);
            ASSERT_EQ(screen.At(x + 2, y), expected) << x << "," << y;
        }
    }
    EXPECT_GT(nInk, 20);
}

// Records the region each paint of a window is asked to cover. Its procedure
// goes above all the window has, so it sees every paint before anyone handles
// it; one recorder at a time.
class PaintRecorder {
public:
    explicit PaintRecorder(HWND hWnd) : m_hWnd(hWnd)
    {
        s_pActive = this;
        m_pfnBelow = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PaintRecorder::Proc)));
    }
    ~PaintRecorder()
    {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnBelow));
        s_pActive = nullptr;
    }
    PaintRecorder(const PaintRecorder&) = delete;
    PaintRecorder& operator=(const PaintRecorder&) = delete;

    std::vector<CRgn> m_regions;
    int m_nErases = 0;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        PaintRecorder* self = s_pActive;
        if (message == WM_PAINT) {
            CRgn rgn(::CreateRectRgn(0, 0, 0, 0));
            ::GetUpdateRgn(hWnd, rgn, FALSE);
            self->m_regions.push_back(std::move(rgn));
        }
        self->m_nErases += message == WM_ERASEBKGND;
        return ::CallWindowProcA(self->m_pfnBelow, hWnd, message, wParam, lParam);
    }

    static inline PaintRecorder* s_pActive = nullptr;
    HWND m_hWnd;
    WNDPROC m_pfnBelow = nullptr;
};

TEST_F(StripDialogTest, HoverRepaintsOnlyTheTwoButtonsAndNeverErases)
{
    Open();
    MoveTo(Centre(kNew));
    PaintRecorder paints(Strip());
    MoveTo(CPoint(Centre(kNew).x + 3, Centre(kNew).y + 2));   // within the button
    EXPECT_TRUE(paints.m_regions.empty());

    MoveTo(Centre(kDelete));
    ASSERT_EQ(paints.m_regions.size(), 1u);   // both at once, before the move returned
    const CRect rcNew = Strip().GetButtonRect(kNew);
    const CRect rcDelete = Strip().GetButtonRect(kDelete);
    CRgn expected(::CreateRectRgnIndirect(&rcNew));
    CRgn second(::CreateRectRgnIndirect(&rcDelete));
    ::CombineRgn(expected, expected, second, RGN_OR);
    EXPECT_TRUE(::EqualRgn(paints.m_regions[0], expected));
    EXPECT_EQ(paints.m_nErases, 0);

    // Across the border the hover ends.
    POINT border = {Strip().GetClientRect().right, Centre(kMoveDown).y};
    Strip().ClientToScreen(&border);
    ::PostMessageA(Strip(), WM_NCMOUSEMOVE, HTBORDER, MAKELPARAM(border.x, border.y));
    Pump(*m_dlg);
    EXPECT_EQ(Strip().GetHot(), kNone);
}

// Only the strip's own paint draws it: the button's draw request and erasing do nothing.
TEST_F(StripDialogTest, NeitherTheDrawRequestNorErasingTouchesTheStrip)
{
    Open();
    CMemoryDC dc(nullptr);
    CBitmap bitmap(::CreateBitmap(8, 8, 1, 32, nullptr));
    CSelectObject select(dc, bitmap);
    dc.PatBlt(0, 0, 8, 8, BLACKNESS);
    DRAWITEMSTRUCT dis{ODT_BUTTON, 1009, 0, ODA_DRAWENTIRE, 0, Strip(), dc, {0, 0, 8, 8}, 0};
    EXPECT_EQ(::SendMessageA(*m_dlg, WM_DRAWITEM, 1009, reinterpret_cast<LPARAM>(&dis)), TRUE);
    EXPECT_NE(Strip().SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC)), 0);
    EXPECT_EQ(::GetPixel(dc, 4, 4) & 0xFFFFFF, 0u);
}

TEST_F(StripDialogTest, EachToolCoversItsButtonAndAsksForItsText)
{
    Open();
    const CToolTipCtrl& tip = Strip().GetToolTip();
    ASSERT_EQ(tip.GetToolCount(), 4);
    const V texts = {"unchanged", "New", "Delete", "Move Up", "Move Down", "unchanged"};
    for (UINT id = 0; id <= 5; ++id) {
        if (id >= 1 && id <= 4) {
            TTTOOLINFOW ti{};
            ASSERT_TRUE(tip.GetToolInfo(ti, &Strip(), id));
            EXPECT_EQ(CRect(ti.rect), Strip().GetButtonRect(static_cast<int>(id) - 1));
        }
        NMTTDISPINFOA info{};
        info.hdr = {tip.m_hWnd, id, TTN_NEEDTEXTA};
        std::strcpy(info.szText, "unchanged");
        Strip().SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(std::string(info.szText), texts[id]) << "tool " << id;
    }
}

TEST_F(StripDialogTest, RestingThePointerOnAButtonShowsItsTooltip)
{
    Open();
    MouseAt(OnScreen(Strip(), Centre(kMoveDown)));
    const HWND hTip = Strip().GetToolTip();
    ASSERT_TRUE(PumpUntil(*m_dlg, [hTip] { return ::IsWindowVisible(hTip) != FALSE; }, 3000));
    EXPECT_EQ(WindowText(hTip), "Move Down");
    EXPECT_EQ(Strip().GetHot(), kMoveDown);
}

TEST_F(StripDialogTest, TheButtonsActOnTheSelectionAndTheSavedFileShowsIt)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel", "C:\\c.zel"});
    for (int nButton : {kDelete, kMoveUp, kMoveDown})
        Click(nButton);   // nothing selected: nothing happens
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b", "c"}));

    ClickItem(1);
    Click(kMoveUp);
    EXPECT_EQ(ItemTexts(List()), (V{"b", "a", "c"}));
    Click(kMoveDown);
    Click(kMoveDown);
    EXPECT_EQ(ItemTexts(List()), (V{"a", "c", "b"}));
    EXPECT_EQ(List().GetCurSel(), 2);
    Click(kDelete);
    EXPECT_EQ(ItemTexts(List()), (V{"a", "c"}));
    CloseWith(VK_ESCAPE);
    EXPECT_EQ(SavedPaths(), (V{"C:\\a.zel", "C:\\c.zel"}));
}

// Counts the calls of New instead of depending on what the list makes of them.
class RecordingList : public CListBoxEx {
public:
    void BeginEditNew() override { ++m_nNewCalls; }
    int m_nNewCalls = 0;
};

TEST_F(StripDialogTest, NewAsksTheListForANewEntryAndNoListMeansNoCommand)
{
    OpenWith({"C:\\a.zel"});
    RecordingList list;
    ASSERT_TRUE(list.CreateEx(0, L"LISTBOX", L"", WS_CHILD, CRect(0, 200, 50, 240), m_dlg.get(), 2000));
    list.AddString(L"x");
    Strip().m_pList = &list;
    Click(kNew);
    EXPECT_EQ(list.m_nNewCalls, 1);

    Strip().m_pList = nullptr;
    for (int nButton : {kNew, kDelete, kMoveUp, kMoveDown})
        Click(nButton);
    EXPECT_EQ(list.m_nNewCalls, 1);
    EXPECT_EQ(ItemTexts(List()), V{"a"});
}

TEST_F(StripDialogTest, OnlyAReleaseOverThePressedButtonRunsIt)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel", "C:\\c.zel", "C:\\d.zel"});
    ClickItem(1);

    // Pressed on Delete, released on Move Up: nothing; Move Up is hot afterwards.
    MoveTo(Centre(kDelete));
    Press(Centre(kDelete));
    MoveTo(Centre(kMoveUp));
    EXPECT_EQ(Strip().GetHot(), kDelete);   // held down: stays hot and sunken
    EXPECT_TRUE(Strip().IsPressed());
    Release(Centre(kMoveUp));
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(Strip().GetHot(), kMoveUp);
    EXPECT_FALSE(Strip().IsPressed());

    // Held off the button and back: runs.
    Press(Centre(kMoveUp));
    MoveTo(Caption());
    MoveTo(Centre(kMoveUp));
    Release(Centre(kMoveUp));
    EXPECT_EQ(ItemTexts(List()), (V{"b", "a", "c", "d"}));

    // Pressed beside the buttons, dragged onto Move Down: the hot button follows and runs.
    Press(Caption());
    MoveTo(Centre(kMoveDown));
    EXPECT_EQ(Strip().GetHot(), kMoveDown);
    Release(Centre(kMoveDown));
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b", "c", "d"}));

    // A double-click is two presses.
    Press(Centre(kMoveDown));
    Release(Centre(kMoveDown));
    Post(Strip(), WM_LBUTTONDBLCLK, Centre(kMoveDown), MK_LBUTTON);
    Release(Centre(kMoveDown));
    EXPECT_EQ(ItemTexts(List()), (V{"a", "c", "d", "b"}));
}

// A press that reaches the strip while an entry is edited (a screen reader's,
// or the press message from anywhere) ends the edit first, as a click on the
// button would: the rename is kept, then the command acts on the selection.
TEST_F(StripDialogTest, APressDuringAnEditEndsTheEditFirst)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel", "C:\\c.zel"});
    EditByF2(1, "x");
    Strip().PostPress(kDelete);
    Pump(*m_dlg);
    EXPECT_FALSE(List().IsEditing());
    EXPECT_EQ(ItemTexts(List()), (V{"a", "c"}));
    Chord(List(), 'Z', {VK_CONTROL});
    EXPECT_EQ(ItemTexts(List()), (V{"a", "x", "c"}));
}

// The release then goes to the other window; the strip must not stay pressed.
TEST_F(StripDialogTest, LosingTheCaptureDuringAPressCancelsIt)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel"});
    ClickItem(1);
    Press(Centre(kDelete));
    ASSERT_EQ(::GetCapture(), Strip().m_hWnd);
    ::SetCapture(List());
    EXPECT_FALSE(Strip().IsPressed());
    EXPECT_EQ(Strip().GetHot(), kNone);
    ::ReleaseCapture();
    MoveTo(Centre(kMoveUp));
    EXPECT_EQ(Strip().GetHot(), kMoveUp);   // hovering again, not frozen
    EXPECT_EQ(List().GetCount(), 2);
}

// A strip without its glyph bitmap, on a button of its own in the dialog.
TEST_F(StripDialogTest, WithoutItsImageTheStripStillPaintsAndWorks)
{
    SysColours colours;
    OpenWith({"C:\\a.zel", "C:\\b.zel"});
    CToolStrip strip(CToolStrip::Glyphs::None);
    EXPECT_FALSE(strip.HasGlyphs());
    HWND hButton = ::CreateWindowExA(0, "BUTTON", "zEL", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 170, 26,
                                     *m_dlg, nullptr, nullptr, nullptr);
    ASSERT_TRUE(strip.SubclassWindow(hButton));
    strip.m_pList = &List();
    ::ShowWindow(Strip(), SW_HIDE);   // the dialog's own strip out of the way

    ClickItem(0);
    const CPoint pt(strip.GetButtonRect(kDelete).left + 5, 10);
    Post(strip, WM_MOUSEMOVE, pt);
    ExpectButtons(strip, FacePixel, kDelete, false);
    Post(strip, WM_LBUTTONDOWN, pt, MK_LBUTTON);
    Post(strip, WM_LBUTTONUP, pt);
    EXPECT_EQ(ItemTexts(List()), V{"b"});
    ::DestroyWindow(hButton);
}

// Pixels of the ring kFocusInset inside a button that differ from its glyph:
// the dotted focus rectangle of the keyboard's mark.
int MarkPixels(const CToolStrip& strip, int nButton)
{
    const Pixels screen = ReadScreen(strip);
    const CRect rc = strip.GetButtonRect(nButton);
    const int inset = toolstrip::kFocusInset;
    int nMarked = 0;
    for (int y = inset; y < 20 - inset; ++y) {
        for (int x = inset; x < 22 - inset; ++x) {
            const bool bRing = x == inset || y == inset || x == 21 - inset || y == 19 - inset;
            if (bRing && screen.At(rc.left + x, rc.top + y) != GlyphPixel(nButton, x, y))
                ++nMarked;
        }
    }
    return nMarked;
}

TEST_F(StripDialogTest, TheKeyboardMovesAFocusMarkAndSpacePressesTheMarkedButton)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel", "C:\\c.zel"});
    ClickItem(1);
    const auto key = [this](UINT vk) { Press(::GetFocus(), vk); };
    key(VK_TAB);
    ASSERT_EQ(::GetFocus(), Strip().m_hWnd);
    EXPECT_EQ(Strip().VisibleFocusMark(), kNew);
    EXPECT_GT(MarkPixels(Strip(), kNew), 20);
    EXPECT_EQ(MarkPixels(Strip(), kDelete), 0);

    key(VK_LEFT);   // stays on the first button; the focus stays in the strip
    EXPECT_EQ(Strip().VisibleFocusMark(), kNew);
    key(VK_RIGHT);
    key(VK_RIGHT);
    EXPECT_EQ(Strip().VisibleFocusMark(), kMoveUp);
    EXPECT_EQ(MarkPixels(Strip(), kNew), 0);
    EXPECT_GT(MarkPixels(Strip(), kMoveUp), 20);

    // Space sinks the marked button as a press does and runs it on its release.
    ::PostMessageA(Strip(), WM_KEYDOWN, VK_SPACE, 1);
    Pump(*m_dlg);
    EXPECT_TRUE(Strip().IsPressed());
    EXPECT_EQ(Strip().GetHot(), kMoveUp);
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b", "c"}));
    ::PostMessageA(Strip(), WM_KEYUP, VK_SPACE, 0xC0000001);
    Pump(*m_dlg);
    EXPECT_FALSE(Strip().IsPressed());
    EXPECT_EQ(ItemTexts(List()), (V{"b", "a", "c"}));
    EXPECT_EQ(PathHead(List()), (V{"C:\\b.zel", "C:\\a.zel", "C:\\c.zel"}));

    key(VK_END);
    key(VK_SPACE);
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b", "c"}));
    key(VK_HOME);
    EXPECT_EQ(Strip().VisibleFocusMark(), kNew);

    // Focus rectangles hidden by the UI state: no mark. (Wine keeps no UI
    // state and passes no change on: the change is sent to the strip.)
    Strip().SendMessage(WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS));
    EXPECT_EQ(Strip().VisibleFocusMark(), kNone);
    EXPECT_EQ(MarkPixels(Strip(), kNew), 0);
    Strip().SendMessage(WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS));
    EXPECT_GT(MarkPixels(Strip(), kNew), 20);

    // Space on New opens a new entry, and Enter in the strip still ends the dialog.
    key(VK_SPACE);
    EXPECT_EQ(List().GetEditItem(), 3);
    key(VK_ESCAPE);
    key(VK_TAB);
    ASSERT_EQ(::GetFocus(), Strip().m_hWnd);
    CloseWith(VK_RETURN);
    EXPECT_EQ(SavedPaths(), (V{"C:\\a.zel", "C:\\b.zel", "C:\\c.zel"}));
}

}  // namespace

// The strip as screen readers see it: its four buttons as push buttons, child
// ids 1..4 in command order, named by the button table. The window itself
// (its name, place, parent and the way to it) is the system's standard object's.
#include "fw/Accessible.h"
#include "toolstrip/StripButtons.h"
#include "toolstrip/ToolStrip.h"

#include <string>
#include <string_view>

namespace {

using toolstrip::kButtonCount;

class CStripAccessible final : public CAccessibleBase {
public:
    explicit CStripAccessible(CToolStrip& strip) : CAccessibleBase(strip), m_strip(strip) {}

private:
    static bool IsButton(long nChild) { return nChild >= 1 && nChild <= kButtonCount; }
    static int Button(long nChild) { return static_cast<int>(nChild) - 1; }
    static long Child(int nButton) { return nButton + 1; }
    // The child of a button number, or none for kNoButton.
    static std::optional<long> ChildOf(int nButton)
    {
        return nButton != toolstrip::kNoButton ? std::optional<long>(Child(nButton)) : std::nullopt;
    }

    std::optional<long> ChildCount() override { return kButtonCount; }

    const wchar_t* GetText(long nChild, Text text) override
    {
        if (!IsButton(nChild))
            return nullptr;
        if (text == Text::Name) {
            // The names are ASCII: each character is its own code unit.
            const std::string_view name = toolstrip::FindButton(Button(nChild))->pszName;
            m_name.assign(name.begin(), name.end());
            return m_name.c_str();
        }
        return text == Text::DefaultAction ? L"Press" : nullptr;
    }

    std::optional<long> Role(long nChild) override
    {
        return IsButton(nChild) ? std::optional<long>(ROLE_SYSTEM_PUSHBUTTON) : std::nullopt;
    }

    // What the strip shows of the button: the pointer over it, its press, the
    // keyboard's focus.
    std::optional<long> State(long nChild) override
    {
        if (!IsButton(nChild))
            return std::nullopt;
        const int nButton = Button(nChild);
        long nState = m_strip.IsAvailable() ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_UNAVAILABLE;
        if (!m_strip.IsWindowVisible())
            nState |= STATE_SYSTEM_INVISIBLE;
        if (m_strip.GetFocusButton() == nButton)
            nState |= STATE_SYSTEM_FOCUSED;
        if (m_strip.GetHot() == nButton)
            nState |= m_strip.IsPressed() ? STATE_SYSTEM_PRESSED : STATE_SYSTEM_HOTTRACKED;
        return nState;
    }

    std::optional<RECT> Location(long nChild) override
    {
        if (!IsButton(nChild))
            return std::nullopt;
        CRect rc = m_strip.GetButtonRect(Button(nChild));
        ::MapWindowPoints(m_strip, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }

    std::optional<long> Focus() override
    {
        return ChildOf(m_strip.GetFocusButton());
    }

    std::optional<long> HitTest(POINT ptScreen) override
    {
        CPoint pt(ptScreen.x, ptScreen.y);
        m_strip.ScreenToClient(&pt);
        return ChildOf(m_strip.HitTest(pt));
    }

    // The buttons lie in a row: from the window to its first or last button,
    // from a button to its neighbours.
    std::optional<long> Navigate(long nDirection, long nStart) override
    {
        if (nStart == CHILDID_SELF) {
            if (nDirection == NAVDIR_FIRSTCHILD)
                return Child(0);
            if (nDirection == NAVDIR_LASTCHILD)
                return Child(kButtonCount - 1);
            return std::nullopt;
        }
        if (!IsButton(nStart))
            return std::nullopt;
        switch (nDirection) {
        case NAVDIR_NEXT:
        case NAVDIR_RIGHT:
            return nStart < kButtonCount ? nStart + 1 : 0;
        case NAVDIR_PREVIOUS:
        case NAVDIR_LEFT:
            return nStart > 1 ? nStart - 1 : 0;
        case NAVDIR_UP:
        case NAVDIR_DOWN:
            return 0;
        default:
            return std::nullopt;
        }
    }

    bool DoDefaultAction(long nChild) override
    {
        if (!IsButton(nChild))
            return false;
        m_strip.PostPress(Button(nChild));
        return true;
    }

    CToolStrip& m_strip;
    std::wstring m_name;   // the name last asked for, read after GetText returns
};

}  // namespace

CAccessibleBase* CToolStrip::CreateAccessibleObject()
{
    return new CStripAccessible(*this);
}

// The list as screen readers see it: the system's standard list box object,
// which tells each entry's display name, with the entry's full path as its
// description (child id i + 1 is item i). The list is named "Scenes"; an
// entry's default action, "Launch", starts it as a double-click does, without
// moving the pointer, wherever the entry is scrolled.
#include "fw/Accessible.h"
#include "listctrl/ListBoxEx.h"

namespace {

class CListAccessible final : public CAccessibleBase {
public:
    explicit CListAccessible(const CListBoxEx& list) : CAccessibleBase(list), m_list(list) {}

private:
    bool IsEntry(long nChild) const { return nChild >= 1 && nChild <= m_list.Entries().GetCount(); }

    const wchar_t* GetText(long nChild, Text text) override
    {
        if (nChild == CHILDID_SELF)
            return text == Text::Name ? L"Scenes" : nullptr;
        if (!IsEntry(nChild))
            return nullptr;
        if (text == Text::DefaultAction)
            return L"Launch";
        return text == Text::Description ? m_list.Entries().PathAt(static_cast<int>(nChild) - 1).c_str() : nullptr;
    }

    // Started once the client's call has returned: the player may take a while.
    bool DoDefaultAction(long nChild) override
    {
        if (!IsEntry(nChild))
            return false;
        m_list.PostLaunch(static_cast<int>(nChild) - 1);
        return true;
    }

    const CListBoxEx& m_list;
};

}  // namespace

CAccessibleBase* CListBoxEx::CreateAccessibleObject()
{
    return new CListAccessible(*this);
}

// The list as screen readers see it: the system's standard list box object,
// which tells each entry's display name, with the entry's full path as its
// description (child id i + 1 is item i).
#include "fw/Accessible.h"
#include "listctrl/ListBoxEx.h"

namespace {

class CListAccessible final : public CAccessibleBase {
public:
    explicit CListAccessible(const CListBoxEx& list) : CAccessibleBase(list), m_list(list) {}

private:
    const char* GetText(long nChild, Text text) override
    {
        const EntryList& entries = m_list.Entries();
        if (text != Text::Description || nChild < 1 || nChild > entries.GetCount())
            return nullptr;
        return entries.PathAt(static_cast<int>(nChild) - 1).c_str();
    }

    const CListBoxEx& m_list;
};

}  // namespace

CAccessibleBase* CListBoxEx::CreateAccessibleObject()
{
    return new CListAccessible(*this);
}

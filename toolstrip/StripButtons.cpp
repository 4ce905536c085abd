#include "toolstrip/StripButtons.h"

#include <cstddef>
#include <cstring>

namespace toolstrip {
namespace {

// The commands are numbered by their buttons: a row out of place stops the build.
constexpr bool CommandsFollowTheRows()
{
    for (std::size_t i = 0; i < kStripButtons.size(); ++i) {
        if (static_cast<std::size_t>(kStripButtons[i].command) != i)
            return false;
    }
    return true;
}
static_assert(CommandsFollowTheRows(), "button rows out of command order");

}  // namespace

const StripButton* FindButton(int nIndex)
{
    if (static_cast<unsigned>(nIndex) >= static_cast<unsigned>(kButtonCount))
        return nullptr;
    return &kStripButtons[static_cast<std::size_t>(nIndex)];
}

void GetToolTipText(int nIndex, char* pszBuffer)
{
    if (const StripButton* pButton = FindButton(nIndex))
        std::memcpy(pszBuffer, pButton->pszToolTip, std::strlen(pButton->pszToolTip) + 1);
}

}  // namespace toolstrip

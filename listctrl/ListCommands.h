#pragma once
// The commands the list offers the keyboard user, in the order its menu shows
// them: each with its menu text, the key that runs it and when it can act.
// The menu is built from this table; the keys and the help say the same.
#include <string>
#include <vector>

namespace listcommands {

enum class Command { Launch, Rename, Browse, CopyPath, Delete, MoveUp, MoveDown, New, Undo, Redo };

struct CommandInfo {
    Command command;
    const char* pszMenuText;   // with its mnemonic
    const char* pszKeyText;    // "" for a command without a key of its own
    bool bActsOnEntry;         // acts on the focus entry, offered only with one
    bool bStartsGroup;         // a separator goes above it in the menu
};

// What the commands look at: the list as it is when the menu opens.
struct ListState {
    int nFocus = -1;              // the focus item, -1 for none
    int nCount = 0;
    bool bFocusHasPath = false;   // the focus entry has a path to start or copy
    bool bEditingOn = false;      // entries may be edited and added
    bool bFocusEditable = false;  // ... and the focus entry may be edited
    bool bBrowsable = false;      // the in-place edit has its browse button
    bool bMovable = false;
    bool bCanUndo = false;
    bool bCanRedo = false;

    bool HasFocusEntry() const { return nFocus >= 0 && nFocus < nCount; }
};

// Every command, in menu order.
const std::vector<CommandInfo>& Commands();
// Whether the menu shows the command: those that act on an entry only when
// there is a focus entry.
bool IsOffered(const CommandInfo& info, const ListState& state);
// Whether the command would do anything now (its menu item is enabled).
bool CanAct(Command command, const ListState& state);
// The menu item's text: the command, a tab and its key.
std::string MenuLabel(const CommandInfo& info);
// The command with this menu item id, or null; ids start at 1.
const CommandInfo* FindCommand(unsigned nId);
unsigned MenuId(Command command);

}  // namespace listcommands

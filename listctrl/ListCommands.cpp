#include "listctrl/ListCommands.h"

namespace listcommands {

const std::vector<CommandInfo>& Commands()
{
    static const std::vector<CommandInfo> commands = {
        {Command::Launch, "&Launch", "Ctrl+Enter", true, false},
        {Command::Rename, "Rena&me", "F2", true, true},
        {Command::Browse, "&Browse...", "", true, false},
        {Command::CopyPath, "&Copy path", "Ctrl+C", true, false},
        {Command::Delete, "&Delete", "Del", true, false},
        {Command::MoveUp, "Move U&p", "Alt+Up", true, true},
        {Command::MoveDown, "Move Do&wn", "Alt+Down", true, false},
        {Command::New, "&New", "Insert", false, true},
        {Command::Undo, "&Undo", "Ctrl+Z", false, true},
        {Command::Redo, "&Redo", "Ctrl+Y", false, false},
    };
    return commands;
}

bool IsOffered(const CommandInfo& info, const ListState& state)
{
    return !info.bActsOnEntry || state.HasFocusEntry();
}

bool CanAct(Command command, const ListState& state)
{
    const bool bEntry = state.HasFocusEntry();
    switch (command) {
    case Command::Launch:
        return bEntry;
    case Command::Rename:
        return bEntry && state.bFocusEditable;
    case Command::Browse:
        return bEntry && state.bFocusEditable && state.bBrowsable;
    case Command::CopyPath:
        return bEntry && state.bFocusHasPath;
    case Command::Delete:
        return bEntry;
    case Command::MoveUp:
        return bEntry && state.bMovable && state.nFocus > 0;
    case Command::MoveDown:
        return bEntry && state.bMovable && state.nFocus + 1 < state.nCount;
    case Command::New:
        return state.bEditingOn;
    case Command::Undo:
        return state.bCanUndo;
    case Command::Redo:
        return state.bCanRedo;
    }
    return false;
}

std::string MenuLabel(const CommandInfo& info)
{
    std::string label = info.pszMenuText;
    if (*info.pszKeyText != '\0')
        label += std::string("\t") + info.pszKeyText;
    return label;
}

unsigned MenuId(Command command)
{
    return static_cast<unsigned>(command) + 1;
}

const CommandInfo* FindCommand(unsigned nId)
{
    for (const CommandInfo& info : Commands()) {
        if (MenuId(info.command) == nId)
            return &info;
    }
    return nullptr;
}

}  // namespace listcommands

#include "app/HelpText.h"

#include "listctrl/ListCommands.h"

#include <string_view>

namespace {

// The menu's commands as the menu names them, each with its key.
std::string MenuCommandsText()
{
    std::string text;
    for (const listcommands::CommandInfo& info : listcommands::Commands()) {
        if (!text.empty())
            text += ", ";
        for (const char* p = info.pszMenuText; *p != '\0'; ++p) {
            if (*p != '&')
                text += *p;
        }
        if (*info.pszKeyText != '\0')
            text += std::string(" (") + info.pszKeyText + ")";
    }
    return text;
}

const char* MenuEffect()
{
    static const std::string effect =
        "Opens a menu of every command at the focus entry: " + MenuCommandsText() +
        ". Launch is the default; a command that cannot act is greyed. With an empty list only New, Undo and "
        "Redo. A right click still edits the entry.";
    return effect.c_str();
}

}  // namespace

const std::vector<HelpEntry>& HelpEntries()
{
    static const std::vector<HelpEntry> entries = {
        {"Double-click an entry",
         "Starts zelrun.exe from the launcher's folder with the entry's path as its one argument; every "
         "double-click starts another player, the launcher stays open. If the player cannot be started: "
         "\"Can't Execute the Program!\". Below the last entry: nothing."},
        {"Ctrl+Enter (list focused)",
         "Starts the highlighted entry as a double-click on it does; nothing without one. Enter alone closes the "
         "launcher."},
        {"Rest the pointer on an entry", "Shows its full path in a tooltip."},
        {"Left click, Up/Down, Home/End, Page Up/Down, typing a name",
         "Highlights the entry; the highlighted entry is the focus item, the one F2, Delete, Ctrl+Enter, Ctrl+C "
         "and the menu act on (also after a move, a drag, an undo or redo). A click below the last entry changes "
         "nothing."},
        {"F2, right click",
         "Edits the entry's name in place: an edit box over it, and a \"...\" button that picks a scene file "
         "with the Open dialog (the file's title goes into the edit, its full path becomes the entry's path "
         "at once)."},
        {"F4, Alt+Down (while editing)", "Picks a scene file with the Open dialog, as the \"...\" button does."},
        {"Enter / click elsewhere (while editing)", "Keeps the typed name. An empty name removes the entry."},
        {"Escape (while editing)", "Keeps the old name (an emptied entry is still removed)."},
        {"Insert", "Adds an empty entry at the end and opens it for editing, as the strip's New does."},
        {"Delete", "Removes the focus item (no confirmation)."},
        {"Ctrl+C (list focused, not editing)", "Copies the focus entry's full path to the clipboard as text."},
        {"Menu key, Shift+F10 (list focused)", MenuEffect()},
        {"Alt+Up, Alt+Left / Alt+Down, Alt+Right", "Moves the selected entry up / down."},
        {"Ctrl+Z (list focused, not editing)",
         "Undoes the last change to the list, one step at a time (up to 1,000): a delete, a move (keys, "
         "strip, drag), a committed new entry, a rename or browsed path (one step per edit), an entry emptied "
         "away, a drop of files. The entry comes back with its name and path at its place, selected and "
         "scrolled into view. In the edit, Ctrl+Z is the edit's own."},
        {"Ctrl+Y, Ctrl+Shift+Z (list focused)",
         "Redoes what was undone; a new change after an undo ends what can be redone. The history lasts until "
         "the launcher closes (closing saves the list as it is then)."},
        {"Drag an entry", "Drops it into the gap the insertion marker shows; its path moves with it."},
        {"Drop files from Explorer", "Appends them as entries (file title as name); folders are skipped."},
        {"Strip buttons: New, Delete, Move Up, Move Down",
         "New adds an empty entry at the end and opens it for editing; the others act on the selected entry "
         "(nothing without a selection). Each has a tooltip."},
        {"Screen readers",
         "The list is named \"Scenes\"; an entry's description is its full path and its default action, "
         "Launch, starts it (the pointer does not move)."},
        {"Tab to the strip, then Left/Right, Home/End, Space",
         "Moves the focus mark among the strip's buttons (from New); Space presses the marked one, as a "
         "click does."},
        {"F1",
         "Opens the launcher's help (these actions and keys, and where the run list file lies); Escape, Enter "
         "or its Close button closes it."},
        {"Enter, Escape (not editing), close box, Alt+F4",
         "Close the launcher; the list is saved. An edit still open is ended first as if the focus had left "
         "it."},
        {"Log off, shut down, restart",
         "The list is saved as at a close (an edit still open is ended first) before Windows ends the launcher."},
        {"Start it again while it runs",
         "One launcher runs per run list: the running one comes to the front (restored if minimised), and the "
         "new start ends at once without a window, without reading or writing the list. A launcher in another "
         "folder (another run list) runs beside it."},
    };
    return entries;
}

namespace {

// The help's own texts are ASCII: each character is its own code unit.
void AppendAscii(std::wstring& text, std::string_view ascii)
{
    text.append(ascii.begin(), ascii.end());
}

}  // namespace

std::wstring ComposeHelpText(const std::wstring& strRunListPath)
{
    std::wstring text;
    for (const HelpEntry& entry : HelpEntries()) {
        AppendAscii(text, entry.pszAction);
        text += L"\r\n    ";
        AppendAscii(text, entry.pszEffect);
        text += L"\r\n\r\n";
    }
    text += L"The run list is kept in\r\n    ";
    text += strRunListPath;
    text += L"\r\nNames typed in the list last until the next start: the file keeps only the paths.";
    return text;
}

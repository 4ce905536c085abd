#include "app/HelpText.h"

const std::vector<HelpEntry>& HelpEntries()
{
    static const std::vector<HelpEntry> entries = {
        {"Double-click an entry",
         "Starts zelrun.exe from the launcher's folder with the entry's path as its one argument; every "
         "double-click starts another player, the launcher stays open. If the player cannot be started: "
         "\"Can't Execute the Program!\". Below the last entry: nothing."},
        {"Rest the pointer on an entry", "Shows its full path in a tooltip."},
        {"Left click", "Selects the entry and makes it the focus item (the one F2 and Delete act on)."},
        {"F2, right click",
         "Edits the entry's name in place: an edit box over it, and a \"...\" button that picks a scene file "
         "with the Open dialog (the file's title goes into the edit, its full path becomes the entry's path "
         "at once)."},
        {"Enter / click elsewhere (while editing)", "Keeps the typed name. An empty name removes the entry."},
        {"Escape (while editing)", "Keeps the old name (an emptied entry is still removed)."},
        {"Insert", "Adds an empty entry at the end and opens it for editing, as the strip's New does."},
        {"Delete", "Removes the focus item (no confirmation)."},
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

std::string ComposeHelpText(const std::string& strRunListPath)
{
    std::string text;
    for (const HelpEntry& entry : HelpEntries()) {
        text += entry.pszAction;
        text += "\r\n    ";
        text += entry.pszEffect;
        text += "\r\n\r\n";
    }
    text += "The run list is kept in\r\n    ";
    text += strRunListPath;
    text += "\r\nNames typed in the list last until the next start: the file keeps only the paths.";
    return text;
}

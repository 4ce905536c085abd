#pragma once
// The launcher's list as the window tests see it: what it shows and what its
// path table holds, read through one function each, and the input that opens,
// fills and ends its in-place edit. Everything the tests read from the list
// goes through here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WideText.h"
#include "WinTest.h"
#include "dpi/DpiScale.h"
#include "dpi/PixelRect.h"
#include "listctrl/InPlaceCtrl.h"
#include "listctrl/ListLayout.h"
#include "listctrl/RunListBox.h"

namespace wintest {

using V = std::vector<std::string>;

inline std::vector<std::string> ItemTexts(const CListBox& list)
{
    std::vector<std::string> texts;
    for (int i = 0, n = list.GetCount(); i < n; ++i)
        texts.push_back(Narrow(list.GetText(i)));
    return texts;
}

// The path table's elements at the items' indexes.
inline std::vector<std::string> PathHead(const CListBoxEx& list)
{
    std::vector<std::string> paths;
    for (int i = 0, n = list.GetCount(); i < n; ++i)
        paths.push_back(Narrow(list.Paths().GetAt(i)));
    return paths;
}

// The entries as the user sees them (names) and as they are saved (paths).
struct Entries {
    V names;
    V paths;
    bool operator==(const Entries& o) const { return names == o.names && paths == o.paths; }
    bool operator!=(const Entries& o) const { return !(*this == o); }
};

inline void PrintTo(const Entries& e, std::ostream* os)
{
    *os << "names " << ::testing::PrintToString(e.names) << ", paths " << ::testing::PrintToString(e.paths);
}

inline Entries EntriesOf(const CListBoxEx& list)
{
    return {ItemTexts(list), PathHead(list)};
}

// Scenes named by letters: "ab" is the entries a and b, at C:\s\a.zel and
// C:\s\b.zel (or in another folder).
inline V Letters(const char* letters)
{
    V names;
    for (const char* p = letters; *p != '\0'; ++p)
        names.emplace_back(1, *p);
    return names;
}

inline V ScenePaths(const char* letters, const std::string& folder = "C:\\s\\")
{
    V paths;
    for (const std::string& name : Letters(letters))
        paths.push_back(folder + name + ".zel");
    return paths;
}

// count scene paths: prefix, then 0 .. count-1, then ".zel".
inline V NumberedPaths(int count, const std::string& prefix)
{
    V paths;
    for (int i = 0; i < count; ++i)
        paths.push_back(prefix + std::to_string(i) + ".zel");
    return paths;
}

inline Entries LetterEntries(const char* letters, const std::string& folder = "C:\\s\\")
{
    return {Letters(letters), ScenePaths(letters, folder)};
}

inline POINT ItemCenter(const CListBox& list, int nIndex)
{
    return Center(list.GetItemRect(nIndex));
}

// Where the in-place edit and its "..." button lie over an item's rectangle
// at a DPI (the figures are checked natively against the list's layout).
struct InPlaceRects {
    CRect edit;
    CRect button;
};

inline InPlaceRects InPlaceRectsOver(const CRect& item, int nDpi = 96, bool bBrowse = true)
{
    const listlayout::EditRects rects = listlayout::EditRectsOverItem(PixelRectOf(item), bBrowse, nDpi);
    return {RectOf<CRect>(rects.edit), RectOf<CRect>(rects.button)};
}

// What the list keeps to itself, reached the way a derived class may reach it.
struct ListInternals : CRunListBox {
    static int& EditItem(CListBoxEx& list) { return (list.*(&ListInternals::m_edit)).m_nEditItem; }
    static BOOL& Movable(CListBoxEx& list) { return list.*(&ListInternals::m_bMovable); }
    // Appends an entry as the list's own commands do.
    static int Append(CListBoxEx& list, const ListEntry& entry)
    {
        return (list.*(&ListInternals::AppendEntry))(entry);
    }
};

// Input to a dialog that holds the launcher's list.
class ListInput : public DialogInput {
public:
    CInPlaceEdit& Edit() { return *DrivenList().GetInPlaceEdit(); }
    CInPlaceButton& Button() { return *DrivenList().GetInPlaceButton(); }
    void ClickItem(int i) { Click(DrivenList(), ItemCenter(DrivenList(), i)); }
    void RightClickItem(int i) { RightClick(DrivenList(), ItemCenter(DrivenList(), i)); }
    using DialogInput::Type;
    void Type(const std::string& text) { Type(Edit(), text); }
    // What the strip's New runs: an empty entry at the end, opened for editing.
    void BeginNew()
    {
        DrivenList().BeginEditNew();
        Pump(Driven());
    }
    // F2 on item i after a click on it; with a text, the text typed over the
    // whole name; with an end key, the edit ended with it.
    void EditByF2(int i, const char* typed = nullptr, UINT endKey = 0)
    {
        ClickItem(i);
        Press(DrivenList(), VK_F2);
        if (typed != nullptr)
            Type(typed);
        if (endKey != 0)
            Press(Edit(), endKey);
    }
    POINT ItemPoint(int i) { return OnScreen(DrivenList(), ItemCenter(DrivenList(), i)); }

protected:
    virtual CListBoxEx& DrivenList() = 0;
    ~ListInput() = default;
};

}  // namespace wintest

#include "runlist/RunListWin.h"

#include "fw/App.h"
#include "fw/Module.h"
#include "listctrl/ListBoxEx.h"
#include "runlist/RunList.h"
#include "runlist/RunListStoreWin.h"

#include <utility>

namespace {

// The run list's view of the real list box.
//
// The load inserts one item per entry straight into the list box's own window
// procedure: the procedures over it take no part in inserting, and under Wine
// 100,000 entries took 14 s through them and 0.3 s past them.
class ListBoxTarget : public IRunListTarget {
public:
    explicit ListBoxTarget(CListBoxEx& list) : m_list(list) {}
    int GetCount() const override { return m_list.GetCount(); }
    bool InsertItem(int nIndex, const std::string& text) override
    {
        return CallClassWindowProc(m_list, LB_INSERTSTRING, static_cast<WPARAM>(nIndex),
                                   reinterpret_cast<LPARAM>(text.c_str())) >= 0;
    }
    void RemoveAllItems() override { m_list.SendMessage(LB_RESETCONTENT); }
    PathTable& Paths() override { return m_list.Paths(); }
    const PathTable& Paths() const override { return m_list.Paths(); }

private:
    CListBoxEx& m_list;
};

std::string ExePath()
{
    return fw::GetModulePath().value_or(std::string());
}

std::unique_ptr<IRunListStore> MakeStore(const RunListStoreFactory& makeStore, const std::string& path)
{
    if (makeStore)
        return makeStore(path);
    return std::make_unique<RunListStoreWin>(path);
}

// Owned by the window that holds the list: during start-up no window is
// active yet, and a box without an owner could fall behind the dialog.
void TellUser(CListBoxEx& list, const std::string& text)
{
    AfxMessageBox(text, MB_OK, ::GetAncestor(list, GA_ROOT));
}

}  // namespace

std::string RunListFileBesideProgram()
{
    return RunListFilePath(ExePath());
}

bool LoadRunList(CListBoxEx& list, const RunListStoreFactory& makeStore)
{
    const std::string exePath = ExePath();
    const std::string filePath = RunListFilePath(exePath);
    if (!filePath.empty())
        RemoveLeftoverTempFiles(filePath);
    const std::unique_ptr<IRunListStore> store = MakeStore(makeStore, filePath);
    ListBoxTarget target(list);
    // A large list is filled without repainting after every item.
    list.SendMessage(WM_SETREDRAW, FALSE);
    const RunListLoadResult result = LoadRunList(target, *store, exePath);
    list.SendMessage(WM_SETREDRAW, TRUE);
    // Turning redrawing back on does not recompute the scroll bar everywhere
    // (Wine's list box keeps it hidden); a frame change does.
    ::SetWindowPos(list, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    list.Invalidate();
    const std::string message = result.Message();
    if (!message.empty())
        TellUser(list, message);
    return result.MaySave();
}

void SaveRunList(CListBoxEx& list, const RunListStoreFactory& makeStore)
{
    const std::string filePath = RunListFileBesideProgram();
    ListBoxTarget target(list);
    if (filePath.empty() || !SaveRunList(target, *MakeStore(makeStore, filePath)))
        ReportRunListNotSaved(list);
}

std::string RunListBytes(CListBoxEx& list)
{
    return RunListBytes(ListBoxTarget(list));
}

void ReportRunListNotSaved(CListBoxEx& list)
{
    TellUser(list, kRunListErrorText);
}

// The launcher's real dialog against the reference model of its list:
// thousands of random user operations, each delivered to the dialog as the
// user's input arrives (posted clicks and keys through the modal loop's path,
// the drag list's reports, a stand-in answering for the file dialog) and
// applied to the model, with the two compared after every step. Ending the
// dialog saves the list; the next dialog must load what was saved.
//
// Every run prints its seed and repeats from it. The suite runs fixed seeds;
// a longer run is one command (from build/win64):
//   NIMBREL_MODEL_SEED=12345 NIMBREL_MODEL_STEPS=100000 ../../tools/wine-run.sh
//     tests/win/win_tests.exe --gtest_filter='ModelRandom*FromTheEnvironment'
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <sstream>

#include "RunDialogTest.h"
#include "launch/Launch.h"
#include "listctrl/InPlaceCtrl.h"
#include "model/RandomOperations.h"
#include "model/RunListModel.h"

using namespace wintest;
using namespace model;

namespace {

// Posted after an operation's messages: once it comes out of the queue, the
// dialog has handled everything the operation caused.
const UINT kSettledMessage = WM_APP + 0x3A5;
// How many of the last operations a divergence report lists.
constexpr size_t kRecentOperations = 12;

struct KeyStroke {
    UINT vk;
    bool bAlt;
    std::vector<UINT> held = {};   // held down with it
};

// In the order of model::Key.
const KeyStroke kKeyStrokes[] = {
    {VK_F2, false},     {VK_DELETE, false}, {VK_LEFT, true},       {VK_UP, true},
    {VK_RIGHT, true},   {VK_DOWN, true},    {VK_RETURN, false},    {VK_ESCAPE, false},
    {VK_INSERT, false}, {'Z', false, {VK_CONTROL}}, {'Y', false, {VK_CONTROL}}, {'Z', false, {VK_CONTROL, VK_SHIFT}},
    {VK_HOME, false},   {VK_END, false},    {VK_UP, false},        {VK_DOWN, false},
    {VK_RETURN, false, {VK_CONTROL}},       {'C', false, {VK_CONTROL}},
};
static_assert(std::size(kKeyStrokes) == static_cast<size_t>(Key::CtrlC) + 1, "a stroke for every key");

const KeyStroke& ToKeyStroke(Key key)
{
    return kKeyStrokes[static_cast<size_t>(key)];
}

std::string Joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "\"" : ", \"") + item + "\"";
    return "{" + text + "}";
}

// The dialog's state is read from each control's own class procedure: the
// comparison after every step reads every item.
std::string ClassWindowText(HWND hWnd)
{
    std::vector<wchar_t> buffer(static_cast<size_t>(CallClassWindowProc(hWnd, WM_GETTEXTLENGTH)) + 1);
    CallClassWindowProc(hWnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return Narrow(buffer.data());
}

template <class T>
void Compare(std::ostringstream& out, const char* what, const T& real, const T& expected)
{
    if (!(real == expected))
        out << "  " << what << ": dialog " << real << ", model " << expected << "\n";
}

class ModelRandomTest : public RunDialogTest {
protected:
    // Runs steps random operations from seed; stops at the first divergence.
    void Run(std::uint64_t seed, int steps)
    {
        std::printf("[ model    ] seed %llu, %d steps\n", static_cast<unsigned long long>(seed), steps);
        std::fflush(stdout);
        const auto start = std::chrono::steady_clock::now();
        MessageBoxWatcher boxes;
        m_nRowsVisible = MeasureRowsVisible();
        OperationSource source(seed, m_nRowsVisible);
        const std::vector<std::string> initial = source.InitialPaths();
        WriteFileBytes(RunListPath(), SerializeRunList(initial));
        m_model.emplace(initial);
        EmptyTheClipboard();
        OpenDialog();

        std::deque<std::string> recent;
        int nMaxCount = 0;
        int nUndoneOrRedone = 0;   // undo and redo keys that changed the list
        for (int step = 1; step <= steps; ++step) {
            const Operation op = source.Next(*m_model);
            recent.push_back(std::to_string(step) + ": " + Describe(op));
            if (recent.size() > kRecentOperations)
                recent.pop_front();
            std::string differences = Step(op);
            if (!boxes.Texts().empty())
                differences += "  a message box: " + boxes.Texts().front() + "\n";
            if (!differences.empty()) {
                std::string history;
                for (const std::string& line : recent)
                    history += "    " + line + "\n";
                FAIL() << "seed " << seed << ", step " << step << ": the dialog and the model differ after "
                       << Describe(op) << "\n"
                       << differences << "  last operations:\n"
                       << history;
            }
            nMaxCount = std::max(nMaxCount, m_model->Count());
            nUndoneOrRedone += m_model->Revealed() != kNone && op.kind == Operation::Kind::Press ? 1 : 0;
        }
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        std::printf("[ model    ] seed %llu: %d steps agree, %d reloads, up to %d entries, %d changes undone or redone, "
                    "%lld ms\n",
                    static_cast<unsigned long long>(seed), steps, m_nReloads, nMaxCount, nUndoneOrRedone,
                    static_cast<long long>(ms.count()));
    }

private:
    // The list shows whole rows of one height; the generator keeps every row it
    // acts on among those the list can show.
    int MeasureRowsVisible()
    {
        WriteFileBytes(RunListPath(), SerializeRunList({}));
        Open();
        const int nRows = List().GetClientRect().Height() / static_cast<int>(List().SendMessage(LB_GETITEMHEIGHT));
        CloseWithCloseBox();
        return nRows;
    }

    // One operation on the dialog and the model; what differs afterwards.
    std::string Step(const Operation& op)
    {
        const std::optional<DragReplies> real = Deliver(op);
        const std::optional<DragReplies> expected = Apply(op, *m_model);
        std::string differences = Differences(real, expected);
        if (op.kind == Operation::Kind::Press && !m_model->HasEnded())
            differences += RevealedDifference();
        if (differences.empty() && m_model->HasEnded()) {
            differences = SaveAndReload();
            ++m_nReloads;
        }
        if (HasFailure())
            differences += "  the operation could not be delivered\n";
        return differences;
    }

    // The dialog of the next run; its list browses through the stand-in, and the
    // real cursor rests beside the list, where a left press and release (which the
    // drag list reports as a drag dropped under the cursor) drops nothing.
    void OpenDialog()
    {
        Open();
        List().m_fnOpenFileDialog = [this] { return Widen(m_chosen); };
        RecordStarts();
        CRect rcList;
        ::GetWindowRect(List(), &rcList);
        const POINT parked{rcList.left - 40, rcList.top + 20};
        POINT now{};
        ::GetCursorPos(&now);
        if (now.x != parked.x || now.y != parked.y)
            PlaceCursor(parked);
        m_parked = parked;
    }

    // Dispatches as the modal loop does until the marker posted now comes out of
    // the queue and nothing is left, or the dialog ends.
    void Settle()
    {
        const WPARAM marker = ++m_nSettled;
        ::PostMessageA(*m_dlg, kSettledMessage, marker, 0);
        bool bSeen = false;
        while (!m_dlg->HasEnded()) {
            MSG msg;
            if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (bSeen)
                    return;
                ::Sleep(0);
                continue;
            }
            if (msg.message == kSettledMessage) {
                bSeen = bSeen || msg.wParam == marker;
                continue;
            }
            m_dlg->ProcessMessage(msg);
        }
    }

    std::optional<DragReplies> Deliver(const Operation& op)
    {
        std::optional<DragReplies> replies;
        std::optional<HeldKeys> held;   // until the key has been handled
        if (op.kind == Operation::Kind::Press && !ToKeyStroke(op.key).held.empty())
            held.emplace(ToKeyStroke(op.key).held);
        switch (op.kind) {
        case Operation::Kind::LeftClick: ClickRow(op.row, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON); break;
        case Operation::Kind::RightClick: ClickRow(op.row, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON); break;
        case Operation::Kind::Press:
            m_chosen = op.chosen;
            PressKey(op.key);
            break;
        case Operation::Kind::Type: TypeText(op.text); break;
        case Operation::Kind::Browse: ClickBrowse(op.chosen); break;
        case Operation::Kind::Drag: replies = ReportDrag(op); break;
        case Operation::Kind::Strip: ClickStrip(op.part); break;
        case Operation::Kind::CloseBox: ::PostMessageA(*m_dlg, WM_SYSCOMMAND, SC_CLOSE, 0); break;
        }
        Settle();
        return replies;
    }

    // Scrolls the list as the user would before acting at a row.
    void ShowRow(int row, bool bEndsEdit)
    {
        const int nTop = static_cast<int>(CallClassWindowProc(List(), LB_GETTOPINDEX));
        const std::optional<int> top = TopIndexFor(*m_model, row, m_nRowsVisible, nTop, bEndsEdit);
        ASSERT_TRUE(top.has_value()) << "no view shows row " << row;
        if (*top == nTop)
            return;
        List().SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(*top));
        ASSERT_EQ(CallClassWindowProc(List(), LB_GETTOPINDEX), *top);
    }

    // The middle of the row's item, or of the edited item's margin left of the
    // edit; below the items, the bottom of the list.
    POINT RowPoint(int row) const
    {
        const CRect rcClient = m_dlg->m_list.GetClientRect();
        if (row == kNone)
            return {rcClient.Width() / 2, rcClient.bottom - 3};
        CRect rc;
        CallClassWindowProc(m_dlg->m_list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rc));
        const int x = row == m_model->EditItem() ? 2 : (rc.left + rc.right) / 2;
        return {x, (rc.top + rc.bottom) / 2};
    }

    void ClickRow(int row, UINT down, UINT up, WPARAM keys)
    {
        ShowRow(row, down == WM_LBUTTONDOWN);
        PostPress(List(), RowPoint(row), down, up, keys);
    }

    void PressKey(Key key)
    {
        const KeyStroke stroke = ToKeyStroke(key);
        HWND hFocus = ::GetFocus();
        PostKey(hFocus != nullptr ? hFocus : m_dlg->m_hWnd, stroke.vk, stroke.bAlt);
    }

    // A click puts the caret into the edit when it has not the focus; the whole
    // text is selected and typed over (an empty text by deleting the selection).
    void TypeText(const std::string& text)
    {
        if (::GetFocus() != Edit().m_hWnd)
            PostPress(Edit(), {3, 3});
        ::PostMessageA(Edit(), EM_SETSEL, 0, -1);
        PostChars(Edit(), text.empty() ? std::string("\b") : text);
    }

    void ClickBrowse(const std::optional<std::string>& chosen)
    {
        m_chosen = chosen;
        PostPress(Button(), Center(ClientRect(Button())));
    }

    void ClickStrip(StripPart part)
    {
        CToolStrip& strip = m_dlg->m_toolStrip;
        const POINT caption{3, strip.GetClientRect().Height() / 2};
        PostPress(strip, part == StripPart::Caption ? caption : Center(strip.GetButtonRect(static_cast<int>(part))));
    }

    // The drag list's reports of a drag that began at the selection: begin, a move
    // over the target and the drop or cancel there, as the platform sends them.
    DragReplies ReportDrag(const Operation& op)
    {
        const POINT start = OnScreen(List(), {1, 1});
        DragReplies replies;
        replies.nBegin = static_cast<long>(DragReport(DL_BEGINDRAG, start));
        POINT target{};
        if (op.bOutside) {
            target = m_parked;
        } else {
            ShowRow(op.row, false);
            target = OnScreen(List(), RowPoint(op.row));
        }
        replies.nDragging = static_cast<long>(DragReport(DL_DRAGGING, target));
        replies.nMarker = List().GetInsertIndex();
        DragReport(op.bDrop ? DL_DROPPED : DL_CANCELDRAG, target);
        return replies;
    }

    std::string FocusName() const
    {
        const HWND hFocus = ::GetFocus();
        const CRunListBox& list = m_dlg->m_list;
        if (hFocus == list.m_hWnd)
            return ToString(Focus::List);
        if (hFocus == list.GetInPlaceEdit()->m_hWnd)
            return ToString(Focus::Edit);
        if (hFocus == list.GetInPlaceButton()->m_hWnd)
            return ToString(Focus::Button);
        if (hFocus == m_dlg->m_toolStrip.m_hWnd)
            return ToString(Focus::Strip);
        return hFocus == nullptr ? "none" : "another window";
    }

    // What differs between the dialog and the model; empty when nothing does.
    std::string Differences(const std::optional<DragReplies>& real, const std::optional<DragReplies>& expected)
    {
        std::ostringstream out;
        Compare(out, "dialog ended", m_dlg->HasEnded(), m_model->HasEnded());
        if (m_dlg->HasEnded() || m_model->HasEnded())
            return out.str();
        Entries modelled;
        for (const Entry& entry : m_model->Entries()) {
            modelled.names.push_back(entry.text);
            modelled.paths.push_back(entry.path);
        }
        const Entries shown = EntriesOf(List());
        Compare(out, "texts", Joined(shown.names), Joined(modelled.names));
        Compare(out, "paths", Joined(shown.paths), Joined(modelled.paths));
        Compare(out, "selection", static_cast<int>(CallClassWindowProc(List(), LB_GETCURSEL)), m_model->Selection());
        Compare(out, "focus item", List().GetFocusItem(), m_model->FocusItem());
        Compare(out, "edit item", List().GetEditItem(), m_model->EditItem());
        Compare(out, "keyboard focus", FocusName(), std::string(ToString(m_model->KeyFocus())));
        Compare(out, "edit shown", Edit().IsWindowVisible() != FALSE, m_model->IsEditing());
        Compare(out, "button shown", Button().IsWindowVisible() != FALSE, m_model->IsEditing());
        if (m_model->IsEditing())
            Compare(out, "edit text", ClassWindowText(Edit()), m_model->EditText());
        Compare(out, "insertion marker", List().GetInsertIndex(), -1);
        std::vector<std::string> started;
        for (const std::string& path : m_model->Started())
            started.push_back(Narrow(launch::PlayerCommandLine(Widen(path)).value_or(L"?")));
        Compare(out, "started", Joined(m_started), Joined(started));
        Compare(out, "clipboard", ClipboardText(CF_TEXT), m_model->Copied());
        if (expected) {
            Compare(out, "reply to the begin report", real->nBegin, expected->nBegin);
            Compare(out, "reply to the move report", real->nDragging, expected->nDragging);
            Compare(out, "marker while dragging", real->nMarker, expected->nMarker);
        }
        return out.str();
    }

    // Whether the item an undo or redo must bring into view shows whole.
    std::string RevealedDifference()
    {
        const int nItem = m_model->Revealed();
        const int nTop = static_cast<int>(CallClassWindowProc(List(), LB_GETTOPINDEX));
        if (nItem == kNone || (nItem >= nTop && nItem < nTop + m_nRowsVisible))
            return std::string();
        return "  item " + std::to_string(nItem) + " is not in view: the top index is " + std::to_string(nTop) + "\n";
    }

    // The ended dialog saves as it goes; the next one loads the same paths and
    // shows their display names, with nothing selected or focused.
    std::string SaveAndReload()
    {
        m_dlg->FinishModal();
        std::ostringstream out;
        Compare(out, "saved paths", Joined(SavedPaths()), Joined(m_model->SavedPaths()));
        m_model->Reopen();
        OpenDialog();
        return out.str() + Differences(std::nullopt, std::nullopt);
    }

    std::optional<RunListModel> m_model;
    std::optional<std::string> m_chosen;   // what the file dialog answers next
    int m_nRowsVisible = 0;
    POINT m_parked{};                      // where the real cursor rests
    WPARAM m_nSettled = 0;
    int m_nReloads = 0;
};

// The faults the random runs found, each kept as a test of its own.
class ModelFoundFaultTest : public RunDialogTest {};

// Hiding the edit handed the focus to the list while the button still showed;
// the button reported that loss and the edit ended a second time, accepted.
TEST_F(ModelFoundFaultTest, EscapeWhileTheBrowseButtonHasTheFocusCancelsTheEdit)
{
    OpenWith(ScenePaths("ab"));
    List().m_fnOpenFileDialog = [] { return std::optional<std::wstring>(); };
    RightClickItem(1);
    Type("typed");
    ClickCenter(Button());   // a cancelled browse
    ASSERT_EQ(::GetFocus(), Button().m_hWnd);

    Press(Button(), VK_ESCAPE);
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b"}));
    EXPECT_FALSE(List().IsEditing());
    EXPECT_FALSE(Button().IsWindowVisible());
    EXPECT_EQ(::GetFocus(), List().m_hWnd);
}

class ModelRandomFixedSeed : public ModelRandomTest, public ::testing::WithParamInterface<std::uint64_t> {};

TEST_P(ModelRandomFixedSeed, AThousandOperationsAgreeWithTheModel)
{
    Run(GetParam(), 1000);
}

INSTANTIATE_TEST_SUITE_P(Seeds, ModelRandomFixedSeed, ::testing::Range<std::uint64_t>(1, 11),
                         [](const ::testing::TestParamInfo<std::uint64_t>& info) {
                             return "Seed" + std::to_string(info.param);
                         });

// NIMBREL_MODEL_SEED (default: the time) and NIMBREL_MODEL_STEPS choose a
// longer run; without NIMBREL_MODEL_STEPS it is skipped.
TEST_F(ModelRandomTest, FromTheEnvironment)
{
    const char* steps = std::getenv("NIMBREL_MODEL_STEPS");
    if (steps == nullptr)
        GTEST_SKIP() << "set NIMBREL_MODEL_STEPS (and NIMBREL_MODEL_SEED) for a longer run";
    const char* seed = std::getenv("NIMBREL_MODEL_SEED");
    Run(seed != nullptr ? std::strtoull(seed, nullptr, 10) : static_cast<std::uint64_t>(::GetTickCount64()),
        std::atoi(steps));
}

}  // namespace

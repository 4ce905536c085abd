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
#include "WinTest.h"
#include "launch/Launch.h"
#include "listctrl/InPlaceCtrl.h"
#include "model/RandomOperations.h"
#include "model/RunListModel.h"

#include <commctrl.h>   // after <windows.h>

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

KeyStroke ToKeyStroke(Key key)
{
    switch (key) {
    case Key::F2:
        return {VK_F2, false};
    case Key::Delete:
        return {VK_DELETE, false};
    case Key::AltLeft:
        return {VK_LEFT, true};
    case Key::AltUp:
        return {VK_UP, true};
    case Key::AltRight:
        return {VK_RIGHT, true};
    case Key::AltDown:
        return {VK_DOWN, true};
    case Key::Enter:
        return {VK_RETURN, false};
    case Key::Escape:
        return {VK_ESCAPE, false};
    case Key::Insert:
        return {VK_INSERT, false};
    case Key::CtrlZ:
        return {'Z', false, {VK_CONTROL}};
    case Key::CtrlY:
        return {'Y', false, {VK_CONTROL}};
    case Key::CtrlShiftZ:
        return {'Z', false, {VK_CONTROL, VK_SHIFT}};
    case Key::Home:
        return {VK_HOME, false};
    case Key::End:
        return {VK_END, false};
    case Key::Up:
        return {VK_UP, false};
    case Key::Down:
        return {VK_DOWN, false};
    case Key::CtrlEnter:
        return {VK_RETURN, false, {VK_CONTROL}};
    case Key::CtrlC:
        return {'C', false, {VK_CONTROL}};
    }
    return {0, false};
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
std::string WindowText(HWND hWnd)
{
    std::vector<char> buffer(static_cast<size_t>(CallClassWindowProc(hWnd, WM_GETTEXTLENGTH)) + 1);
    CallClassWindowProc(hWnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.data();
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
    void Run(std::uint64_t seed, int steps);

private:
    int MeasureRowsVisible();
    void OpenDialog();
    // One operation on the dialog and the model; what differs afterwards.
    std::string Step(const Operation& op);
    void Settle();
    std::optional<DragReplies> Deliver(const Operation& op);
    void ShowRow(int row, bool bEndsEdit);
    POINT RowPoint(int row) const;
    void ClickRow(int row, UINT down, UINT up, WPARAM keys);
    void PressKey(Key key);
    void TypeText(const std::string& text);
    void ClickBrowse(const std::optional<std::string>& chosen);
    void ClickStrip(StripPart part);
    DragReplies ReportDrag(const Operation& op);
    LRESULT Report(UINT code, POINT screen);
    void PostPressAndRelease(HWND hWnd, POINT pt, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP,
                             WPARAM keys = MK_LBUTTON);
    std::string FocusName() const;
    // What differs between the dialog and the model; empty when nothing does.
    std::string Differences(const std::optional<DragReplies>& real, const std::optional<DragReplies>& expected);
    std::string SaveAndReload();
    // Whether the item an undo or redo must bring into view shows whole.
    std::string RevealedDifference();

    CInPlaceEdit& Edit() { return *List().GetInPlaceEdit(); }
    CInPlaceButton& Button() { return *List().GetInPlaceButton(); }

    std::optional<RunListModel> m_model;
    std::optional<std::string> m_chosen;   // what the file dialog answers next
    int m_nRowsVisible = 0;
    POINT m_parked{};                      // where the real cursor rests
    WPARAM m_nSettled = 0;
    int m_nReloads = 0;
    std::vector<std::string> m_started;    // the command lines the dialogs started
};

void ModelRandomTest::Run(std::uint64_t seed, int steps)
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

// The list shows whole rows of one height; the generator keeps every row it
// acts on among those the list can show.
int ModelRandomTest::MeasureRowsVisible()
{
    WriteFileBytes(RunListPath(), SerializeRunList({}));
    Open();
    const int nRows = List().GetClientRect().Height() / static_cast<int>(List().SendMessage(LB_GETITEMHEIGHT));
    CloseWithCloseBox();
    return nRows;
}

std::string ModelRandomTest::Step(const Operation& op)
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
void ModelRandomTest::OpenDialog()
{
    Open();
    List().m_fnOpenFileDialog = [this] { return m_chosen; };
    List().m_fnStartProgram = [this](const std::string& commandLine) {
        m_started.push_back(commandLine);
        return TRUE;
    };
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
void ModelRandomTest::Settle()
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

std::optional<DragReplies> ModelRandomTest::Deliver(const Operation& op)
{
    std::optional<DragReplies> replies;
    std::optional<HeldKeys> held;   // until the key has been handled
    if (op.kind == Operation::Kind::Press && !ToKeyStroke(op.key).held.empty())
        held.emplace(ToKeyStroke(op.key).held);
    switch (op.kind) {
    case Operation::Kind::LeftClick:
        ClickRow(op.row, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
        break;
    case Operation::Kind::RightClick:
        ClickRow(op.row, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
        break;
    case Operation::Kind::Press:
        m_chosen = op.chosen;
        PressKey(op.key);
        break;
    case Operation::Kind::Type:
        TypeText(op.text);
        break;
    case Operation::Kind::Browse:
        ClickBrowse(op.chosen);
        break;
    case Operation::Kind::Drag:
        replies = ReportDrag(op);
        break;
    case Operation::Kind::Strip:
        ClickStrip(op.part);
        break;
    case Operation::Kind::CloseBox:
        ::PostMessageA(*m_dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
    Settle();
    return replies;
}

// Scrolls the list as the user would before acting at a row.
void ModelRandomTest::ShowRow(int row, bool bEndsEdit)
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
POINT ModelRandomTest::RowPoint(int row) const
{
    const CRect rcClient = m_dlg->m_list.GetClientRect();
    if (row == kNone)
        return {rcClient.Width() / 2, rcClient.bottom - 3};
    CRect rc;
    CallClassWindowProc(m_dlg->m_list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rc));
    const int x = row == m_model->EditItem() ? 2 : (rc.left + rc.right) / 2;
    return {x, (rc.top + rc.bottom) / 2};
}

void ModelRandomTest::ClickRow(int row, UINT down, UINT up, WPARAM keys)
{
    ShowRow(row, down == WM_LBUTTONDOWN);
    PostPressAndRelease(List(), RowPoint(row), down, up, keys);
}

// The press and release at one place, without moving the real cursor: the
// list and the controls take the place from the message.
void ModelRandomTest::PostPressAndRelease(HWND hWnd, POINT pt, UINT down, UINT up, WPARAM keys)
{
    ::PostMessageA(hWnd, down, keys, MAKELPARAM(pt.x, pt.y));
    ::PostMessageA(hWnd, up, 0, MAKELPARAM(pt.x, pt.y));
}

void ModelRandomTest::PressKey(Key key)
{
    const KeyStroke stroke = ToKeyStroke(key);
    HWND hFocus = ::GetFocus();
    PostKey(hFocus != nullptr ? hFocus : m_dlg->m_hWnd, stroke.vk, stroke.bAlt);
}

// A click puts the caret into the edit when it has not the focus; the whole
// text is selected and typed over (an empty text by deleting the selection).
void ModelRandomTest::TypeText(const std::string& text)
{
    if (::GetFocus() != Edit().m_hWnd)
        PostPressAndRelease(Edit(), {3, 3});
    ::PostMessageA(Edit(), EM_SETSEL, 0, -1);
    PostChars(Edit(), text.empty() ? std::string("\b") : text);
}

void ModelRandomTest::ClickBrowse(const std::optional<std::string>& chosen)
{
    m_chosen = chosen;
    const CRect rc = Button().GetClientRect();
    PostPressAndRelease(Button(), {rc.Width() / 2, rc.Height() / 2});
}

void ModelRandomTest::ClickStrip(StripPart part)
{
    CToolStrip& strip = m_dlg->m_toolStrip;
    POINT pt{3, strip.GetClientRect().Height() / 2};
    if (part != StripPart::Caption) {
        const CRect rc = strip.GetButtonRect(static_cast<int>(part));
        pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    PostPressAndRelease(strip, pt);
}

// The drag list's reports of a drag that began at the selection: begin, a move
// over the target and the drop or cancel there, as the platform sends them.
DragReplies ModelRandomTest::ReportDrag(const Operation& op)
{
    POINT start{1, 1};
    List().ClientToScreen(&start);
    DragReplies replies;
    replies.nBegin = static_cast<long>(Report(DL_BEGINDRAG, start));
    POINT target{};
    if (op.bOutside) {
        target = m_parked;
    } else {
        ShowRow(op.row, false);
        target = RowPoint(op.row);
        List().ClientToScreen(&target);
    }
    replies.nDragging = static_cast<long>(Report(DL_DRAGGING, target));
    replies.nMarker = List().GetInsertIndex();
    Report(op.bDrop ? DL_DROPPED : DL_CANCELDRAG, target);
    return replies;
}

LRESULT ModelRandomTest::Report(UINT code, POINT screen)
{
    DRAGLISTINFO info{code, List(), screen};
    return ::SendMessageA(*m_dlg, DragListMessage(), static_cast<WPARAM>(::GetDlgCtrlID(List())),
                          reinterpret_cast<LPARAM>(&info));
}

std::string ModelRandomTest::FocusName() const
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

std::string ModelRandomTest::Differences(const std::optional<DragReplies>& real,
                                         const std::optional<DragReplies>& expected)
{
    std::ostringstream out;
    Compare(out, "dialog ended", m_dlg->HasEnded(), m_model->HasEnded());
    if (m_dlg->HasEnded() || m_model->HasEnded())
        return out.str();
    std::vector<std::string> texts;
    std::vector<std::string> paths;
    for (const Entry& entry : m_model->Entries()) {
        texts.push_back(entry.text);
        paths.push_back(entry.path);
    }
    std::vector<std::string> realTexts;
    std::vector<std::string> realPaths;
    const int nCount = static_cast<int>(CallClassWindowProc(List(), LB_GETCOUNT));
    for (int i = 0; i < nCount; ++i) {
        realTexts.push_back(List().GetText(i));
        realPaths.push_back(List().Paths().GetAt(i));
    }
    Compare(out, "texts", Joined(realTexts), Joined(texts));
    Compare(out, "paths", Joined(realPaths), Joined(paths));
    Compare(out, "selection", static_cast<int>(CallClassWindowProc(List(), LB_GETCURSEL)), m_model->Selection());
    Compare(out, "focus item", List().GetFocusItem(), m_model->FocusItem());
    Compare(out, "edit item", List().GetEditItem(), m_model->EditItem());
    Compare(out, "keyboard focus", FocusName(), std::string(ToString(m_model->KeyFocus())));
    Compare(out, "edit shown", Edit().IsWindowVisible() != FALSE, m_model->IsEditing());
    Compare(out, "button shown", Button().IsWindowVisible() != FALSE, m_model->IsEditing());
    if (m_model->IsEditing())
        Compare(out, "edit text", WindowText(Edit()), m_model->EditText());
    Compare(out, "insertion marker", List().GetInsertIndex(), -1);
    std::vector<std::string> started;
    for (const std::string& path : m_model->Started())
        started.push_back(launch::PlayerCommandLine(path).value_or("?"));
    Compare(out, "started", Joined(m_started), Joined(started));
    Compare(out, "clipboard", ClipboardText(CF_TEXT), m_model->Copied());
    if (expected) {
        Compare(out, "reply to the begin report", real->nBegin, expected->nBegin);
        Compare(out, "reply to the move report", real->nDragging, expected->nDragging);
        Compare(out, "marker while dragging", real->nMarker, expected->nMarker);
    }
    return out.str();
}

std::string ModelRandomTest::RevealedDifference()
{
    const int nItem = m_model->Revealed();
    const int nTop = static_cast<int>(CallClassWindowProc(List(), LB_GETTOPINDEX));
    if (nItem == kNone || (nItem >= nTop && nItem < nTop + m_nRowsVisible))
        return std::string();
    return "  item " + std::to_string(nItem) + " is not in view: the top index is " + std::to_string(nTop) + "\n";
}

// The ended dialog saves as it goes; the next one loads the same paths and
// shows their display names, with nothing selected or focused.
std::string ModelRandomTest::SaveAndReload()
{
    m_dlg->FinishModal();
    std::ostringstream out;
    Compare(out, "saved paths", Joined(SavedPaths()), Joined(m_model->SavedPaths()));
    m_model->Reopen();
    OpenDialog();
    return out.str() + Differences(std::nullopt, std::nullopt);
}

// The faults the random runs found, each kept as a test of its own.
class ModelFoundFaultTest : public RunDialogTest {};

// Hiding the edit handed the focus to the list while the button still showed;
// the button reported that loss and the edit ended a second time, accepted.
TEST_F(ModelFoundFaultTest, EscapeWhileTheBrowseButtonHasTheFocusCancelsTheEdit)
{
    OpenWith({"C:\\s\\a.zel", "C:\\s\\b.zel"});
    List().m_fnOpenFileDialog = [] { return std::optional<std::string>(); };
    PostClick(List(), ItemCenter(List(), 1), WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
    Pump(*m_dlg);
    CInPlaceEdit& edit = *List().GetInPlaceEdit();
    CInPlaceButton& button = *List().GetInPlaceButton();
    PostChars(edit, "typed");
    const CRect rc = button.GetClientRect();
    PostClick(button, {rc.Width() / 2, rc.Height() / 2});   // a cancelled browse
    Pump(*m_dlg);
    ASSERT_EQ(::GetFocus(), button.m_hWnd);

    PostKey(button, VK_ESCAPE);
    Pump(*m_dlg);
    EXPECT_EQ(ItemTexts(List()), (std::vector<std::string>{"a", "b"}));
    EXPECT_FALSE(List().IsEditing());
    EXPECT_FALSE(button.IsWindowVisible());
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

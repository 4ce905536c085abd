#include "model/RandomOperations.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <numeric>

namespace model {

namespace {

constexpr const char kTextCharacters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ._-()&!#'";
constexpr const char kPathCharacters[] = "abcdefghijklmnopqrstuvwxyz0123456789_- ";

// In the order of the enumerations.
constexpr const char* kKeyNames[] = {"F2",     "Delete", "Alt+Left", "Alt+Up",       "Alt+Right", "Alt+Down",
                                     "Enter",  "Escape", "Insert",   "Ctrl+Z",       "Ctrl+Y",    "Ctrl+Shift+Z",
                                     "Home",   "End",    "Up",       "Down",         "Ctrl+Enter", "Ctrl+C"};
constexpr const char* kStripPartNames[] = {"New", "Delete", "Move Up", "Move Down", "caption"};
static_assert(std::size(kKeyNames) == static_cast<size_t>(Key::CtrlC) + 1, "a name for every key");
static_assert(std::size(kStripPartNames) == static_cast<size_t>(StripPart::Caption) + 1, "a name for every part");

const char* ToString(Key key)
{
    return kKeyNames[static_cast<size_t>(key)];
}

const char* ToString(StripPart part)
{
    return kStripPartNames[static_cast<size_t>(part)];
}

std::string RowName(int row)
{
    return row == kNone ? "below the items" : "on item " + std::to_string(row);
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string RandomWordForPath(Random& random, int nLength)
{
    std::string word(static_cast<size_t>(nLength), ' ');
    for (char& c : word)
        c = kPathCharacters[random.Below(sizeof kPathCharacters - 1)];
    return word;
}

int MaxTopIndex(int nCount, int nRowsVisible)
{
    return std::max(0, nCount - nRowsVisible);
}

}  // namespace

std::uint64_t Random::Next()
{
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int Random::Below(int n)
{
    return static_cast<int>(Next() % static_cast<std::uint64_t>(n));
}

int Random::Pick(const std::vector<int>& weights)
{
    int roll = Below(std::accumulate(weights.begin(), weights.end(), 0));
    for (size_t i = 0; i < weights.size(); ++i) {
        if (roll < weights[i])
            return static_cast<int>(i);
        roll -= weights[i];
    }
    return 0;
}

std::string Describe(const Operation& op)
{
    switch (op.kind) {
    case Operation::Kind::LeftClick: return "left click " + RowName(op.row);
    case Operation::Kind::RightClick: return "right click " + RowName(op.row);
    case Operation::Kind::Press:
        return std::string("key ") + ToString(op.key) + (op.chosen ? ", choosing " + Quoted(*op.chosen) : "");
    case Operation::Kind::Type: return "type " + Quoted(op.text);
    case Operation::Kind::Browse: return op.chosen ? "browse, choosing " + Quoted(*op.chosen) : "browse, cancelled";
    case Operation::Kind::Drag:
        return "drag the selection " + (op.bOutside ? std::string("beside the list") : RowName(op.row)) +
               (op.bDrop ? ", drop" : ", cancel");
    case Operation::Kind::Strip: return std::string("strip ") + ToString(op.part);
    case Operation::Kind::CloseBox: return "close box";
    }
    return "?";
}

std::optional<DragReplies> Apply(const Operation& op, RunListModel& model)
{
    switch (op.kind) {
    case Operation::Kind::LeftClick: model.LeftClick(op.row); break;
    case Operation::Kind::RightClick: model.RightClick(op.row); break;
    case Operation::Kind::Press:
        if (op.key == Key::AltDown && model.KeyFocus() == Focus::Edit)
            model.Browse(op.chosen);   // the edit's key for the browse button
        else
            model.Press(op.key);
        break;
    case Operation::Kind::Type: model.Type(op.text); break;
    case Operation::Kind::Browse: model.Browse(op.chosen); break;
    case Operation::Kind::Drag: return model.Drag(op.row, op.bDrop);
    case Operation::Kind::Strip: model.ClickStrip(op.part); break;
    case Operation::Kind::CloseBox: model.CloseBox(); break;
    }
    return std::nullopt;
}

namespace {

// Where the list box's top index is after a left click ended the edit: the
// list box goes back to its first item when a deletion leaves exactly a page
// of items (an emptied entry's removal, or the delete half of replacing the
// committed text), and selecting the committed item scrolls it into view.
int TopIndexAfterEditEnds(const RunListModel& model, int nTop, int nRowsVisible)
{
    if (model.Count() - 1 == nRowsVisible)
        nTop = 0;
    const int nEdit = model.EditItem();
    if (!model.EditText().empty())
        nTop = std::clamp(nTop, nEdit - nRowsVisible + 1, nEdit);
    return nTop;
}

}  // namespace

std::optional<int> TopIndexFor(const RunListModel& model, int row, int nRowsVisible, int nCurrentTop,
                               bool bEndsEdit)
{
    auto shows = [&](int nTop, int item) { return item >= nTop && item < nTop + nRowsVisible; };
    auto fits = [&](int nTop) {
        if (row == kNone ? nTop + nRowsVisible < model.Count() : !shows(nTop, row))
            return false;
        if (!model.IsEditing())
            return true;
        return shows(nTop, model.EditItem()) &&
               (!bEndsEdit || TopIndexAfterEditEnds(model, nTop, nRowsVisible) == nTop);
    };
    std::optional<int> best;
    for (int nTop = 0; nTop <= MaxTopIndex(model.Count(), nRowsVisible); ++nTop) {
        if (fits(nTop) && (!best || std::abs(nTop - nCurrentTop) < std::abs(*best - nCurrentTop)))
            best = nTop;
    }
    return best;
}

OperationSource::OperationSource(std::uint64_t seed, int nRowsVisible)
    : m_random(seed), m_nRowsVisible(nRowsVisible)
{
    m_mood = static_cast<Mood>(m_random.Below(3));
    ChangeMoodNow();
}

std::vector<std::string> OperationSource::InitialPaths()
{
    std::vector<std::string> paths(static_cast<size_t>(m_random.OneIn(6) ? 0 : m_random.Below(15)));
    for (std::string& path : paths)
        path = RandomPath();
    return paths;
}

// The moods take turns (growing, shrinking, then keeping), so every run of a
// thousand operations or so sees a stretch of growth.
void OperationSource::ChangeMoodNow()
{
    m_mood = static_cast<Mood>((static_cast<int>(m_mood) + 1) % 3);
    m_nMoodLeft = (m_mood == Mood::Grow ? 400 : 150) + m_random.Below(200);
}

Operation OperationSource::Next(const RunListModel& model)
{
    if (--m_nMoodLeft <= 0)
        ChangeMoodNow();
    if (m_bDragNext) {
        m_bDragNext = false;
        return DragTo(model);
    }
    if (m_nNavigationKeysLeft > 0) {
        --m_nNavigationKeysLeft;
        if (CanNavigate(model))
            return Navigation();
    }
    if (m_nHistoryKeysLeft > 0 && !model.IsEditing()) {
        --m_nHistoryKeysLeft;
        Operation op;
        op.kind = Operation::Kind::Press;
        op.key = m_random.OneIn(3) ? Key::CtrlY : Key::CtrlZ;
        return op;
    }
    return model.IsEditing() ? Editing(model) : Idle(model);
}

Operation OperationSource::Idle(const RunListModel& model)
{
    const bool bGrow = m_mood == Mood::Grow;
    const bool bShrink = m_mood == Mood::Shrink;
    enum { kLeft, kRight, kKey, kDrag, kNew, kDelete, kUp, kDown, kCaption, kClose };
    const std::vector<int> weights{56, 24, 64, 32, bGrow ? 100 : bShrink ? 4 : 16, bShrink ? 40 : bGrow ? 2 : 12, 8, 8, 4,
                                   bGrow ? 0 : 2};
    Operation op;
    const int choice = m_random.Pick(weights);
    switch (choice) {
    case kLeft: {
        // Now and then the keys move on from the entry clicked.
        op = ClickAt(Operation::Kind::LeftClick, model);
        if (op.kind == Operation::Kind::LeftClick && op.row != kNone && m_random.OneIn(3))
            m_nNavigationKeysLeft = 1 + m_random.Below(4);
        return op;
    }
    case kRight: return ClickAt(Operation::Kind::RightClick, model);
    case kKey: return PressKey(false);
    case kDrag:
        // Most drags begin with the press on the dragged item.
        if (m_random.OneIn(4) || model.Count() == 0)
            return DragTo(model);
        m_bDragNext = true;
        return ClickAt(Operation::Kind::LeftClick, model);
    case kClose:
        op.kind = Operation::Kind::CloseBox;
        return op;
    default:
        op.kind = Operation::Kind::Strip;
        op.part = static_cast<StripPart>(choice - kNew);
        return op;
    }
}

Operation OperationSource::Editing(const RunListModel& model)
{
    const bool bGrow = m_mood == Mood::Grow;
    // type, key, browse, left click, right click, drag report, strip, close box
    const std::vector<int> weights{bGrow ? 80 : 36, bGrow ? 30 : 42, 12, bGrow ? 6 : 12, 6, 6, 9, bGrow ? 0 : 1};
    Operation op;
    switch (m_random.Pick(weights)) {
    case 0:
        op.kind = Operation::Kind::Type;
        op.text = m_random.OneIn(bGrow ? 20 : 6) ? std::string() : RandomText();
        return op;
    case 1: return PressKey(true);
    case 2:
        op.kind = Operation::Kind::Browse;
        if (!m_random.OneIn(4))
            op.chosen = RandomPath();
        return op;
    case 3: return ClickAt(Operation::Kind::LeftClick, model);
    case 4: return ClickAt(Operation::Kind::RightClick, model);
    case 5: return DragTo(model);
    case 6:
        op.kind = Operation::Kind::Strip;
        op.part = static_cast<StripPart>(m_random.Below(5));
        return op;
    default:
        op.kind = Operation::Kind::CloseBox;
        return op;
    }
}

// A key in whatever window has the focus. Keys that end the dialog are rare
// while the list grows, so that it outgrows the path table's spare room.
// Undo and redo come in runs now and then, so chains of them are undone and
// redone; in the edit Ctrl+Z is the edit's own and is not pressed there.
Operation OperationSource::PressKey(bool bEditing)
{
    const bool bGrow = m_mood == Mood::Grow;
    const bool bShrink = m_mood == Mood::Shrink;
    // F2, Delete, Alt+Left, Alt+Up, Alt+Right, Alt+Down, Enter, Escape, Insert, Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z,
    // Home, End, Up, Down (only from a click: see Navigation), Ctrl+Enter, Ctrl+C
    const std::vector<int> weights =
        bEditing ? std::vector<int>{1, 2, 1, 1, 1, 1, bGrow ? 20 : 12, bShrink ? 8 : 4, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}
                 : std::vector<int>{20, bShrink ? 32 : bGrow ? 4 : 16, 8, 8, 8, 8, bGrow ? 0 : 1, bGrow ? 0 : 1,
                                    bGrow ? 8 : bShrink ? 1 : 3, bGrow ? 4 : 16, 6, 4, 0, 0, 0, 0, 4, 4};
    Operation op;
    op.kind = Operation::Kind::Press;
    op.key = static_cast<Key>(m_random.Pick(weights));
    if (bEditing && op.key == Key::AltDown && !m_random.OneIn(4))
        op.chosen = RandomPath();
    if (op.key == Key::CtrlZ && m_random.OneIn(3))
        m_nHistoryKeysLeft = 1 + m_random.Below(12);
    return op;
}

// The list box moves its highlight from its own caret, which after some
// changes (an entry removed above it) is no longer the selected entry; it is
// where the last click left it. So the keys that move the highlight come only
// right after a click on an entry, while the list has the focus.
bool OperationSource::CanNavigate(const RunListModel& model)
{
    return !model.IsEditing() && model.KeyFocus() == Focus::List && model.Selection() != kNone;
}

Operation OperationSource::Navigation()
{
    Operation op;
    op.kind = Operation::Kind::Press;
    op.key = static_cast<Key>(static_cast<int>(Key::Home) + m_random.Below(4));
    return op;
}

// A click where the list can show it; a key instead when no row can be shown
// with the edited item.
Operation OperationSource::ClickAt(Operation::Kind kind, const RunListModel& model)
{
    const std::optional<int> row = PickRow(model, kind);
    if (!row)
        return PressKey(model.IsEditing());
    Operation op;
    op.kind = kind;
    op.row = *row;
    return op;
}

// The drag begins at the selection; it ends over an item, below the items or
// beside the list, and is dropped or cancelled there.
Operation OperationSource::DragTo(const RunListModel& model)
{
    Operation op;
    op.kind = Operation::Kind::Drag;
    op.bDrop = !m_random.OneIn(6);
    const std::optional<int> row = m_random.OneIn(8) ? std::nullopt : PickRow(model, op.kind);
    op.bOutside = !row;
    op.row = row.value_or(kNone);
    return op;
}

// An item, or now and then the part of the list below the items, among those
// the list can show for the operation; nothing when it can show none.
std::optional<int> OperationSource::PickRow(const RunListModel& model, Operation::Kind kind)
{
    const bool bEndsEdit = kind == Operation::Kind::LeftClick;
    auto showable = [&](int row) { return TopIndexFor(model, row, m_nRowsVisible, 0, bEndsEdit).has_value(); };
    std::vector<int> items;
    for (int row = 0; row < model.Count(); ++row) {
        if (showable(row))
            items.push_back(row);
    }
    if ((items.empty() || m_random.OneIn(6)) && showable(kNone))
        return kNone;
    if (items.empty())
        return std::nullopt;
    return items[static_cast<size_t>(m_random.Below(static_cast<int>(items.size())))];
}

std::string OperationSource::RandomText()
{
    std::string text(static_cast<size_t>(1 + m_random.Below(m_random.OneIn(10) ? 60 : 12)), ' ');
    for (char& c : text)
        c = kTextCharacters[m_random.Below(sizeof kTextCharacters - 1)];
    return text;
}

// Full paths of many shapes: with and without drive, with either separator,
// titles with several dots, none or empty, and now and then one longer than a
// display name may be.
std::string OperationSource::RandomPath()
{
    static const char* const kDrives[] = {"C:", "D:", ""};
    static const char* const kExtensions[] = {".zel", ".zel", ".zel", "", ".", ".old.zel"};
    std::string path = kDrives[m_random.Pick({6, 2, 1})];
    const char separator = m_random.OneIn(5) ? '/' : '\\';
    for (int n = m_random.Below(4); n > 0; --n) {
        path += separator;
        path += RandomWordForPath(m_random, 1 + m_random.Below(8));
    }
    path += separator;
    if (m_random.OneIn(20))
        return path;   // a directory: no title at all
    const int nTitle = m_random.OneIn(30) ? 240 + m_random.Below(40) : 1 + m_random.Below(10);
    path += RandomWordForPath(m_random, nTitle);
    path += kExtensions[m_random.Below(6)];
    return path;
}

}  // namespace model

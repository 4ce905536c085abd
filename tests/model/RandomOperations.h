#pragma once
// Random user operations for the run list model and the real dialog: a small
// generator of its own (so one seed gives the same run with every compiler and
// library), the operations with their description, how one is applied to the
// model, and where the list must be scrolled for an operation at a row.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/RunListModel.h"

namespace model {

// SplitMix64: small, fast and the same everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next();
    // 0 .. n-1 (n > 0).
    int Below(int n);
    bool OneIn(int n) { return Below(n) == 0; }
    // An index into weights, each chosen in proportion to its weight.
    int Pick(const std::vector<int>& weights);

private:
    std::uint64_t m_state;
};

struct Operation {
    enum class Kind { LeftClick, RightClick, Press, Type, Browse, Drag, Strip, CloseBox };

    Kind kind = Kind::CloseBox;
    int row = kNone;                      // LeftClick, RightClick; Drag: the target
    bool bOutside = false;                // Drag to no item: beside the list, not below the items
    bool bDrop = true;                    // Drag: dropped, or cancelled
    Key key = Key::F2;                    // Press
    std::string text;                     // Type
    std::optional<std::string> chosen;    // Browse, Alt+Down in the edit: the file dialog's answer
    StripPart part = StripPart::Caption;  // Strip
};

std::string Describe(const Operation& op);

// Applies op to the model; a drag's expected replies.
std::optional<DragReplies> Apply(const Operation& op, RunListModel& model);

// The top index to scroll the list to before an operation at row, nearest to
// the current one: the row's item shows whole (below the items: no item shows
// in the part of a row at the bottom), the edited item shows during an edit,
// and a left click that ends the edit (bEndsEdit) leaves the top index where
// it was, so the list box finds the same row under the click as the press
// did. Nothing when no top index does all that.
std::optional<int> TopIndexFor(const RunListModel& model, int row, int nRowsVisible, int nCurrentTop,
                               bool bEndsEdit);

// A random run: the paths the run list file starts with, then one operation
// after another, chosen among those that make sense in the model's state. It
// goes through stretches that grow the list beyond the path table's spare
// room, shrink it to nothing, or keep it about as it is.
class OperationSource {
public:
    OperationSource(std::uint64_t seed, int nRowsVisible);

    std::vector<std::string> InitialPaths();
    Operation Next(const RunListModel& model);

private:
    enum class Mood { Grow, Shrink, Steady };

    Operation Idle(const RunListModel& model);
    Operation Editing(const RunListModel& model);
    Operation ClickAt(Operation::Kind kind, const RunListModel& model);
    Operation DragTo(const RunListModel& model);
    Operation PressKey(bool bEditing);
    static bool CanNavigate(const RunListModel& model);
    Operation Navigation();
    std::optional<int> PickRow(const RunListModel& model, Operation::Kind kind);
    std::string RandomText();
    std::string RandomPath();
    void ChangeMoodNow();

    Random m_random;
    int m_nRowsVisible;
    Mood m_mood = Mood::Steady;
    int m_nMoodLeft = 0;
    bool m_bDragNext = false;   // the last operation was the press of a drag
    int m_nHistoryKeysLeft = 0;  // undo and redo keys still to come in a run of them
    int m_nNavigationKeysLeft = 0;  // keys that move the highlight, still to come after a click
};

}  // namespace model

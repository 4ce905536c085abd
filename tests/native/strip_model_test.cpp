#include "toolstrip/StripModel.h"

#include "tests/native/strip_test_print.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>

namespace {

using testing::InSequence;
using testing::Invoke;
using testing::StrictMock;
using toolstrip::kNoButton;

class MockStripHost : public IStripHost {
public:
    MOCK_METHOD(void, InvalidateRect, (const StripRect& rc), (override));
    MOCK_METHOD(void, InvalidateAll, (), (override));
    MOCK_METHOD(void, UpdateNow, (), (override));
    MOCK_METHOD(void, SetCapture, (), (override));
    MOCK_METHOD(void, ReleaseCapture, (), (override));
    MOCK_METHOD(void, Execute, (int nCommand), (override));
};

// A 164 x 26 strip: buttons at x 76, 98, 120, 142, y 3..23; the caption lies left of them.
constexpr int kY = 13;
constexpr int kCaptionX = 10;
constexpr int CentreX(int nButton) { return 87 + 22 * nButton; }
StripRect ButtonRect(int nButton) { return {76 + 22 * nButton, 3, 98 + 22 * nButton, 23}; }

class StripModelTest : public testing::Test {
protected:
    StripModelTest() { model.Size(164, 26); }

    // Any button repaint (bWhole: and whole-strip ones) is fine: the setup of
    // a case, not what it checks.
    void AllowRepaints(bool bWhole = false)
    {
        EXPECT_CALL(host, InvalidateRect).Times(testing::AnyNumber());
        EXPECT_CALL(host, UpdateNow).Times(testing::AnyNumber());
        if (bWhole)
            EXPECT_CALL(host, InvalidateAll).Times(testing::AnyNumber());
    }
    void HoverUnchecked(int nButton)
    {
        AllowRepaints();
        model.MouseMove(CentreX(nButton), kY);
        testing::Mock::VerifyAndClearExpectations(&host);
    }
    void PressUnchecked(int x)
    {
        EXPECT_CALL(host, SetCapture);
        AllowRepaints();
        model.LButtonDown(x, kY);
        testing::Mock::VerifyAndClearExpectations(&host);
    }
    // The buttons' rectangles invalidated in this order, then painted at once.
    void ExpectRepaintNow(std::initializer_list<int> buttons)
    {
        InSequence seq;
        for (int nButton : buttons)
            EXPECT_CALL(host, InvalidateRect(ButtonRect(nButton)));
        EXPECT_CALL(host, UpdateNow());
    }
    void ExpectRelease(int nCommand)
    {
        InSequence seq;
        if (nCommand != kNoButton)
            EXPECT_CALL(host, Execute(nCommand));
        EXPECT_CALL(host, InvalidateAll());
        EXPECT_CALL(host, ReleaseCapture());
    }
    void ExpectState(int nHot, bool bPressed, bool bCapture)
    {
        EXPECT_EQ(model.GetHot(), nHot);
        EXPECT_EQ(model.IsPressed(), bPressed);
        EXPECT_EQ(model.HasCapture(), bCapture);
    }

    StrictMock<MockStripHost> host;
    StripModel model{host};
};

TEST_F(StripModelTest, HoverRepaintsExactlyTheOldAndTheNewButton)
{
    ExpectRepaintNow({0});
    model.MouseMove(CentreX(0), kY);
    model.MouseMove(CentreX(0) + 5, kY + 5);  // within the same button: nothing
    testing::Mock::VerifyAndClearExpectations(&host);

    ExpectRepaintNow({0, 1});
    model.MouseMove(CentreX(1), kY);
    ExpectState(1, false, false);
    testing::Mock::VerifyAndClearExpectations(&host);

    ExpectRepaintNow({1});  // leaving the buttons still paints at once
    model.MouseMove(kCaptionX, kY);
    ExpectState(kNoButton, false, false);
}

TEST_F(StripModelTest, PressSinksOnlyThePressedButton)
{
    HoverUnchecked(0);
    EXPECT_CALL(host, SetCapture());
    ExpectRepaintNow({1});  // the previously hot button 0 is not repainted
    model.LButtonDown(CentreX(1), kY);
    ExpectState(1, true, true);
}

TEST_F(StripModelTest, ReleaseOnThePressedButtonRunsItsCommand)
{
    PressUnchecked(CentreX(2));
    ExpectRelease(2);
    model.LButtonUp(CentreX(2), kY);
    ExpectState(2, false, false);
}

TEST_F(StripModelTest, ReleaseOnAnotherButtonRunsNothingAndLeavesItRaised)
{
    PressUnchecked(CentreX(1));
    ExpectRelease(kNoButton);
    model.LButtonUp(CentreX(2), kY);
    ExpectState(2, false, false);
}

TEST_F(StripModelTest, HeldButtonStaysSunkenWhereverThePointerGoes)
{
    PressUnchecked(CentreX(3));
    model.MouseMove(CentreX(0), kY);  // strict host: no effect at all
    model.MouseMove(-500, 900);
    ExpectState(3, true, true);
    model.MouseMove(CentreX(3), kY);
    ExpectRelease(3);
    model.LButtonUp(CentreX(3), kY);
}

TEST_F(StripModelTest, PressBesideTheButtonsTracksThePointerUntilTheRelease)
{
    PressUnchecked(kCaptionX);
    ExpectState(kNoButton, false, true);
    ExpectRepaintNow({3});  // raised, not sunken
    model.MouseMove(CentreX(3), kY);
    ExpectState(3, false, true);
    testing::Mock::VerifyAndClearExpectations(&host);
    ExpectRelease(3);
    model.LButtonUp(CentreX(3), kY);
    ExpectState(3, false, false);

    PressUnchecked(kCaptionX);  // released beside the buttons: nothing runs
    ExpectRelease(kNoButton);
    model.LButtonUp(kCaptionX + 1, kY);
    ExpectState(kNoButton, false, false);
}

TEST_F(StripModelTest, BorderMoveRecomputesTheHoverEvenWhilePressed)
{
    HoverUnchecked(2);
    ExpectRepaintNow({2});
    model.NcMouseMove(-1, kY);
    ExpectState(kNoButton, false, false);
    testing::Mock::VerifyAndClearExpectations(&host);

    PressUnchecked(CentreX(0));
    ExpectRepaintNow({0, 1});
    model.NcMouseMove(CentreX(1), kY);
    ExpectState(1, true, true);
}

TEST_F(StripModelTest, LostCaptureMidPressResetsTheStrip)
{
    PressUnchecked(CentreX(1));
    EXPECT_CALL(host, InvalidateAll());
    model.CaptureLost();
    ExpectState(kNoButton, false, false);
    testing::Mock::VerifyAndClearExpectations(&host);

    model.CaptureLost();  // again: nothing
    // A stray release afterwards neither runs the command nor releases a
    // capture that now belongs to another window.
    EXPECT_CALL(host, InvalidateAll());
    model.LButtonUp(CentreX(1), kY);
    ExpectState(1, false, false);
}

TEST_F(StripModelTest, CaptureLostReportedByTheOwnReleaseIsHarmless)
{
    PressUnchecked(CentreX(0));
    {
        InSequence seq;
        EXPECT_CALL(host, Execute(0));
        EXPECT_CALL(host, InvalidateAll());
        EXPECT_CALL(host, ReleaseCapture()).WillOnce(Invoke([this] { model.CaptureLost(); }));
    }
    model.LButtonUp(CentreX(0), kY);
    ExpectState(0, false, false);
}

TEST(StripModelBeforeLayout, NoPointIsOnAButton)
{
    StrictMock<MockStripHost> host;
    StripModel model{host};
    EXPECT_CALL(host, SetCapture());
    model.LButtonDown(0, 0);
    EXPECT_EQ(model.GetHot(), kNoButton);
    EXPECT_FALSE(model.IsPressed());
}

// The keyboard's focus mark: starts on New, stays within the four buttons,
// and Space runs the marked button's command on its release, once.
TEST_F(StripModelTest, TheFocusMarkMovesWithinTheButtonsAndSpaceRunsTheMarkedOne)
{
    AllowRepaints(true);
    model.KeyDown(StripModel::Key::End);   // without the focus: nothing
    EXPECT_EQ(model.GetMark(), 0);
    model.SetFocus(true);
    model.KeyDown(StripModel::Key::Left);
    EXPECT_EQ(model.GetMark(), 0);
    model.KeyDown(StripModel::Key::Right);
    model.KeyDown(StripModel::Key::Right);
    EXPECT_EQ(model.GetMark(), 2);
    model.KeyDown(StripModel::Key::End);
    model.KeyDown(StripModel::Key::Right);
    EXPECT_EQ(model.GetMark(), 3);
    model.KeyDown(StripModel::Key::Home);
    model.KeyDown(StripModel::Key::Right);

    model.KeyDown(StripModel::Key::Space);
    ExpectState(1, true, false);   // sunk like a press, without the capture
    model.KeyDown(StripModel::Key::Space);   // the key repeating
    model.KeyDown(StripModel::Key::Right);   // held down: the mark stays
    EXPECT_CALL(host, Execute(1));
    model.KeyUp(StripModel::Key::Space);
    ExpectState(1, false, false);
    testing::Mock::VerifyAndClearExpectations(&host);

    // A press that loses the focus before its release runs nothing.
    AllowRepaints(true);
    model.KeyDown(StripModel::Key::Space);
    model.SetFocus(false);
    model.KeyUp(StripModel::Key::Space);
    EXPECT_FALSE(model.IsPressed());
    model.SetFocus(true);
    EXPECT_EQ(model.GetMark(), 0);   // each arrival of the focus starts on New
}

}  // namespace

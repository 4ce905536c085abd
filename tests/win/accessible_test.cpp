// The dialog as a screen reader reads it, through the accessible objects that
// the strip and the list hand out (Microsoft Active Accessibility), asked in
// this process as a client in another would ask.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <string>
#include <vector>

#include "InstalledLauncher.h"
#include "RunDialogTest.h"
#include "fw/UniqueHandle.h"
#include "fw/ComPtr.h"
#include "launch/Launch.h"

using namespace wintest;

namespace {

const V kPaths = {"C:\\scenes\\day\\blend.zel", "D:\\night\\blend.zel", "C:\\scenes\\rain.zel"};

VARIANT Child(long nChild)
{
    VARIANT var;
    var.vt = VT_I4;
    var.lVal = nChild;
    return var;
}

// A text property as the client reads it ("" when absent), and its result.
struct TextAnswer {
    HRESULT hr;
    std::string text;
    bool operator==(const TextAnswer& o) const { return hr == o.hr && text == o.text; }
};

template <class Get>
TextAnswer ReadText(Get get)
{
    BSTR bstr = nullptr;
    const HRESULT hr = get(&bstr);
    const int nChars = static_cast<int>(::SysStringLen(bstr));   // 0 for none
    std::string text(static_cast<std::size_t>(nChars) * 2, '\0');
    const int nBytes = ::WideCharToMultiByte(CP_ACP, 0, bstr, nChars, text.data(), nChars * 2, nullptr, nullptr);
    text.resize(static_cast<std::size_t>(nBytes));
    ::SysFreeString(bstr);
    return {hr, text};
}

TextAnswer Name(IAccessible& acc, long nChild)
{
    return ReadText([&](BSTR* p) { return acc.get_accName(Child(nChild), p); });
}

TextAnswer Description(IAccessible& acc, long nChild)
{
    return ReadText([&](BSTR* p) { return acc.get_accDescription(Child(nChild), p); });
}

std::string DefaultAction(IAccessible& acc, long nChild)
{
    return ReadText([&](BSTR* p) { return acc.get_accDefaultAction(Child(nChild), p); }).text;
}

// A property whose answer is a number (a role, a state, a child id); -1 for
// any other answer.
long Number(HRESULT hr, const VARIANT& var)
{
    return SUCCEEDED(hr) && var.vt == VT_I4 ? var.lVal : -1;
}

long Role(IAccessible& acc, long nChild)
{
    VARIANT var{};
    return Number(acc.get_accRole(Child(nChild), &var), var);
}

long State(IAccessible& acc, long nChild)
{
    VARIANT var{};
    return Number(acc.get_accState(Child(nChild), &var), var);
}

CRect Location(IAccessible& acc, long nChild)
{
    LONG x = 0, y = 0, cx = 0, cy = 0;
    acc.accLocation(&x, &y, &cx, &cy, Child(nChild));
    return {x, y, x + cx, y + cy};
}

CRect ScreenRect(HWND hWnd, CRect rc)
{
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The client area's object that getObject (a function of oleacc's) gives.
template <class GetObject>
CComPtr<IAccessible> AccessibleOf(HWND hWnd, GetObject getObject)
{
    CComPtr<IAccessible> acc;
    EXPECT_EQ(getObject(hWnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&acc)), S_OK);
    return acc;
}

// The object a client gets for a window's client area.
CComPtr<IAccessible> ObjectOf(HWND hWnd)
{
    return AccessibleOf(hWnd, ::AccessibleObjectFromWindow);
}

// The system's own object for the window, which answers for it where ours
// adds nothing.
CComPtr<IAccessible> StandardObjectOf(HWND hWnd)
{
    return AccessibleOf(hWnd, ::CreateStdAccessibleObject);
}

// The focus events screen readers hear, recorded while the object lives.
class FocusEvents {
public:
    struct Event {
        HWND hWnd;
        LONG idObject;
        LONG idChild;
    };
    FocusEvents()
        : m_hHook(::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, Record, ::GetCurrentProcessId(), 0,
                                    WINEVENT_OUTOFCONTEXT))
    {
        s_events.clear();
    }
    ~FocusEvents() { ::UnhookWinEvent(m_hHook); }
    FocusEvents(const FocusEvents&) = delete;
    FocusEvents& operator=(const FocusEvents&) = delete;
    const std::vector<Event>& Events() const { return s_events; }

private:
    static void CALLBACK Record(HWINEVENTHOOK, DWORD, HWND hWnd, LONG idObject, LONG idChild, DWORD, DWORD)
    {
        s_events.push_back({hWnd, idObject, idChild});
    }
    static inline std::vector<Event> s_events;
    HWINEVENTHOOK m_hHook;
};

using AccessibleTest = RunDialogTest;

TEST_F(AccessibleTest, TheStripsButtonsArePushButtonsWithTheirPlacesFocusAndPress)
{
    OpenWith(kPaths);
    ClickItem(1);
    CComPtr<IAccessible> strip = ObjectOf(Strip());
    ASSERT_TRUE(strip);

    LONG nChildren = 0;
    EXPECT_EQ(strip->get_accChildCount(&nChildren), S_OK);
    EXPECT_EQ(nChildren, 4);
    const V names = {"New", "Delete", "Move Up", "Move Down"};
    for (long i = 1; i <= 4; ++i) {
        EXPECT_EQ(Name(*strip, i).text, names[static_cast<std::size_t>(i - 1)]);
        EXPECT_EQ(Role(*strip, i), ROLE_SYSTEM_PUSHBUTTON) << i;
        EXPECT_EQ(Location(*strip, i), ScreenRect(Strip(), Strip().GetButtonRect(static_cast<int>(i - 1)))) << i;
        EXPECT_EQ(DefaultAction(*strip, i), "Press") << i;
        IDispatch* pChild = nullptr;
        EXPECT_EQ(strip->get_accChild(Child(i), &pChild), S_FALSE) << "a simple element";
    }
    VARIANT hit{};
    const POINT ptMoveUp = Center(ScreenRect(Strip(), Strip().GetButtonRect(2)));
    EXPECT_EQ(Number(strip->accHitTest(ptMoveUp.x, ptMoveUp.y, &hit), hit), 3);
    // The window itself is the system's object's.
    CComPtr<IAccessible> standard = StandardObjectOf(Strip());
    EXPECT_EQ(Name(*strip, CHILDID_SELF), Name(*standard, CHILDID_SELF));
    EXPECT_EQ(Location(*strip, CHILDID_SELF), Location(*standard, CHILDID_SELF));

    // The focus follows the keyboard's mark, and a screen reader hears it move.
    FocusEvents events;
    for (const UINT vk : {VK_TAB, VK_RIGHT})
        Press(::GetFocus(), vk);
    ASSERT_EQ(::GetFocus(), Strip().m_hWnd);
    VARIANT focus{};
    EXPECT_EQ(Number(strip->get_accFocus(&focus), focus), 2);
    EXPECT_NE(State(*strip, 2) & STATE_SYSTEM_FOCUSED, 0);
    EXPECT_EQ(State(*strip, 1) & STATE_SYSTEM_FOCUSED, 0);
    ASSERT_FALSE(events.Events().empty());
    EXPECT_EQ(events.Events().back().hWnd, Strip().m_hWnd);
    EXPECT_EQ(events.Events().back().idObject, OBJID_CLIENT);
    EXPECT_EQ(events.Events().back().idChild, 2);

    // Delete's default action deletes the selected entry, as its click does.
    EXPECT_EQ(strip->accDoDefaultAction(Child(2)), S_OK);
    Pump(*m_dlg);
    EXPECT_EQ(ItemTexts(List()), V({"blend", "rain"}));
    EXPECT_EQ(PathHead(List()), V({kPaths[0], kPaths[2]}));
}

// A modal window of the launcher (a message box, the Open dialog, the help)
// disables the dialog while it is up: the buttons then say they are
// unavailable, and a press does nothing.
TEST_F(AccessibleTest, WhileAModalWindowDisablesTheDialogTheButtonsAreUnavailable)
{
    OpenWith(kPaths);
    ClickItem(1);
    CComPtr<IAccessible> strip = ObjectOf(Strip());
    ASSERT_TRUE(strip);
    ::EnableWindow(*m_dlg, FALSE);
    for (long i = 1; i <= 4; ++i)
        EXPECT_NE(State(*strip, i) & STATE_SYSTEM_UNAVAILABLE, 0) << i;
    strip->accDoDefaultAction(Child(2));
    Pump(*m_dlg);
    EXPECT_EQ(ItemTexts(List()), V({"blend", "blend", "rain"}));
    ::EnableWindow(*m_dlg, TRUE);
    EXPECT_EQ(State(*strip, 2) & STATE_SYSTEM_UNAVAILABLE, 0);
}

TEST_F(AccessibleTest, TheListsEntriesCarryTheirFullPathsAsDescriptions)
{
    OpenWith(kPaths);
    CComPtr<IAccessible> list = ObjectOf(List());
    ASSERT_TRUE(list);
    CComPtr<IAccessible> standard = StandardObjectOf(List());
    // Two entries of the same name tell their folders apart.
    EXPECT_EQ(Description(*list, 2).text, kPaths[1]);
    EXPECT_EQ(Description(*list, 1).text, kPaths[0]);
    // The rest is the system's: the entry's name where its object knows the
    // items (Windows; Wine's knows none), the list itself, what lies past the end.
    const TextAnswer name = Name(*list, 2);
    EXPECT_EQ(name, Name(*standard, 2));
    if (name.hr == S_OK) {
        EXPECT_EQ(name.text, "blend");
    }
    EXPECT_EQ(Description(*list, CHILDID_SELF), Description(*standard, CHILDID_SELF));
    EXPECT_EQ(Description(*list, 4), Description(*standard, 4));
    EXPECT_EQ(Role(*list, CHILDID_SELF), Role(*standard, CHILDID_SELF));
}

// The list is "Scenes"; a screen reader starts an entry by its default action,
// one scrolled out of view too, and the pointer stays where it is.
TEST_F(AccessibleTest, AnEntrysDefaultActionLaunchesItWithoutMovingThePointer)
{
    const V paths = NumberedPaths(40, "C:\\scenes\\scene ");
    OpenWith(paths);
    RecordStarts();
    CComPtr<IAccessible> list = ObjectOf(List());
    ASSERT_TRUE(list);
    EXPECT_EQ(Name(*list, CHILDID_SELF).text, "Scenes");
    EXPECT_EQ(DefaultAction(*list, 40), "Launch");
    ASSERT_GT(List().GetItemRect(39).top, List().GetClientRect().bottom) << "the last entry lies out of view";
    POINT before{};
    ::GetCursorPos(&before);

    EXPECT_EQ(list->accDoDefaultAction(Child(40)), S_OK);
    EXPECT_TRUE(m_started.empty()) << "started after the client's call has returned";
    Pump(*m_dlg);
    EXPECT_EQ(m_started, V{Narrow(launch::PlayerCommandLine(Widen(paths[39])).value_or(L"?"))});
    POINT after{};
    ::GetCursorPos(&after);
    EXPECT_EQ(after.x, before.x);
    EXPECT_EQ(after.y, before.y);
}

// A client may hold an object past the window: it answers that it is
// disconnected and can still be let go.
TEST_F(AccessibleTest, ObjectsHeldPastTheDialogAnswerDisconnected)
{
    OpenWith(kPaths);
    CComPtr<IAccessible> strip = ObjectOf(Strip());
    CComPtr<IAccessible> list = ObjectOf(List());
    ASSERT_TRUE(strip && list);
    CloseWithCloseBox();
    m_dlg.reset();
    LONG nChildren = 0;
    EXPECT_EQ(strip->get_accChildCount(&nChildren), RPC_E_DISCONNECTED);
    EXPECT_EQ(Name(*strip, 1).hr, RPC_E_DISCONNECTED);
    EXPECT_EQ(strip->accDoDefaultAction(Child(1)), RPC_E_DISCONNECTED);
    EXPECT_EQ(Description(*list, 1).hr, RPC_E_DISCONNECTED);
    EXPECT_EQ(Role(*list, CHILDID_SELF), -1);
}

// Under Wine a library beside a program is looked for there first only when
// the run asks for it (WINEDLLOVERRIDES=oleacc=n,b, which this test's CTest
// entry adds); without it the test would prove nothing.
bool LibrariesSearchedAsWindowsDoes()
{
    const bool bWine = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    char overrides[1024] = "";
    ::GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    return !bWine || std::string(overrides).find("oleacc=n,b") != std::string::npos;
}

// A library left in the launcher's folder under the accessibility library's
// name (which Windows looks for in a program's folder first: it is not one of
// the known DLLs) never runs when a screen reader asks the launcher, and the
// launcher still answers with its own objects.
TEST(PlantedLibraryTest, ALibraryBesideTheLauncherNeverRuns)
{
    if (!LibrariesSearchedAsWindowsDoes())
        GTEST_SKIP() << "run under Wine without WINEDLLOVERRIDES=oleacc=n,b";
    const TempDir dir;
    const std::string exe = InstallLauncher(dir.File("bin"));
    ASSERT_FALSE(exe.empty());
    ASSERT_TRUE(::CopyFileA(BesideTests("planted\\oleacc.dll").c_str(), dir.File("bin\\oleacc.dll").c_str(), FALSE));
    const RunningLauncher launcher(exe);
    ASSERT_TRUE(launcher.Ready());
    ASSERT_HRESULT_SUCCEEDED(::CoInitialize(nullptr));
    {
        CComPtr<IAccessible> strip = ObjectOf(::GetDlgItem(launcher.Dialog(), kLauncherStripId));
        ASSERT_TRUE(strip);
        EXPECT_EQ(Role(*strip, 1), ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(Name(*strip, 1).text, "New");
    }
    ::CoUninitialize();
    const UniqueHandle ran(::OpenEventA(SYNCHRONIZE, FALSE, "NimbrelPlantedLibraryLoaded"));
    EXPECT_FALSE(ran) << "the library beside the launcher was loaded";
    launcher.PostClose();
    EXPECT_TRUE(launcher.Process().Ended(kPatienceMs));
}

}  // namespace

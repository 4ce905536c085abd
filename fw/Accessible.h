#pragma once
// What screen readers and other accessibility clients (Microsoft Active
// Accessibility) are told about a window: its client area as an IAccessible
// object, answered through CWnd::CreateAccessibleObject.
//
// The system's accessibility library (oleacc.dll) and the COM apartment that
// objects are handed out through are taken when a client first asks, never
// before: under Wine here, loading COM took 35 to 60 ms and entering an
// apartment 45 to 90 ms more, against a start of about 230 ms, which nobody
// without a screen reader should pay. Their functions are looked up then, so
// the program imports neither.
#include <optional>

#include "fw/ComPtr.h"
#include "fw/Types.h"

#include <oleacc.h>

// While it lives, this thread's windows hand out objects of their own. The
// first request loads the library and enters a single-threaded COM apartment,
// which the scope leaves when it ends; every window that answered must be
// destroyed by then. Without a scope every request gets the system's
// standard object.
class CAccessibilityScope {
public:
    CAccessibilityScope();
    ~CAccessibilityScope();
    CAccessibilityScope(const CAccessibilityScope&) = delete;
    CAccessibilityScope& operator=(const CAccessibilityScope&) = delete;

    // Whether objects can be handed out on this thread now; the first call in
    // a scope loads the library and enters the apartment.
    static bool Ready();

private:
    enum class State { Untried, Ready, Unavailable };
    bool EnterApartment();

    CAccessibilityScope* m_pOuter;
    State m_state = State::Untried;
    bool m_bLeaveApartment = false;
};

// An accessible object for one window's client area. Every question goes to
// the system's standard object for the window, except what the hooks answer:
// a derived class answers for its simple elements (child ids 1..n, each a
// part of the window with no object of its own) or adds to the standard
// object's answers. Once disconnected, every call fails with
// RPC_E_DISCONNECTED and reaches nothing of the window's; a client holding the
// object keeps a valid object until it lets go.
class CAccessibleBase : public IAccessible {
public:
    CAccessibleBase(const CAccessibleBase&) = delete;
    CAccessibleBase& operator=(const CAccessibleBase&) = delete;

    // Whether the object answers: made with the standard object, which needs
    // an accessibility scope, and not yet disconnected.
    bool IsConnected() const { return static_cast<bool>(m_pStandard); }
    // The answer to WM_GETOBJECT that hands the object out (LresultFromObject):
    // a reference for the client, or a negative error.
    LRESULT Lresult(WPARAM wParam);
    // Cuts the object off from the window, and every client's connection to it.
    void Disconnect();

    // IUnknown.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) final;
    ULONG STDMETHODCALLTYPE AddRef() final;
    ULONG STDMETHODCALLTYPE Release() final;

    // IDispatch: not offered; clients use the IAccessible methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) final;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) final;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                            DISPID* rgDispId) final;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                     DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                     UINT* puArgErr) final;

    // IAccessible.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** ppdispParent) final;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* pcountChildren) final;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT varChildID, IDispatch** ppdispChild) final;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT varID, BSTR* pszName) final;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT varID, BSTR* pszValue) final;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT varID, BSTR* pszDescription) final;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT varID, VARIANT* pvarRole) final;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT varID, VARIANT* pvarState) final;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT varID, BSTR* pszHelp) final;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* pszHelpFile, VARIANT varID, LONG* pidTopic) final;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT varID, BSTR* pszKeyboardShortcut) final;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* pvarID) final;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* pvarID) final;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT varID, BSTR* pszDefaultAction) final;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flagsSelect, VARIANT varID) final;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* pxLeft, LONG* pyTop, LONG* pcxWidth, LONG* pcyHeight,
                                          VARIANT varID) final;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG navDir, VARIANT varStart, VARIANT* pvarEnd) final;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG xLeft, LONG yTop, VARIANT* pvarID) final;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT varID) final;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT varID, BSTR szName) final;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT varID, BSTR szValue) final;

protected:
    // Made over the window's standard object when the thread's accessibility
    // scope is ready; otherwise never connected. One reference, the maker's.
    explicit CAccessibleBase(HWND hWnd);
    virtual ~CAccessibleBase();

    // The hooks. Each answers for a child id (CHILDID_SELF: the window), or
    // leaves the question to the standard object with no value (the default).
    enum class Text { Name, Value, Description, Help, KeyboardShortcut, DefaultAction };
    // The number of simple elements.
    virtual std::optional<long> ChildCount();
    // Text in UTF-16, read before the call returns; "" for none. A simple
    // element's text that the hook leaves null is absent.
    virtual const wchar_t* GetText(long nChild, Text text);
    virtual std::optional<long> Role(long nChild);
    virtual std::optional<long> State(long nChild);
    // In screen coordinates.
    virtual std::optional<RECT> Location(long nChild);
    // The child that has the keyboard focus.
    virtual std::optional<long> Focus();
    // The child at a screen point.
    virtual std::optional<long> HitTest(POINT ptScreen);
    // The child in a direction (NAVDIR_*) from nStart; 0 when there is none.
    virtual std::optional<long> Navigate(long nDirection, long nStart);
    // True when the hook carried the child's default action out (or set it going).
    virtual bool DoDefaultAction(long nChild);

private:
    bool IsOwnChild(long nChild);
    HRESULT AnswerText(Text text, VARIANT varID, BSTR* pResult);
    HRESULT AskStandardText(Text text, VARIANT varID, BSTR* pResult);

    LONG m_nRefs = 1;
    CComPtr<IAccessible> m_pStandard;
};

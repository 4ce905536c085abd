#include "fw/Accessible.h"

#include <cwchar>
#include <utility>

#include "fw/SystemLibrary.h"

namespace {

// The functions the objects need, from libraries loaded on the first request
// and kept for the process's life, as imports would be.
struct Functions {
    decltype(&::CoInitializeEx) coInitializeEx = nullptr;
    decltype(&::CoUninitialize) coUninitialize = nullptr;
    decltype(&::CoDisconnectObject) coDisconnectObject = nullptr;
    decltype(&::SysAllocStringLen) sysAllocStringLen = nullptr;
    decltype(&::LresultFromObject) lresultFromObject = nullptr;
    decltype(&::CreateStdAccessibleObject) createStdAccessibleObject = nullptr;

    bool Complete() const
    {
        return coInitializeEx != nullptr && coUninitialize != nullptr && coDisconnectObject != nullptr &&
               sysAllocStringLen != nullptr && lresultFromObject != nullptr && createStdAccessibleObject != nullptr;
    }
};

template <class Function>
void Find(Function& function, HMODULE hModule, const char* pszName)
{
    function = fw::SystemFunction<Function>(hModule, pszName);
}

const Functions& LoadedFunctions()
{
    static const Functions functions = [] {
        Functions f;
        const HMODULE hOle32 = fw::LoadSystemLibrary(L"ole32.dll");
        const HMODULE hOleAut32 = fw::LoadSystemLibrary(L"oleaut32.dll");
        const HMODULE hOleAcc = fw::LoadSystemLibrary(L"oleacc.dll");
        Find(f.coInitializeEx, hOle32, "CoInitializeEx");
        Find(f.coUninitialize, hOle32, "CoUninitialize");
        Find(f.coDisconnectObject, hOle32, "CoDisconnectObject");
        Find(f.sysAllocStringLen, hOleAut32, "SysAllocStringLen");
        Find(f.lresultFromObject, hOleAcc, "LresultFromObject");
        Find(f.createStdAccessibleObject, hOleAcc, "CreateStdAccessibleObject");
        return f;
    }();
    return functions;
}

thread_local CAccessibilityScope* t_pScope = nullptr;

// The child id a variant names; none for a variant that is not a number.
std::optional<long> ChildId(const VARIANT& var)
{
    return var.vt == VT_I4 ? std::optional<long>(var.lVal) : std::nullopt;
}

// A string for the client; null when it cannot be made.
BSTR AllocString(const wchar_t* pszText)
{
    return LoadedFunctions().sysAllocStringLen(pszText, static_cast<UINT>(std::wcslen(pszText)));
}

// A number answered by a hook.
HRESULT SetLong(VARIANT* pVar, long nValue)
{
    if (pVar == nullptr)
        return E_POINTER;
    pVar->vt = VT_I4;
    pVar->lVal = nValue;
    return S_OK;
}

}  // namespace

CAccessibilityScope::CAccessibilityScope() : m_pOuter(std::exchange(t_pScope, this)) {}

CAccessibilityScope::~CAccessibilityScope()
{
    if (m_bLeaveApartment)
        LoadedFunctions().coUninitialize();
    t_pScope = m_pOuter;
}

bool CAccessibilityScope::Ready()
{
    CAccessibilityScope* const pScope = t_pScope;
    if (pScope == nullptr)
        return false;
    if (pScope->m_state == State::Untried)
        pScope->m_state = pScope->EnterApartment() ? State::Ready : State::Unavailable;
    return pScope->m_state == State::Ready;
}

// The objects are handed out through COM's marshalling, which needs the
// thread in an apartment; one that is in the multi-threaded apartment already
// serves as well.
bool CAccessibilityScope::EnterApartment()
{
    const Functions& functions = LoadedFunctions();
    if (!functions.Complete())
        return false;
    const HRESULT hr = functions.coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    m_bLeaveApartment = SUCCEEDED(hr);
    return SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
}

CAccessibleBase::CAccessibleBase(HWND hWnd)
{
    if (CAccessibilityScope::Ready())
        LoadedFunctions().createStdAccessibleObject(hWnd, OBJID_CLIENT, __uuidof(IAccessible),
                                                    reinterpret_cast<void**>(&m_pStandard));
}

CAccessibleBase::~CAccessibleBase() = default;

// The hooks' defaults: every question is the standard object's.
std::optional<long> CAccessibleBase::ChildCount()
{
    return std::nullopt;
}

const wchar_t* CAccessibleBase::GetText(long, Text)
{
    return nullptr;
}

std::optional<long> CAccessibleBase::Role(long)
{
    return std::nullopt;
}

std::optional<long> CAccessibleBase::State(long)
{
    return std::nullopt;
}

std::optional<RECT> CAccessibleBase::Location(long)
{
    return std::nullopt;
}

std::optional<long> CAccessibleBase::Focus()
{
    return std::nullopt;
}

std::optional<long> CAccessibleBase::HitTest(POINT)
{
    return std::nullopt;
}

std::optional<long> CAccessibleBase::Navigate(long, long)
{
    return std::nullopt;
}

bool CAccessibleBase::DoDefaultAction(long)
{
    return false;
}

LRESULT CAccessibleBase::Lresult(WPARAM wParam)
{
    if (!IsConnected())
        return E_FAIL;
    return LoadedFunctions().lresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(this));
}

// The clients' stubs may hold the last references but one: the owner holds
// its own until this returns.
void CAccessibleBase::Disconnect()
{
    if (!IsConnected())
        return;
    m_pStandard.Release();
    LoadedFunctions().coDisconnectObject(static_cast<IAccessible*>(this), 0);
}

HRESULT CAccessibleBase::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
        *ppv = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG CAccessibleBase::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_nRefs));
}

ULONG CAccessibleBase::Release()
{
    const LONG nRefs = ::InterlockedDecrement(&m_nRefs);
    if (nRefs == 0)
        delete this;
    return static_cast<ULONG>(nRefs);
}

HRESULT CAccessibleBase::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo != nullptr)
        *pctinfo = 0;
    return E_NOTIMPL;
}

HRESULT CAccessibleBase::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo != nullptr)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT CAccessibleBase::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT CAccessibleBase::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

bool CAccessibleBase::IsOwnChild(long nChild)
{
    const std::optional<long> nCount = ChildCount();
    return nCount && nChild >= 1 && nChild <= *nCount;
}

HRESULT CAccessibleBase::AnswerText(Text text, VARIANT varID, BSTR* pResult)
{
    if (pResult == nullptr)
        return E_POINTER;
    *pResult = nullptr;
    if (!IsConnected())
        return RPC_E_DISCONNECTED;
    const std::optional<long> nChild = ChildId(varID);
    const wchar_t* pszText = nChild ? GetText(*nChild, text) : nullptr;
    if (pszText == nullptr && nChild && IsOwnChild(*nChild))
        pszText = L"";
    if (pszText == nullptr)
        return AskStandardText(text, varID, pResult);
    if (*pszText == L'\0')
        return S_FALSE;
    *pResult = AllocString(pszText);
    return *pResult != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CAccessibleBase::AskStandardText(Text text, VARIANT varID, BSTR* pResult)
{
    IAccessible& standard = *m_pStandard;
    switch (text) {
    case Text::Name:
        return standard.get_accName(varID, pResult);
    case Text::Value:
        return standard.get_accValue(varID, pResult);
    case Text::Description:
        return standard.get_accDescription(varID, pResult);
    case Text::Help:
        return standard.get_accHelp(varID, pResult);
    case Text::KeyboardShortcut:
        return standard.get_accKeyboardShortcut(varID, pResult);
    case Text::DefaultAction:
        return standard.get_accDefaultAction(varID, pResult);
    }
    return E_INVALIDARG;
}

HRESULT CAccessibleBase::get_accParent(IDispatch** ppdispParent)
{
    if (!IsConnected())
        return RPC_E_DISCONNECTED;
    return m_pStandard->get_accParent(ppdispParent);
}

HRESULT CAccessibleBase::get_accChildCount(LONG* pcountChildren)
{
    if (!IsConnected())
        return RPC_E_DISCONNECTED;
    if (const std::optional<long> nCount = ChildCount()) {
        if (pcountChildren == nullptr)
            return E_POINTER;
        *pcountChildren = *nCount;
        return S_OK;
    }
    return m_pStandard->get_accChildCount(pcountChildren);
}

// A simple element has no object of its own.
HRESULT CAccessibleBase::get_accChild(VARIANT varChildID, IDispatch** ppdispChild)
{
    if (!IsConnected())
        return RPC_E_DISCONNECTED;
    const std::optional<long> nChild = ChildId(varChildID);
    if (nChild && IsOwnChild(*nChild) && ppdispChild != nullptr) {
        *ppdispChild = nullptr;
        return S_FALSE;
    }
    return m_pStandard->get_accChild(varChildID, ppdispChild);
}

HRESULT CAccessibleBase::get_accName(VARIANT varID, BSTR* pszName)
{
    return AnswerText(Text::Name, varID, pszName);
}

HRESULT CAccessibleBase::get_accValue(VARIANT varID, BSTR* pszValue)
{
    return AnswerText(Text::Value, varID, pszValue);
}

HRESULT CAccessibleBase::get_accDescription(VARIANT varID, BSTR* pszDescription)
{
    return AnswerText(Text::Description, varID, pszDescription);
}

HRESULT CAccessibleBase::get_accHelp(VARIANT varID, BSTR* pszHelp)
{
    return AnswerText(Text::Help, varID, pszHelp);
}

HRESULT CAccessibleBase::get_accKeyboardShortcut(VARIANT varID, BSTR* pszKeyboardShortcut)
{
    return AnswerText(Text::KeyboardShortcut, varID, pszKeyboardShortcut);
}

HRESULT CAccessibleBase::get_accDefaultAction(VARIANT varID, BSTR* pszDefaultAction)
{
    return AnswerText(Text::DefaultAction, varID, pszDefaultAction);
}

HRESULT CAccessibleBase::get_accRole(VARIANT varID, VARIANT* pvarRole)
{
    if (!IsConnected())
        return RPC_E_DISCONNECTED;
    const std::optional<long> nChild = ChildId(varID);
    if (const std::optional<long> nRole = nChild ? Role(*nChild) : std::nullopt)
        return SetLong(pvarRole, *nRole);
    return m_pStandard->get_accRole(varID, pvarRole);
}

HRESULT CAccessibleBase::get_accState(VARIANT varID, VARIANT* pvarState)
{
    if (!IsConnected())
        return RPC_E_DISCONNECTED;
    const std::optional<long> nChild = ChildId(varID);
    if (const std::optional<long> nState = nChild ? State(*nChild) : std::nullopt)
        return SetLong(pvarState, *nState);
    return m_pStandard->get_accState(varID, pvarState);
}

HRESULT CAccessibleBase::get_accFocus(VARIANT* pvarID)
{
    if (!IsConnected())
        return RPC_E_DISCONNECTED;
    if (const std::optional<long> nChild = Focus())
        return SetLong(pvarID, *nChild);
    return m_pStandard->get_accFocus(pvarID);
}

HRESULT CAccessibleBase::accHitTest(LONG xLeft, LONG yTop, VARIANT* pvarID)
{
    if (!IsConnected())
        return RPC_E_DISCONNECTED;
    if (const std::optional<long> nChild = HitTest(POINT{xLeft, yTop}))
        return SetLong(pvarID, *nChild);
    return m_pStandard->accHitTest(xLeft, yTop, pvarID);
}

HRESULT CAccessibleBase::accNavigate(LONG navDir, VARIANT varStart, VARIANT* pvarEnd)
{
    if (!IsConnected())
        return RPC_E_DISCONNECTED;
    const std::optional<long> nStart = ChildId(varStart);
    const std::optional<long> nEnd = nStart ? Navigate(navDir, *nStart) : std::nullopt;
    if (!nEnd)
        return m_pStandard->accNavigate(navDir, varStart, pvarEnd);
    if (*nEnd != 0)
        return SetLong(pvarEnd, *nEnd);
    if (pvarEnd == nullptr)
        return E_POINTER;
    pvarEnd->vt = VT_EMPTY;
    return S_FALSE;
}
HRESULT CAccessibleBase::get_accHelpTopic(BSTR* pszHelpFile, VARIANT varID, LONG* pidTopic)
{
    if (!IsConnected())
        return RPC_E_DISCONNECTED;
    return m_pStandard->get_accHelpTopic(pszHelpFile, varID, pidTopic);
}

HRESULT CAccessibleBase::get_accSelection(VARIANT* pvarID)
{
    if (!IsConnected())
        return RPC_E_DISCONNECTED;
    return m_pStandard->get_accSelection(pvarID);
}

HRESULT CAccessibleBase::accSelect(LONG flagsSelect, VARIANT varID)
{
    if (!IsConnected())
        return RPC_E_DISCONNECTED;
    return m_pStandard->accSelect(flagsSelect, varID);
}

HRESULT CAccessibleBase::accLocation(LONG* pxLeft, LONG* pyTop, LONG* pcxWidth, LONG* pcyHeight, VARIANT varID)
{
    if (!IsConnected())
        return RPC_E_DISCONNECTED;
    const std::optional<long> nChild = ChildId(varID);
    const std::optional<RECT> rc = nChild ? Location(*nChild) : std::nullopt;
    if (!rc)
        return m_pStandard->accLocation(pxLeft, pyTop, pcxWidth, pcyHeight, varID);
    if (pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr)
        return E_POINTER;
    *pxLeft = rc->left;
    *pyTop = rc->top;
    *pcxWidth = rc->right - rc->left;
    *pcyHeight = rc->bottom - rc->top;
    return S_OK;
}

HRESULT CAccessibleBase::accDoDefaultAction(VARIANT varID)
{
    if (!IsConnected())
        return RPC_E_DISCONNECTED;
    const std::optional<long> nChild = ChildId(varID);
    if (nChild && DoDefaultAction(*nChild))
        return S_OK;
    return m_pStandard->accDoDefaultAction(varID);
}

HRESULT CAccessibleBase::put_accName(VARIANT varID, BSTR szName)
{
    if (!IsConnected())
        return RPC_E_DISCONNECTED;
    return m_pStandard->put_accName(varID, szName);
}

HRESULT CAccessibleBase::put_accValue(VARIANT varID, BSTR szValue)
{
    if (!IsConnected())
        return RPC_E_DISCONNECTED;
    return m_pStandard->put_accValue(varID, szValue);
}

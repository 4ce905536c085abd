#include "fw/SingleInstance.h"

#include <cstdint>
#include <cwchar>
#include <iterator>

namespace {

// Kernel object names are compared with case, hold no backslash after their
// namespace and are at most MAX_PATH characters long: a longer key is hashed.
constexpr std::size_t kMaxKeyChars = 160;
// A first start shows its window within a moment of taking the key.
constexpr DWORD kFirstWindowPatienceMs = 5000;
constexpr DWORD kPollMs = 50;

std::wstring UpperCase(const std::wstring& text)
{
    const int size = static_cast<int>(text.size());
    std::wstring upper(text.size(), L'\0');
    if (::LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, text.data(), size, upper.data(), size) != size)
        return text;
    return upper;
}

// FNV-1a over the code units: 64 bits leave two keys no real chance to meet.
std::wstring HashName(const std::wstring& text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const wchar_t c : text) {
        hash ^= static_cast<std::uint16_t>(c);
        hash *= 1099511628211ull;
    }
    std::wstring name = L"#";
    for (int shift = 60; shift >= 0; shift -= 4)
        name += L"0123456789abcdef"[(hash >> shift) & 0xF];
    return name;
}

// The key as part of an object name: the same for every spelling of it that
// differs only in case.
std::wstring KeyInName(const std::wstring& key)
{
    std::wstring folded = UpperCase(key);
    for (wchar_t& c : folded) {
        if (c == L'\\')
            c = L'/';
    }
    return folded.size() <= kMaxKeyChars ? folded : HashName(folded);
}

BOOL CALLBACK TakeMainDialog(HWND hWnd, LPARAM lParam)
{
    wchar_t cls[16] = {};
    if (::GetWindow(hWnd, GW_OWNER) != nullptr || ::GetClassNameW(hWnd, cls, std::size(cls)) == 0 ||
        std::wcscmp(cls, L"#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

// The thread's dialog that no other window owns: the message boxes and
// dialogs it shows over it are owned by it.
HWND MainDialogOf(DWORD threadId)
{
    HWND hMain = nullptr;
    if (threadId != 0)
        ::EnumThreadWindows(threadId, TakeMainDialog, reinterpret_cast<LPARAM>(&hMain));
    return hMain;
}

}  // namespace

CSingleInstance::CSingleInstance(const wchar_t* pszProgram, const std::wstring& key)
{
    if (key.empty())
        return;
    const std::wstring prefix = std::wstring(L"Local\\") + pszProgram + L".";
    const std::wstring keyInName = KeyInName(key);
    m_strMappingName = prefix + L"window." + keyInName;
    m_mutex.reset(::CreateMutexW(nullptr, FALSE, (prefix + L"running." + keyInName).c_str()));
    if (!m_mutex) {
        // Only a start of another account, running, can deny it.
        m_bFirst = ::GetLastError() != ERROR_ACCESS_DENIED;
        return;
    }
    // An abandoned mutex is taken too: the start that held it has ended.
    m_bFirst = ::WaitForSingleObject(m_mutex.get(), 0) != WAIT_TIMEOUT;
    if (m_bFirst)
        PublishThisThread();
}

CSingleInstance::~CSingleInstance()
{
    if (m_bFirst && m_mutex)
        ::ReleaseMutex(m_mutex.get());
}

// The first start leaves its thread's id where later starts look: its main
// window is found among the thread's windows once it is made.
void CSingleInstance::PublishThisThread()
{
    m_mapping.reset(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(DWORD),
                                         m_strMappingName.c_str()));
    void* const view = m_mapping ? ::MapViewOfFile(m_mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(DWORD)) : nullptr;
    if (view == nullptr)
        return;
    ::InterlockedExchange(static_cast<volatile LONG*>(view), static_cast<LONG>(::GetCurrentThreadId()));
    ::UnmapViewOfFile(view);
}

DWORD CSingleInstance::FirstThread() const
{
    const UniqueHandle mapping(::OpenFileMappingW(FILE_MAP_READ, FALSE, m_strMappingName.c_str()));
    const void* const view = mapping ? ::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof(DWORD)) : nullptr;
    if (view == nullptr)
        return 0;
    const DWORD threadId = *static_cast<const volatile DWORD*>(view);
    ::UnmapViewOfFile(view);
    return threadId;
}

// Neither call waits for the first start: a hung one cannot hang this one.
// This start may bring another window to the front, as the one the user has
// just started.
void CSingleInstance::ActivateFirst() const
{
    HWND hMain = MainDialogOf(FirstThread());
    for (DWORD waited = 0; hMain == nullptr && waited < kFirstWindowPatienceMs; waited += kPollMs) {
        ::Sleep(kPollMs);
        hMain = MainDialogOf(FirstThread());
    }
    if (hMain == nullptr)
        return;
    if (::IsIconic(hMain))
        ::ShowWindowAsync(hMain, SW_RESTORE);
    ::SetForegroundWindow(::GetLastActivePopup(hMain));
}

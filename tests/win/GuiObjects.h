#pragma once
// How many GDI and USER objects this process holds, for leak tests.
//
// Windows answers GetGuiResources. Wine answers 0 for both, so there the GDI
// objects are counted in the process's GDI handle table, which Wine keeps per
// process and publishes as Windows does (PEB GdiSharedHandleTable, 65536
// entries of 24 bytes; a used entry has a type; for a 32-bit process in the
// 64-bit process block), and the USER objects that
// the launcher makes, its windows, are counted by enumeration.
#include <windows.h>
#include <winternl.h>

#include <cstddef>
#include <cstdint>

namespace wintest {

struct GuiObjects {
    DWORD gdi = 0;
    DWORD user = 0;
    bool fromGetGuiResources = false;   // false: counted as Wine needs
};

namespace detail {

struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "Wine's GDI handle table entry");

constexpr std::size_t kGdiHandleCount = 0x10000;
constexpr std::size_t kPebGdiTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;

// The process environment block, as ntdll reports it.
inline const std::uint8_t* ProcessEnvironmentBlock()
{
    using Query = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const FARPROC proc = GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess");
    if (proc == nullptr)
        return nullptr;
    // Through the generic function type, which any function pointer converts to.
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void (*)()>(proc));
    PROCESS_BASIC_INFORMATION info{};
    if (query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0)
        return nullptr;
    return reinterpret_cast<const std::uint8_t*>(info.PebBaseAddress);
}

// A 32-bit process under WoW64 has a 64-bit thread and process block too, and
// Wine publishes the table in the 64-bit process block only. The 32-bit
// thread block's GdiBatchCount field then holds the 64-bit thread block's
// address; everything they point to lies in the low 4 GB.
inline const GdiHandleEntry* Wow64GdiTable()
{
#ifdef _WIN64
    return nullptr;
#else
    constexpr std::size_t kTebGdiBatchCountOffset = 0xF70;
    constexpr std::size_t kTeb64PebOffset = 0x60;
    constexpr std::size_t kPeb64GdiTableOffset = 0xF8;
    const auto low32At = [](std::uintptr_t address) {
        return static_cast<std::uintptr_t>(*reinterpret_cast<const std::uint32_t*>(address));
    };
    // The thread block's address as ntdll reports it (ThreadBasicInformation).
    struct ThreadBasics {
        LONG exitStatus;
        void* teb;
        void* clientId[2];
        ULONG_PTR affinity;
        LONG priority;
        LONG basePriority;
    } basics{};
    using Query = NTSTATUS(NTAPI*)(HANDLE, THREADINFOCLASS, PVOID, ULONG, PULONG);
    const FARPROC proc = GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread");
    if (proc == nullptr || reinterpret_cast<Query>(reinterpret_cast<void (*)()>(proc))(
                               GetCurrentThread(), static_cast<THREADINFOCLASS>(0), &basics, sizeof basics, nullptr) != 0)
        return nullptr;
    const std::uintptr_t teb64 = low32At(reinterpret_cast<std::uintptr_t>(basics.teb) + kTebGdiBatchCountOffset);
    const std::uintptr_t peb64 = teb64 != 0 ? low32At(teb64 + kTeb64PebOffset) : 0;
    return peb64 != 0 ? reinterpret_cast<const GdiHandleEntry*>(low32At(peb64 + kPeb64GdiTableOffset)) : nullptr;
#endif
}

inline DWORD CountGdiTableEntries()
{
    const std::uint8_t* peb = ProcessEnvironmentBlock();
    if (peb == nullptr)
        return 0;
    const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPebGdiTableOffset);
    if (table == nullptr)
        table = Wow64GdiTable();
    if (table == nullptr)
        return 0;
    DWORD used = 0;
    for (std::size_t i = 0; i < kGdiHandleCount; ++i)
        used += table[i].type != 0 ? 1 : 0;
    return used;
}

inline BOOL CALLBACK CountChild(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<DWORD*>(lParam);
    return TRUE;
}

inline BOOL CALLBACK CountOwnWindow(HWND hWnd, LPARAM lParam)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid == GetCurrentProcessId()) {
        ++*reinterpret_cast<DWORD*>(lParam);
        EnumChildWindows(hWnd, CountChild, lParam);   // all descendants
    }
    return TRUE;
}

inline DWORD CountOwnWindows()
{
    DWORD windows = 0;
    EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace detail

inline GuiObjects CountGuiObjects()
{
    GuiObjects counts;
    counts.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    counts.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    counts.fromGetGuiResources = counts.gdi != 0 && counts.user != 0;
    if (!counts.fromGetGuiResources) {
        counts.gdi = detail::CountGdiTableEntries();
        counts.user = detail::CountOwnWindows();
    }
    return counts;
}

}  // namespace wintest

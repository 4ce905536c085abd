#pragma once
// Libraries of the system loaded at run time, from the system folder only.
//
// The program's own folder is writable by whoever put the program there (the
// run list lives beside it), and the standard search looks there before the
// system folder for every library that is not one of the system's known DLLs:
// a library of the same name left there would run inside the program. So a
// library is loaded from the system folder by name, never searched for.
#include "fw/Types.h"

namespace fw {

// The system library of this file name ("oleacc.dll"), loaded from the
// system folder with its own dependencies; null when it cannot be loaded.
// Like an import, it stays loaded for the process's life.
HMODULE LoadSystemLibrary(const wchar_t* pszFileName);

// A function of that library, or null. Function is the function's pointer type.
template <class Function>
Function SystemFunction(HMODULE hModule, const char* pszName)
{
    const FARPROC proc = hModule != nullptr ? ::GetProcAddress(hModule, pszName) : nullptr;
    // Through the generic function type, which any function pointer converts to.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

// At the process's start, before any library is loaded at run time: every
// later load by name, ours and the system's own on our behalf, searches the
// system folder only. Where the system lacks the setting (Windows 7 without
// its update) nothing changes, and LoadSystemLibrary still loads from the
// system folder. Unlike a changed DLL directory, it is not passed on to the
// programs this one starts.
void RestrictLibrarySearchToSystem();

}  // namespace fw

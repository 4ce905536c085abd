// Test helper: a library that announces it was loaded. Left beside the
// launcher under the name of a system library, it must never be loaded: the
// tests look for the event it creates (kept until its process ends).
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        CreateEventA(nullptr, TRUE, TRUE, "NimbrelPlantedLibraryLoaded");
    return TRUE;
}

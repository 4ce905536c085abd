// Test helper: holds a file open without sharing, as another program would.
//   holdfile <file> <ready-marker> <release-marker> <max-ms>
// Opens <file>, creates <ready-marker>, then keeps the file open until
// <release-marker> exists or <max-ms> milliseconds have passed.
#include <windows.h>

#include <cstdlib>

#include "fw/UniqueHandle.h"

namespace {

bool Exists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5)
        return 2;
    const UniqueHandle held(OwnHandle(
        CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!held)
        return 3;
    const UniqueHandle ready(
        OwnHandle(CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!ready)
        return 4;
    const DWORD start = GetTickCount();
    const DWORD maxMs = static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10));
    while (!Exists(argv[3]) && GetTickCount() - start < maxMs)
        Sleep(10);
    return 0;
}

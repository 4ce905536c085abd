// Test helper: holds a file open without sharing, as another program would.
//   holdfile <file> <ready-marker> <release-marker> <max-ms>
// Opens <file>, creates <ready-marker>, then keeps the file open until
// <release-marker> exists or <max-ms> milliseconds have passed.
#include <windows.h>

#include <cstdlib>

namespace {

class OwnedFile {
public:
    explicit OwnedFile(HANDLE h) : m_h(h) {}
    ~OwnedFile()
    {
        if (m_h != INVALID_HANDLE_VALUE)
            CloseHandle(m_h);
    }
    OwnedFile(const OwnedFile&) = delete;
    OwnedFile& operator=(const OwnedFile&) = delete;
    bool IsOpen() const { return m_h != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_h;
};

bool Exists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5)
        return 2;
    const OwnedFile held(CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!held.IsOpen())
        return 3;
    const OwnedFile ready(CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!ready.IsOpen())
        return 4;
    const DWORD start = GetTickCount();
    const DWORD maxMs = static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10));
    while (!Exists(argv[3]) && GetTickCount() - start < maxMs)
        Sleep(10);
    return 0;
}

#pragma once
// A run list store on a disk that fills up during a save.
#include <windows.h>

#include "runlist/RunListStoreWin.h"

namespace wintest {

// Writes the first half of the first chunk, then fails as a full disk would.
class DiskFullStore : public RunListStoreWin {
public:
    using RunListStoreWin::RunListStoreWin;

protected:
    bool WriteChunk(HANDLE file, const char* data, DWORD size) override
    {
        RunListStoreWin::WriteChunk(file, data, size / 2);
        SetLastError(ERROR_DISK_FULL);
        return false;
    }
};

}  // namespace wintest

#pragma once
// An owned kernel handle (process, thread, file, mutex, mapping): closed when
// it goes out of scope.
#include <windows.h>

#include <memory>

struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// Takes ownership of what an API returned; both of the failure values become empty.
inline UniqueHandle OwnHandle(HANDLE h)
{
    return UniqueHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

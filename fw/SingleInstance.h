#pragma once
// One running instance of a program per key (the full path of a file it works
// on) in the user's session. The first start with a key holds it while it
// runs; a later start with the same key finds the first one's main window and
// brings it to the front instead of running.
#include <windows.h>

#include <string>

#include "fw/UniqueHandle.h"

class CSingleInstance {
public:
    // pszProgram: the program's name, which its kernel objects begin with. key:
    // compared without regard to case, and of any length. An empty key is held
    // by every start.
    CSingleInstance(const wchar_t* pszProgram, const std::wstring& key);
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // Whether this start holds the key. A start whose key cannot be looked up
    // at all holds it too: it runs as it would without this guard.
    bool IsFirst() const { return m_bFirst; }
    // Brings the main window (a dialog) of the start that holds the key to the
    // front, restored if it is minimised; a window it shows over it, such as a
    // message box, comes to the front in its stead. Waits a moment for the
    // window of a first start that is only starting.
    void ActivateFirst() const;

private:
    void PublishThisThread();
    DWORD FirstThread() const;

    std::wstring m_strMappingName;   // where the first start leaves its thread's id
    UniqueHandle m_mutex;            // owned by the first start's thread
    UniqueHandle m_mapping;
    bool m_bFirst = true;
};

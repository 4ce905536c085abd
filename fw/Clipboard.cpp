#include "fw/Clipboard.h"


#include <cstring>
#include <vector>

namespace {

// The clipboard, open for the scope.
class ClipboardScope {
public:
    explicit ClipboardScope(HWND hOwner) : m_bOpen(::OpenClipboard(hOwner) != FALSE) {}
    ~ClipboardScope()
    {
        if (m_bOpen)
            ::CloseClipboard();
    }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    bool IsOpen() const { return m_bOpen; }

private:
    bool m_bOpen;
};

// Movable memory for the clipboard, freed unless the clipboard took it.
class ClipboardMemory {
public:
    explicit ClipboardMemory(std::size_t nBytes) : m_hMem(::GlobalAlloc(GMEM_MOVEABLE, nBytes)) {}
    ~ClipboardMemory()
    {
        if (m_hMem != nullptr)
            ::GlobalFree(m_hMem);
    }
    ClipboardMemory(const ClipboardMemory&) = delete;
    ClipboardMemory& operator=(const ClipboardMemory&) = delete;

    // Copies the bytes in; false without memory.
    bool Fill(const void* pData, std::size_t nBytes)
    {
        void* p = m_hMem != nullptr ? ::GlobalLock(m_hMem) : nullptr;
        if (p == nullptr)
            return false;
        std::memcpy(p, pData, nBytes);
        ::GlobalUnlock(m_hMem);
        return true;
    }
    // Hands the memory to the clipboard, which owns it once it has taken it.
    bool GiveTo(UINT nFormat)
    {
        if (::SetClipboardData(nFormat, m_hMem) == nullptr)
            return false;
        m_hMem = nullptr;
        return true;
    }

private:
    HGLOBAL m_hMem;
};

bool PutOnClipboard(UINT nFormat, const void* pData, std::size_t nBytes)
{
    ClipboardMemory memory(nBytes);
    return memory.Fill(pData, nBytes) && memory.GiveTo(nFormat);
}

}  // namespace

bool SetClipboardText(HWND hOwner, const std::wstring& text)
{
    const ClipboardScope clipboard(hOwner);
    if (!clipboard.IsOpen() || !::EmptyClipboard())
        return false;
    const bool bPlaced = PutOnClipboard(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    if (!bPlaced)
        ::EmptyClipboard();
    return bPlaced;
}

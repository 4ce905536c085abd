#pragma once
// Device contexts and GDI objects. Owning types delete their handle; a CDC
// only borrows one; every selection is undone when its scope ends.
#include <string>
#include <string_view>
#include <utility>

#include "fw/Types.h"

template <class Handle>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle h) : m_h(h) {}
    ~CGdiObject() { DeleteObject(); }
    CGdiObject(CGdiObject&& o) noexcept : m_h(std::exchange(o.m_h, nullptr)) {}
    CGdiObject& operator=(CGdiObject&& o) noexcept
    {
        if (this != &o) {
            DeleteObject();
            m_h = std::exchange(o.m_h, nullptr);
        }
        return *this;
    }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    Handle Get() const { return m_h; }
    operator Handle() const { return m_h; }   // NOLINT: passed straight to GDI calls
    void Attach(Handle h) { DeleteObject(); m_h = h; }
    void DeleteObject()
    {
        if (m_h != nullptr)
            ::DeleteObject(std::exchange(m_h, nullptr));
    }

private:
    Handle m_h = nullptr;
};

using CBitmap = CGdiObject<HBITMAP>;
using CBrush = CGdiObject<HBRUSH>;
using CRgn = CGdiObject<HRGN>;
using CFont = CGdiObject<HFONT>;

// A borrowed device context.
class CDC {
public:
    explicit CDC(HDC hDC = nullptr) : m_hDC(hDC) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    HDC m_hDC;
    operator HDC() const { return m_hDC; }   // NOLINT

    void FillRect(const RECT& rc, HBRUSH hBrush) { ::FillRect(m_hDC, &rc, hBrush); }
    COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int DrawText(std::wstring_view text, RECT rc, UINT nFormat)
    {
        return ::DrawTextW(m_hDC, text.data(), static_cast<int>(text.size()), &rc, nFormat);
    }
    void DrawFocusRect(const RECT& rc) { ::DrawFocusRect(m_hDC, &rc); }
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
    BOOL BitBlt(int x, int y, int w, int h, HDC src, int xSrc, int ySrc, DWORD rop)
    {
        return ::BitBlt(m_hDC, x, y, w, h, src, xSrc, ySrc, rop);
    }
    BOOL DrawEdge(RECT rc, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, &rc, edge, flags); }
    int SelectClipRgn(HRGN hRgn) { return ::SelectClipRgn(m_hDC, hRgn); }
    TEXTMETRICW GetTextMetrics() const
    {
        TEXTMETRICW tm{};
        ::GetTextMetricsW(m_hDC, &tm);
        return tm;
    }
    // The shared brush of alternating pixels used for drag feedback.
    static HBRUSH GetHalftoneBrush();
};

// BeginPaint / EndPaint.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd) { m_hDC = ::BeginPaint(hWnd, &m_ps); }
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    const PAINTSTRUCT& PaintStruct() const { return m_ps; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
};

// GetDC / ReleaseDC.
class CClientDC : public CDC {
public:
    explicit CClientDC(HWND hWnd) : m_hWnd(hWnd) { m_hDC = ::GetDC(hWnd); }
    ~CClientDC() { ::ReleaseDC(m_hWnd, m_hDC); }

private:
    HWND m_hWnd;
};

// A memory DC compatible with another (with the screen for null).
class CMemoryDC : public CDC {
public:
    explicit CMemoryDC(HDC hCompatible) { m_hDC = ::CreateCompatibleDC(hCompatible); }
    ~CMemoryDC() { ::DeleteDC(m_hDC); }
};

// Selects an object into a DC for the scope's life.
class CSelectObject {
public:
    CSelectObject(HDC hDC, HGDIOBJ hObj) : m_hDC(hDC), m_hOld(::SelectObject(hDC, hObj)) {}
    ~CSelectObject() { ::SelectObject(m_hDC, m_hOld); }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

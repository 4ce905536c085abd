#pragma once
// A counted reference to a COM object, given back when it goes.
#include <utility>

template <class T>
class CComPtr {
public:
    CComPtr() = default;
    ~CComPtr() { Release(); }
    CComPtr(CComPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    CComPtr& operator=(CComPtr&& o) noexcept
    {
        if (this != &o)
            Attach(std::exchange(o.m_p, nullptr));
        return *this;
    }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;

    // Takes over a reference the caller holds.
    void Attach(T* p)
    {
        Release();
        m_p = p;
    }
    void Release()
    {
        if (m_p != nullptr)
            std::exchange(m_p, nullptr)->Release();
    }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For a function that hands out a reference: the old one is given back first.
    T** operator&()
    {
        Release();
        return &m_p;
    }

private:
    T* m_p = nullptr;
};

// Owners for COM: one reference to an interface, released when the owner goes, and
// this thread's membership of a single-threaded apartment, left as often as it was
// entered.  Code that uses COM objects adds and releases references only here.
#pragma once

#include <objbase.h>

#include <utility>

namespace plover {

template <class T>
class CComRef {
public:
    CComRef() = default;
    ~CComRef() { Reset(); }
    CComRef(const CComRef& other) : m_p(other.m_p) { AddRef(); }
    CComRef(CComRef&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    CComRef& operator=(CComRef other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }

    // Takes over a reference the caller already holds (a new object's first one,
    // an out parameter filled in).
    static CComRef Adopt(T* p)
    {
        CComRef ref;
        ref.m_p = p;
        return ref;
    }
    // Adds a reference of its own to a pointer the caller only borrows.
    static CComRef Share(T* p)
    {
        CComRef ref = Adopt(p);
        ref.AddRef();
        return ref;
    }

    // Cleared before the release, so a release that reaches back here finds the
    // owner empty.
    void Reset()
    {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }
    // Hands the reference to the caller, as an out parameter that COM hands back.
    T* Detach() { return std::exchange(m_p, nullptr); }
    // For a function that fills in a reference: the old one goes first.
    T** Receive()
    {
        Reset();
        return &m_p;
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    void AddRef()
    {
        if (m_p)
            m_p->AddRef();
    }
    T* m_p = nullptr;
};

// Membership of a single-threaded apartment entered on first need and left when the
// owner goes or is told to.  Entering again while in is a no-op; a thread already in a
// multi-threaded apartment stays as it is and is not left.
class CComApartment {
public:
    CComApartment() = default;
    ~CComApartment() { Leave(); }
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;

    bool Enter()
    {
        if (!m_bEntered) {
            const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            m_bEntered = SUCCEEDED(hr);
            m_bUsable = m_bEntered || hr == RPC_E_CHANGED_MODE;
        }
        return m_bUsable;
    }
    void Leave()
    {
        if (m_bEntered)
            ::CoUninitialize();
        m_bEntered = m_bUsable = false;
    }

private:
    bool m_bEntered = false;
    bool m_bUsable = false;
};

}  // namespace plover

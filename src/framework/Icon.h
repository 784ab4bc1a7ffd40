// An icon this program made (CreateIconIndirect), destroyed with its owner.
// Icons loaded shared from resources are never put in one.  Counts the icons it
// holds, so a test can show that redrawing leaves none behind.
#pragma once

#include <windows.h>

#include <utility>

namespace plover {

class CIcon {
public:
    CIcon() = default;
    explicit CIcon(HICON icon) : m_hIcon(icon)
    {
        if (icon)
            ++s_nAlive;
    }
    ~CIcon() { Reset(); }
    CIcon(CIcon&& other) noexcept : m_hIcon(std::exchange(other.m_hIcon, nullptr)) {}
    CIcon& operator=(CIcon&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_hIcon = std::exchange(other.m_hIcon, nullptr);
        }
        return *this;
    }
    CIcon(const CIcon&) = delete;
    CIcon& operator=(const CIcon&) = delete;

    HICON Get() const { return m_hIcon; }
    void Reset()
    {
        // A destroy that failed leaves the icon counted, so a leak check sees it.
        if (m_hIcon && ::DestroyIcon(m_hIcon))
            --s_nAlive;
        m_hIcon = nullptr;
    }

    static long Alive() { return s_nAlive; }

private:
    HICON m_hIcon = nullptr;
    static inline long s_nAlive = 0;
};

}  // namespace plover

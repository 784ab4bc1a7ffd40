// Cursors: CCursor holds one, and destroys it with itself when it is one the
// program loaded.  A shared cursor (the platform's own from LoadCursor, or one
// borrowed from SetCursor) is only held: destroying it would take it from
// everyone who shows it.  Owners count the cursors they will destroy, so a test
// can show that nothing is left behind (Wine has no GetGuiResources).
#pragma once

#include <windows.h>

#include <utility>

namespace plover {

class CCursor {
public:
    CCursor() = default;
    // A cursor loaded for the program alone, destroyed here.
    static CCursor Owned(HCURSOR cursor) { return CCursor(cursor, true); }
    // A cursor others show too, never destroyed here.
    static CCursor Shared(HCURSOR cursor) { return CCursor(cursor, false); }

    ~CCursor() { Reset(); }
    CCursor(const CCursor&) = delete;
    CCursor& operator=(const CCursor&) = delete;
    CCursor(CCursor&& other) noexcept
        : m_hCursor(std::exchange(other.m_hCursor, nullptr)),
          m_bOwned(std::exchange(other.m_bOwned, false))
    {
    }
    CCursor& operator=(CCursor&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_hCursor = std::exchange(other.m_hCursor, nullptr);
            m_bOwned = std::exchange(other.m_bOwned, false);
        }
        return *this;
    }

    void Reset()
    {
        if (m_hCursor && m_bOwned) {
            ::DestroyCursor(m_hCursor);
            --s_nLive;
        }
        m_hCursor = nullptr;
        m_bOwned = false;
    }
    HCURSOR Get() const { return m_hCursor; }
    explicit operator bool() const { return m_hCursor != nullptr; }

    // Owned cursors held at this moment.
    static long Live() { return s_nLive; }

private:
    CCursor(HCURSOR cursor, bool owned) : m_hCursor(cursor), m_bOwned(owned && cursor)
    {
        if (m_bOwned)
            ++s_nLive;
    }

    HCURSOR m_hCursor = nullptr;
    bool m_bOwned = false;
    static inline long s_nLive = 0;
};

}  // namespace plover

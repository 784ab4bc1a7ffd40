// Menus: CMenu owns one and destroys it with itself; CMenuHandle borrows one (a
// window's menu bar, a submenu) and never destroys it.  CAccelerators owns the
// keyboard shortcuts that go with a menu.  A window destroys the menu
// bar it shows, so an owner takes its menu off the window before the window goes.
// Owners count the menus they hold, so a test can show that nothing is left behind
// (Wine has no GetGuiResources).
#pragma once

#include <windows.h>

#include <utility>

namespace plover {

class CMenuHandle {
public:
    explicit CMenuHandle(HMENU menu = nullptr) : m_hMenu(menu) {}
    HMENU Get() const { return m_hMenu; }
    explicit operator bool() const { return m_hMenu != nullptr; }

private:
    HMENU m_hMenu;
};

class CMenu {
public:
    CMenu() = default;
    explicit CMenu(HMENU menu) : m_hMenu(menu)
    {
        if (m_hMenu)
            ++s_nLive;
    }
    ~CMenu()
    {
        if (m_hMenu) {
            ::DestroyMenu(m_hMenu);
            --s_nLive;
        }
    }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    CMenu(CMenu&& other) noexcept : m_hMenu(std::exchange(other.m_hMenu, nullptr)) {}
    CMenu& operator=(CMenu&& other) noexcept
    {
        if (this != &other) {
            CMenu old(std::move(*this));  // destroys, and uncounts, what this held
            m_hMenu = std::exchange(other.m_hMenu, nullptr);
        }
        return *this;
    }

    static CMenu Load(UINT resourceId)
    {
        return CMenu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId)));
    }
    HMENU Get() const { return m_hMenu; }
    CMenuHandle Handle() const { return CMenuHandle(m_hMenu); }
    explicit operator bool() const { return m_hMenu != nullptr; }

    // Menus held by owners at this moment.
    static long Live() { return s_nLive; }

private:
    HMENU m_hMenu = nullptr;
    static inline long s_nLive = 0;
};

// An accelerator table loaded from the resources, destroyed with its owner.
class CAccelerators {
public:
    CAccelerators() = default;
    explicit CAccelerators(HACCEL table) : m_hAccel(table) {}
    ~CAccelerators()
    {
        if (m_hAccel)
            ::DestroyAcceleratorTable(m_hAccel);
    }
    CAccelerators(const CAccelerators&) = delete;
    CAccelerators& operator=(const CAccelerators&) = delete;
    CAccelerators(CAccelerators&& other) noexcept : m_hAccel(std::exchange(other.m_hAccel, nullptr)) {}
    CAccelerators& operator=(CAccelerators&& other) noexcept
    {
        if (this != &other) {
            CAccelerators old(std::move(*this));
            m_hAccel = std::exchange(other.m_hAccel, nullptr);
        }
        return *this;
    }

    static CAccelerators Load(UINT resourceId)
    {
        return CAccelerators(
            ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId)));
    }
    HACCEL Get() const { return m_hAccel; }
    explicit operator bool() const { return m_hAccel != nullptr; }

private:
    HACCEL m_hAccel = nullptr;
};

}  // namespace plover

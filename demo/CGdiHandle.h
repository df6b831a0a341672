#pragma once

#include <windows.h>

#include <utility>

// Owns one GDI object (a pen, a brush), deleted with the wrapper; move-only. Null when the
// object could not be made, which GDI calls take as "nothing".
template <class H>
class CGdiHandle {
public:
    explicit CGdiHandle(H h) : m_h(h) {}
    CGdiHandle(const CGdiHandle&) = delete;
    CGdiHandle& operator=(const CGdiHandle&) = delete;
    CGdiHandle(CGdiHandle&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    CGdiHandle& operator=(CGdiHandle&& other) noexcept
    {
        std::swap(m_h, other.m_h);
        return *this;
    }
    ~CGdiHandle()
    {
        if (m_h)
            ::DeleteObject(m_h);
    }
    operator H() const { return m_h; }

private:
    H m_h;
};

#pragma once

#include <afx/afxdefs.h>

#include <utility>

// Owns one GDI object (a bitmap, a pen, a brush), deleted with the wrapper; moves, never copies.
// Null when there is none or it could not be made, which GDI calls take as "nothing".
template <class H>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(H h) : m_h(h) {}
    CGdiObject(CGdiObject&& other) noexcept : m_h(other.Detach()) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept
    {
        if (this != &other) {
            DeleteObject();
            m_h = other.Detach();
        }
        return *this;
    }
    ~CGdiObject() { DeleteObject(); }

    operator H() const { return m_h; }
    H GetSafeHandle() const { return m_h; }
    // FALSE when this wrapper already holds an object or the handle is null.
    BOOL Attach(H h)
    {
        if (m_h || !h) return FALSE;
        m_h = h;
        return TRUE;
    }
    H Detach() { return std::exchange(m_h, nullptr); }
    // FALSE when there is nothing to delete.
    BOOL DeleteObject() { return m_h ? ::DeleteObject(Detach()) : FALSE; }

protected:
    H m_h = nullptr;
};

// Small scope guards for GDI work: an object made for one call is deleted at
// the end of that call, and an object selected into a context is swapped
// back out again. Declare the owned object before the selection that uses it,
// so the selection is undone first and the object is no longer selected when
// it is deleted.
#pragma once

#include <windows.h>

namespace OrvoUtility {

// Owns a GDI object (pen, brush, bitmap, font, region) and deletes it.
template <typename Handle> class GdiObject {
public:
    explicit GdiObject(Handle made) : handle(made) {}
    ~GdiObject() {
        if (handle)
            DeleteObject(handle);
    }
    GdiObject(const GdiObject &) = delete;
    GdiObject &operator=(const GdiObject &) = delete;

    Handle Get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }

private:
    Handle handle;
};

// Owns a memory device context and deletes it.
class MemoryContext {
public:
    explicit MemoryContext(HDC compatibleWith) : dc(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryContext() {
        if (dc)
            DeleteDC(dc);
    }
    MemoryContext(const MemoryContext &) = delete;
    MemoryContext &operator=(const MemoryContext &) = delete;

    HDC Get() const { return dc; }
    explicit operator bool() const { return dc != nullptr; }

private:
    HDC dc;
};

// Selects an object into a context and selects the previous one back.
// Selecting none leaves the context alone.
class Selection {
public:
    Selection(HDC context, HGDIOBJ object)
        : dc(context), previous(context && object ? SelectObject(context, object) : nullptr) {}
    ~Selection() {
        if (previous && previous != HGDI_ERROR)
            SelectObject(dc, previous);
    }
    Selection(const Selection &) = delete;
    Selection &operator=(const Selection &) = delete;

    // The object that was selected before (none when nothing was selected).
    HGDIOBJ Previous() const { return previous == HGDI_ERROR ? nullptr : previous; }

private:
    HDC dc;
    HGDIOBJ previous;
};

} // namespace OrvoUtility

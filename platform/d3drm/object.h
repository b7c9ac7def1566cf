// Base classes of the retained-mode objects: reference counting, change stamps, live counts.
#pragma once

#include "platform/base/d3drmtypes.h"

#include <atomic>
#include <cstdint>

// Reference counting as the platform defines it: an object starts with one reference (the
// creator's) and deletes itself when the last one is released. The count is atomic so that
// the render thread may hold and drop references; everything else relies on the scene lock.
class IUnknown {
public:
    ULONG AddRef();
    ULONG Release();

    IUnknown(const IUnknown&) = delete;
    IUnknown& operator=(const IUnknown&) = delete;

protected:
    IUnknown() = default;
    virtual ~IUnknown() = default;

private:
    std::atomic<ULONG> m_cRef{1};
};

// Counts the live objects of one class; tests read it to prove that nothing leaks.
template <class Tag> class RMLiveCounter {
public:
    RMLiveCounter() noexcept { s_count.fetch_add(1, std::memory_order_relaxed); }
    ~RMLiveCounter() { s_count.fetch_sub(1, std::memory_order_relaxed); }
    RMLiveCounter(const RMLiveCounter&) = delete;
    RMLiveCounter& operator=(const RMLiveCounter&) = delete;

    static long Count() { return s_count.load(std::memory_order_relaxed); }

private:
    static inline std::atomic<long> s_count{0};
};

// Every scene object carries a revision: a stamp from one process-wide increasing clock, renewed
// whenever something about the object that affects the picture changes. A renderer remembers the
// clock value of its last frame and redraws what carries a newer stamp.
class IDirect3DRMObject : public IUnknown {
public:
    uint64_t Revision() const { return m_revision; }
    // The current value of the clock; every later change carries a larger stamp.
    static uint64_t CurrentRevision();
    // A renderer that has drawn everything stamped up to `clock` says so. From then on a change
    // to an object whose stamp was at or below the highest clock said is noted, so a renderer
    // learns in constant time that nothing it drew has changed since: a scene that only gains
    // new objects never notes anything.
    static void NoteRendered(uint64_t clock);
    // The stamp of the latest such change (0 for none).
    static uint64_t LastChangeOfRendered();

protected:
    IDirect3DRMObject() { Touch(); }
    void Touch();

private:
    uint64_t m_revision = 0;
};

class IDirect3DRMMesh;

// Something a frame can draw. Meshes are the only visuals of this layer.
class IDirect3DRMVisual : public IDirect3DRMObject {
public:
    virtual const IDirect3DRMMesh* AsMesh() const { return nullptr; }
};

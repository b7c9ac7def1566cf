#include "platform/d3drm/object.h"

namespace {
std::atomic<uint64_t> g_revisionClock{0};
std::atomic<uint64_t> g_renderedUpTo{0};
std::atomic<uint64_t> g_lastChangeOfRendered{0};

void RaiseTo(std::atomic<uint64_t>& value, uint64_t to) {
    uint64_t now = value.load(std::memory_order_relaxed);
    while (now < to && !value.compare_exchange_weak(now, to, std::memory_order_relaxed)) {
    }
}
} // namespace

ULONG IUnknown::AddRef() {
    return m_cRef.fetch_add(1, std::memory_order_relaxed) + 1;
}

ULONG IUnknown::Release() {
    ULONG left = m_cRef.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0) delete this;
    return left;
}

uint64_t IDirect3DRMObject::CurrentRevision() {
    return g_revisionClock.load(std::memory_order_relaxed);
}

void IDirect3DRMObject::NoteRendered(uint64_t clock) { RaiseTo(g_renderedUpTo, clock); }

uint64_t IDirect3DRMObject::LastChangeOfRendered() {
    return g_lastChangeOfRendered.load(std::memory_order_relaxed);
}

void IDirect3DRMObject::Touch() {
    const uint64_t previous = m_revision;
    m_revision = g_revisionClock.fetch_add(1, std::memory_order_relaxed) + 1;
    if (previous != 0 && previous <= g_renderedUpTo.load(std::memory_order_relaxed))
        RaiseTo(g_lastChangeOfRendered, m_revision);
}

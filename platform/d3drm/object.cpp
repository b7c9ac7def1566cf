#include "platform/d3drm/object.h"

namespace {
std::atomic<uint64_t> g_revisionClock{0};
}

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

void IDirect3DRMObject::Touch() {
    m_revision = g_revisionClock.fetch_add(1, std::memory_order_relaxed) + 1;
}

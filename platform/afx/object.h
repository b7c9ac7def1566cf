// CObject and the run-time class registry used for dynamic creation by name.
#pragma once

#include "platform/base/wintypes.h"

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;
    CObject* (*m_pfnCreateObject)();

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;

    // Looks a registered class up by its name; null when none is registered under it.
    static const CRuntimeClass* FromName(const char* name);
    static CObject* CreateObject(const char* name);
};

// Adds a class to the registry at static-initialisation time.
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(const CRuntimeClass* cls);
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* cls) const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;

public:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(name) (&name::class##name)

#define DECLARE_DYNCREATE(name)                                                                    \
public:                                                                                            \
    static const CRuntimeClass class##name;                                                        \
    const CRuntimeClass* GetRuntimeClass() const override;                                         \
    static CObject* CreateObject();

#define IMPLEMENT_DYNCREATE(name, base)                                                            \
    CObject* name::CreateObject() { return new name; }                                             \
    const CRuntimeClass name::class##name = {#name, RUNTIME_CLASS(base), &name::CreateObject};     \
    const CRuntimeClass* name::GetRuntimeClass() const { return RUNTIME_CLASS(name); }             \
    static const AFX_CLASSINIT _init_##name(RUNTIME_CLASS(name));

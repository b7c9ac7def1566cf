#include "platform/afx/object.h"

#include <cstring>
#include <map>
#include <string>

namespace {
std::map<std::string, const CRuntimeClass*>& Registry() {
    static std::map<std::string, const CRuntimeClass*> registry;
    return registry;
}
} // namespace

const CRuntimeClass CObject::classCObject = {"CObject", nullptr, nullptr};

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
        if (c == base) return TRUE;
    return FALSE;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* name) {
    if (!name) return nullptr;
    auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : it->second;
}

CObject* CRuntimeClass::CreateObject(const char* name) {
    const CRuntimeClass* cls = FromName(name);
    return cls ? cls->CreateObject() : nullptr;
}

AFX_CLASSINIT::AFX_CLASSINIT(const CRuntimeClass* cls) { Registry()[cls->m_lpszClassName] = cls; }

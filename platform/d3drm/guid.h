// Globally unique identifiers of interfaces and devices.
#pragma once

#include "platform/base/wintypes.h"

struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];

    friend bool operator==(const GUID&, const GUID&) = default;
};
using IID = GUID;
using REFIID = const IID&;

constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);

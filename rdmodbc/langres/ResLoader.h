#pragma once
// Finding, loading and releasing the language resource module.
#include <windows.h>

// Releases the language module when the handle is not null. Always 0.
HRESULT resFree(HMODULE hModule);

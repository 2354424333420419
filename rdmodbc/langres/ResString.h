#pragma once
// Strings of the current language module.
#include "framework/CWinApp.h"

// String nID of the framework's current resource handle: at most 254
// characters (longer texts are cut), "" when the module has no such string.
CString LoadResString(UINT nID);

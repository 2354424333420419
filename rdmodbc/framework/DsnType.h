#pragma once
// Which data sources the driver manager lists: those of the machine, the
// user's, or both.
#include <windows.h>

enum DsnType : BYTE
{
    dsnSystem = 1,
    dsnUser   = 2,
    dsnAll    = 3,
};

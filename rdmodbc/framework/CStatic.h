#pragma once
// A static text control.
#include "CWnd.h"

class CStatic : public CWnd
{
};

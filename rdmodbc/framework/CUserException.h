#pragma once
// The user stopped the work (Cancel): nothing failed, and there is nothing
// to report.
#include "CException.h"

class CUserException : public CException
{
public:
    CString GetErrorMessage() const override            { return CString(); }
};

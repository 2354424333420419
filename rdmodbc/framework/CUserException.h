#pragma once
// The user stopped the work (Cancel), or was told already why a value was
// refused: there is nothing more to report.
#include "CException.h"

class CUserException : public CException
{
public:
    CString GetErrorMessage() const override            { return CString(); }
};

#pragma once
// Framework exceptions are thrown as pointers; whoever catches one deletes it.
#include "CString.h"

class CException
{
public:
    virtual ~CException() = default;
    void Delete()                                   { delete this; }
    virtual CString GetErrorMessage() const = 0;
    // The framework's error report: the message in a message box captioned
    // with the application title; nothing for an empty message.
    int ReportError(UINT nType = MB_OK) const;
};

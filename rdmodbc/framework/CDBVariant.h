#pragma once
// A field value read from a record set: null, or text.
#include "CString.h"

enum { DBVT_NULL = 0, DBVT_STRING = 9 };

class CDBVariant
{
public:
    CDBVariant() = default;
    ~CDBVariant()                           { Clear(); }
    CDBVariant(const CDBVariant&) = delete;
    CDBVariant& operator=(const CDBVariant&) = delete;

    void Clear()                            { delete m_pstring; m_pstring = nullptr; m_dwType = DBVT_NULL; }
    void SetString(const CString& str)      { Clear(); m_pstring = new CString(str); m_dwType = DBVT_STRING; }

    DWORD    m_dwType = DBVT_NULL;
    CString* m_pstring = nullptr;
};

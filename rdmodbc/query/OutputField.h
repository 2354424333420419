#pragma once
// One output field: where its value comes from and how it is dressed.
#include "framework/CString.h"

struct OutputField
{
    int     m_nColumn = -1;         // select position of the field's column; -1 = none
    CString m_strPrefix;
    CString m_strSuffix;
    BOOL    m_bInteger = FALSE;
    BOOL    m_bDate = FALSE;
    BOOL    m_bTime = FALSE;
    BOOL    m_bPad = FALSE;
    int     m_nPadWidth = 0;
    char    m_chPad = '\0';         // NUL switches filling off
    BOOL    m_bPadRight = FALSE;    // fill after the value instead of in front
    // Prefix, fill and suffix only when the column has a value: a NULL, an
    // empty text or no column deliver an empty field.
    BOOL    m_bOnlyWithValue = FALSE;
};

// Output fields are numbered 1 to 4 (indexes 0 to 3); field 2 is the
// primary one.
enum { OUTPUT_FIELDS = 4, PRIMARY_FIELD_INDEX = 1 };

// The field indexes in the order of the select list: the primary field
// first, then fields 1, 3 and 4, so that each mapped field's column comes
// after those of the fields before it. Rows are read in this order too: the
// columns of a row then go front to back, the one order in which every
// driver lets the columns that are not bound be read.
const int FIELDS_IN_SELECT_ORDER[OUTPUT_FIELDS] = {PRIMARY_FIELD_INDEX, 0, 2, 3};

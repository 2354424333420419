#pragma once
// What the user chooses for one output field: its column by name and the
// options. m_nColumn of the base is not a choice: composing the import
// derives it from the column names.
#include "OutputField.h"

struct FieldMapping : OutputField
{
    CString m_strColumn;            // "" when the field has no column
};

#pragma once
// What the field-mapping dialog keeps for one output field: the options the
// user set, the chosen column's name and the date/time radio value, so that
// the dialog can show the field again. m_nColumn of the base is not the
// dialog's: the Open sequence derives it from the column names.
#include "query/OutputField.h"

struct FieldMapping : OutputField
{
    CString m_strColumn;            // "" when the field has no column
};

#pragma once
// The choices of the field-mapping dialog as an import takes them.
#include "query/OutputField.h"
#include "dialogs/CFieldMapDlg.h"

#include <vector>

struct MappedImport
{
    explicit MappedImport(const CFieldMapDlg& dlg);

    CString     astrColumns[OUTPUT_FIELDS];
    OutputField aOptions[OUTPUT_FIELDS];
    // The conditions' filter texts in their order, borrowed from the dialog:
    // none unless conditions are in use.
    std::vector<const char*> filters;
};

#pragma once
// The choices of the field-mapping dialog as an import takes them.
#include "dialogs/CFieldMapDlg.h"
#include "query/ImportQuery.h"

// The table, the fields, the conditions that apply and the order the dialog
// holds, for a data source that reads SQL as the dialect says.
ImportQuery FieldMappingImport(const CFieldMapDlg& dlg, const SqlDialect& dialect);

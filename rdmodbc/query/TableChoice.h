#pragma once
// What the data-source step chooses: the data source and the table.
#include "framework/CString.h"
#include "framework/DsnType.h"

struct TableChoice
{
    CString strDataSource;
    DsnType nDsnType = dsnUser;         // the kind of data sources listed
    CString strSchema;                  // "" where the data source has none
    CString strTable;
    int     nIncludeViews = 1;
};

// The same table of the same data source.
inline BOOL IsSameTable(const TableChoice& a, const TableChoice& b)
{
    return a.strDataSource == b.strDataSource && a.strSchema == b.strSchema && a.strTable == b.strTable;
}

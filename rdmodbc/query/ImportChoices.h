#pragma once
// One import's choices as the user makes them and the next Open offers them
// again: the data source and the table, the four output fields, the
// conditions with whether they apply, and the order of the rows. The dialogs
// fill their members from it and give them back; the import, the preview
// and the last import are made of it. A copy holds conditions of its own.
#include "ColumnInfo.h"
#include "FieldMapping.h"
#include "SortOrder.h"
#include "TableChoice.h"

struct ImportChoices
{
    TableChoice  table;
    FieldMapping aFields[OUTPUT_FIELDS];
    CColumnArray conditions;
    BOOL         bUseConditions = FALSE;
    SortKey      aSortKeys[SORT_KEYS];
};

#pragma once
// The choices of the last import that opened, kept per user so that the
// next Open can offer them again: the data source and its kind, the table,
// the four fields, the conditions as what they were made of, and the
// order. A condition's SQL is not kept: the next Open writes it anew by the
// rules of the engine it connects to then. No connect string is kept, and so no password: the driver asks
// again for what the data source lacks, as it does the first time.
#include "TableChoice.h"
#include "dialogs/FieldMapping.h"
#include "framework/SqlDialect.h"
#include "query/ColumnInfo.h"
#include "query/SortOrder.h"

#include <string>
#include <vector>

struct RememberedCondition
{
    CString strName;                    // "" for a typed condition
    CString strTypeName;
    CString strDisplay;
    CString strFilter;                  // a typed condition's text; an older value's written SQL
    int     nSearchable = 0;
    int     nDataType = 0;
    int     nSqlDataType = 0;
    int     nDatetimeSub = 0;
    int     nOperator = 0;              // 0 in a typed condition and in an older value
    BOOL    bNegated = FALSE;
    CString strValue1;
    CString strValue2;
};

struct LastImport
{
    TableChoice  table;
    FieldMapping aFields[OUTPUT_FIELDS];
    std::vector<RememberedCondition> conditions;
    BOOL         bUseConditions = FALSE;
    // How the engine read SQL text when the typed conditions were written;
    // not known from an older value.
    BOOL         bReadingKnown = FALSE;
    SqlDialect   reading;
    SortKey      aSortKeys[SORT_KEYS];
};

// The conditions as the condition list holds them, and back.
std::vector<RememberedCondition> RememberConditions(const ColumnInfo* pConditions, int nConditions);
// Appends them to the array; FALSE when the heap gave out (what was
// appended stays the array's).
BOOL RecallConditions(const std::vector<RememberedCondition>& conditions, ColumnInfo*& pConditions, int& nConditions);

// The choices as the registry keeps them: a list of "name=value" texts,
// each ended by a NUL, and one NUL more (REG_MULTI_SZ), the version first.
// "" when a text holds a NUL, which the list cannot carry.
std::string EncodeLastImport(const LastImport& last);
// The choices from such a list, also of the version before, whose
// conditions are their written SQL; FALSE for anything else (cut, damaged,
// of a later version), and then last is not to be used.
BOOL DecodeLastImport(const std::string& list, LastImport& last);

// Under HKEY_CURRENT_USER\SOFTWARE\KAVEX\RDMODBC, value "LastImport", beside
// the language key. A value that is missing, of another type, longer than
// any import writes or that does not decode is no last import: FALSE, and
// the user starts afresh.
void SaveLastImport(const LastImport& last);
BOOL LoadLastImport(LastImport& last);

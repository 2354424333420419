#include "ConditionTestSupport.h"

#include <sqlext.h>

const char* const kLike = "contains (LIKE)";
const char* const kEqual = "equals";
const char* const kBetweenExcluding = "between (excluding both ends)";
const char* const kFromIncludingToExcluding = "from (including) to (excluding)";
const char* const kFromExcludingToIncluding = "from (excluding) to (including)";
const char* const kBetweenIncluding = "between (including both ends)";
const char* const kTrue = "is true";
const char* const kFalse = "is false";
const char* const kIsNull = "is empty (NULL)";

ColumnArray::ColumnArray(std::initializer_list<ColumnSpec> columns)
{
    for (const ColumnSpec& wanted : columns)
    {
        ColumnInfo column;
        column.name = wanted.name ? _strdup(wanted.name) : nullptr;
        column.typeName = wanted.typeName ? _strdup(wanted.typeName) : nullptr;
        column.searchable = wanted.searchable;
        column.nullable = wanted.nullable;
        column.dataType = wanted.sqlDataType;
        column.sqlDataType = wanted.sqlDataType;
        column.datetimeSub = wanted.sqlDataType == SQL_DATETIME ? SQL_CODE_DATE : 0;
        AppendColumnInfo(p, n, column);
    }
}

void AppendCondition(ColumnInfo*& pConditions, int& nConditions, const char* pszDisplay, const char* pszFilter)
{
    ColumnInfo condition;
    SetConditionTexts(condition, pszDisplay, pszFilter);
    AppendColumnInfo(pConditions, nConditions, condition);
}

std::vector<std::string> DisplayTexts(const ColumnInfo* pConditions, int nConditions)
{
    std::vector<std::string> texts;
    for (int i = 0; i < nConditions; ++i)
        texts.push_back(pConditions[i].displayText ? pConditions[i].displayText : "(null)");
    return texts;
}

std::vector<std::string> FilterTexts(const ColumnInfo* pConditions, int nConditions)
{
    std::vector<std::string> texts;
    for (int i = 0; i < nConditions; ++i)
        texts.push_back(pConditions[i].filterText ? pConditions[i].filterText : "(null)");
    return texts;
}

CallerState::CallerState()
    : columns{
          {"NAME", "VARCHAR", SQL_SEARCHABLE, SQL_VARCHAR, SQL_NULLABLE},
          {"QTY", "INTEGER", SQL_PRED_BASIC, SQL_INTEGER, SQL_NULLABLE},
          {"PAID", "BIT", SQL_SEARCHABLE, SQL_BIT, SQL_NO_NULLS},
      }
{
}

void CallerState::Add(const char* pszDisplay, const char* pszFilter)
{
    AppendCondition(pConditions, nConditions, pszDisplay, pszFilter);
}

void CallerState::HandTo(CConditionListDlg& dlg)
{
    dlg.m_pColumns = columns.p;
    dlg.m_nColumns = columns.n;
    dlg.m_pConditions = pConditions;
    dlg.m_nConditions = nConditions;
    dlg.m_bUseConditions = bUseConditions;
}

void CallerState::TakeFrom(const CConditionListDlg& dlg, INT_PTR nResult)
{
    if (nResult != IDOK)
        return;
    pConditions = dlg.m_pConditions;
    nConditions = dlg.m_nConditions;
    bUseConditions = dlg.m_bUseConditions;
}

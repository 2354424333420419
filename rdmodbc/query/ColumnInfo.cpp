#include "ColumnInfo.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace
{
    char* DuplicateOrNull(const char* psz)
    {
        return psz ? _strdup(psz) : nullptr;
    }

    // A copy of the text, or null for none; FALSE when the heap is full.
    bool Duplicate(const char* psz, char*& pszCopy)
    {
        pszCopy = DuplicateOrNull(psz);
        return psz == nullptr || pszCopy != nullptr;
    }

    char* DuplicateUnlessEmpty(const char* psz)
    {
        return psz && *psz ? _strdup(psz) : nullptr;
    }

}

void FreeColumnInfo(ColumnInfo& info)
{
    for (char** ppsz : {&info.name, &info.typeName, &info.displayText, &info.filterText})
    {
        free(*ppsz);
        *ppsz = nullptr;
    }
}

void FreeColumnArray(ColumnInfo*& pArray, int& nCount)
{
    if (pArray)
    {
        for (int i = 0; i < nCount; ++i)
            FreeColumnInfo(pArray[i]);
        free(pArray);
        pArray = nullptr;
    }
    nCount = 0;
}

ColumnInfo* CopyColumnArray(const ColumnInfo* pArray, int nCount)
{
    if (pArray == nullptr || nCount <= 0)
        return nullptr;
    ColumnInfo* pCopy = (ColumnInfo*)calloc(nCount, sizeof(ColumnInfo));
    if (pCopy == nullptr)
        return nullptr;
    for (int i = 0; i < nCount; ++i)
    {
        pCopy[i] = pArray[i];
        pCopy[i].name = pCopy[i].typeName = pCopy[i].displayText = pCopy[i].filterText = nullptr;
        // A copy that lost a text to a full heap is no copy: whoever edits
        // it would hand back conditions without their texts.
        if (!Duplicate(pArray[i].name, pCopy[i].name) || !Duplicate(pArray[i].typeName, pCopy[i].typeName)
            || !Duplicate(pArray[i].displayText, pCopy[i].displayText)
            || !Duplicate(pArray[i].filterText, pCopy[i].filterText))
        {
            FreeColumnArray(pCopy, nCount);
            return nullptr;
        }
    }
    return pCopy;
}

BOOL AppendColumnInfo(ColumnInfo*& pArray, int& nCount, ColumnInfo& info)
{
    int nOld = pArray ? nCount : 0;
    ColumnInfo* pLarger = (ColumnInfo*)malloc(sizeof(ColumnInfo) * (nOld + 1));
    if (pLarger == nullptr)
        return FALSE;
    if (nOld > 0)
        memcpy(pLarger, pArray, sizeof(ColumnInfo) * nOld);
    pLarger[nOld] = info;
    info.name = info.typeName = info.displayText = info.filterText = nullptr;
    free(pArray);
    pArray = pLarger;
    nCount = nOld + 1;
    return TRUE;
}

BOOL AppendTypedCondition(ColumnInfo*& pArray, int& nCount, LPCSTR pszText)
{
    ColumnInfo condition;
    condition.displayText = DuplicateOrNull(pszText);
    condition.filterText = DuplicateOrNull(pszText);
    if (AppendColumnInfo(pArray, nCount, condition))
        return TRUE;
    FreeColumnInfo(condition);
    return FALSE;
}

void RemoveColumnInfo(ColumnInfo*& pArray, int& nCount, int nIndex)
{
    if (pArray == nullptr || nIndex < 0 || nIndex >= nCount)
        return;
    FreeColumnInfo(pArray[nIndex]);
    memmove(&pArray[nIndex], &pArray[nIndex + 1], sizeof(ColumnInfo) * (nCount - nIndex - 1));
    if (--nCount == 0)
    {
        free(pArray);
        pArray = nullptr;
    }
}

void SetConditionColumn(ColumnInfo& condition, const ColumnInfo& column)
{
    free(condition.name);
    free(condition.typeName);
    condition.name = DuplicateOrNull(column.name);
    condition.typeName = DuplicateOrNull(column.typeName);
    condition.searchable = column.searchable;
    condition.dataType = column.dataType;
    condition.sqlDataType = column.sqlDataType;
    condition.datetimeSub = column.datetimeSub;
    condition.reserved = column.reserved;
}

void SetColumnTypeInfo(ColumnInfo& column, const std::optional<int>& nSearchable, const std::optional<int>& nNullable,
                       int nSqlDataType, int nDatetimeSub)
{
    if (nSearchable)
        column.searchable = *nSearchable;
    if (nNullable)
        column.nullable = *nNullable;
    if (nSqlDataType != 0)
        column.sqlDataType = nSqlDataType;
    if (nDatetimeSub != 0)
        column.datetimeSub = nDatetimeSub;
}

void SetConditionTexts(ColumnInfo& condition, LPCSTR pszDisplay, LPCSTR pszFilter)
{
    free(condition.displayText);
    free(condition.filterText);
    condition.displayText = DuplicateUnlessEmpty(pszDisplay);
    condition.filterText = DuplicateUnlessEmpty(pszFilter);
}

#include "ColumnInfo.h"

#include <cstdlib>
#include <cstring>
#include <array>
#include <utility>

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

    // The record's strings, each of which it owns.
    template <class Record>
    auto Strings(Record& info)
    {
        return std::array{&info.name, &info.typeName, &info.displayText, &info.filterText, &info.value1, &info.value2};
    }

    void ForgetStrings(ColumnInfo& info)
    {
        for (char** ppsz : Strings(info))
            *ppsz = nullptr;
    }
}

const ColumnInfo* FindColumnInfo(const ColumnInfo* pArray, int nCount, LPCSTR pszName)
{
    for (int i = 0; pArray != nullptr && pszName != nullptr && i < nCount; ++i)
    {
        if (pArray[i].name != nullptr && strcmp(pArray[i].name, pszName) == 0)
            return &pArray[i];
    }
    return nullptr;
}

void FreeColumnInfo(ColumnInfo& info)
{
    for (char** ppsz : Strings(info))
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
        ForgetStrings(pCopy[i]);
        // A copy that lost a text to a full heap is no copy: whoever edits
        // it would hand back conditions without their texts.
        const auto originals = Strings(pArray[i]);
        const auto copies = Strings(pCopy[i]);
        for (size_t k = 0; k < copies.size(); ++k)
        {
            if (!Duplicate(*originals[k], *copies[k]))
            {
                FreeColumnArray(pCopy, nCount);
                return nullptr;
            }
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
    ForgetStrings(info);
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

void SetConditionMakeup(ColumnInfo& condition, int nOperator, BOOL bNegated, LPCSTR pszValue1, LPCSTR pszValue2)
{
    free(condition.value1);
    free(condition.value2);
    condition.conditionOperator = nOperator;
    condition.negated = bNegated != FALSE;
    condition.value1 = DuplicateUnlessEmpty(pszValue1);
    condition.value2 = DuplicateUnlessEmpty(pszValue2);
}

CColumnArray CColumnArray::CopyOf(const ColumnInfo* pArray, int nCount)
{
    CColumnArray copy;
    copy.p = CopyColumnArray(pArray, nCount);
    copy.n = copy.p ? nCount : 0;
    return copy;
}

CColumnArray::CColumnArray(const CColumnArray& other) : CColumnArray(CopyOf(other.p, other.n))
{
}

CColumnArray::CColumnArray(CColumnArray&& other) noexcept : p(other.p), n(other.n)
{
    other.p = nullptr;
    other.n = 0;
}

CColumnArray& CColumnArray::operator=(const CColumnArray& other)
{
    if (this != &other)
        *this = CColumnArray(other);
    return *this;
}

CColumnArray& CColumnArray::operator=(CColumnArray&& other) noexcept
{
    if (this != &other)
    {
        FreeColumnArray(p, n);
        std::swap(p, other.p);
        std::swap(n, other.n);
    }
    return *this;
}

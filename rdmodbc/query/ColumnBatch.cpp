#include "ColumnBatch.h"

#include <sql.h>
#include <sqlext.h>
#include <cstdlib>
#include <cstring>

CColumnBatch::CColumnBatch()
    : m_pRecords((ColumnInfo*)calloc(SIZE, sizeof(ColumnInfo)))
{
}

CColumnBatch::~CColumnBatch()
{
    FreeColumnArray(m_pRecords, m_nRecords);
}

BOOL CColumnBatch::Add(LPCSTR pszName, LPCSTR pszTypeName, int nDataType, int nSqlDataType, int nDatetimeSub)
{
    if (m_pRecords == nullptr || IsFull())
        return FALSE;
    ColumnInfo& record = m_pRecords[m_nRecords];
    record = ColumnInfo();
    record.name = _strdup(pszName);
    record.typeName = *pszTypeName ? _strdup(pszTypeName) : nullptr;
    // Until the type information says otherwise, every comparison is offered.
    record.searchable = SQL_SEARCHABLE;
    record.dataType = nDataType;
    record.sqlDataType = nSqlDataType;
    record.datetimeSub = nDatetimeSub;
    ++m_nRecords;
    return TRUE;
}

BOOL CColumnBatch::MoveTo(ColumnInfo*& pArray, int& nCount)
{
    if (m_nRecords == 0)
        return TRUE;
    int nOld = pArray ? nCount : 0;
    ColumnInfo* pLarger = (ColumnInfo*)malloc(sizeof(ColumnInfo) * (nOld + m_nRecords));
    if (pLarger == nullptr)
        return FALSE;
    if (nOld > 0)
        memcpy(pLarger, pArray, sizeof(ColumnInfo) * nOld);
    memcpy(pLarger + nOld, m_pRecords, sizeof(ColumnInfo) * m_nRecords);
    free(pArray);
    pArray = pLarger;
    nCount = nOld + m_nRecords;
    // The array owns the strings now.
    for (int i = 0; i < m_nRecords; ++i)
        m_pRecords[i] = ColumnInfo();
    m_nRecords = 0;
    return TRUE;
}

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

namespace
{
    // The verbose type and subcode that ODBC gives a concise type: the
    // date, time and timestamp types are one verbose type with a subcode,
    // every other type is its own.
    int VerboseTypeOf(int nDataType)
    {
        return nDataType >= SQL_TYPE_DATE && nDataType <= SQL_TYPE_TIMESTAMP ? SQL_DATETIME : nDataType;
    }

    int DatetimeSubcodeOf(int nDataType)
    {
        switch (nDataType)
        {
        case SQL_TYPE_DATE:         return SQL_CODE_DATE;
        case SQL_TYPE_TIME:         return SQL_CODE_TIME;
        case SQL_TYPE_TIMESTAMP:    return SQL_CODE_TIMESTAMP;
        default:                    return 0;
        }
    }
}

BOOL CColumnBatch::Add(LPCSTR pszName, LPCSTR pszTypeName, int nDataType, int nSqlDataType, int nDatetimeSub,
                       int nNullable)
{
    if (m_pRecords == nullptr || IsFull())
        return FALSE;
    ColumnInfo& record = m_pRecords[m_nRecords];
    record = ColumnInfo();
    record.name = _strdup(pszName);
    record.typeName = *pszTypeName ? _strdup(pszTypeName) : nullptr;
    // Until the type information says otherwise, every comparison is offered.
    record.searchable = SQL_SEARCHABLE;
    record.nullable = nNullable == SQL_NULLABLE;
    record.dataType = nDataType;
    record.sqlDataType = nSqlDataType != 0 ? nSqlDataType : VerboseTypeOf(nDataType);
    record.datetimeSub = nDatetimeSub != 0 ? nDatetimeSub : DatetimeSubcodeOf(nDataType);
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

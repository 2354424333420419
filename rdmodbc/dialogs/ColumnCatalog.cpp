#include "ColumnCatalog.h"

#include "framework/OdbcHandle.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
    const int nDefaultNameLength = 256;
    const int nLongestNameLength = 2048;

    // The first diagnostic record of a failed catalog call is read so that
    // the statement's error state is consumed; the user is not told.
    void DropDiagnostic(SQLHSTMT hstmt)
    {
        SQLCHAR szState[6] = "";
        SQLINTEGER nNative = 0;
        SQLCHAR szMessage[SQL_MAX_MESSAGE_LENGTH] = "";
        SQLSMALLINT nLength = 0;
        ::SQLGetDiagRec(SQL_HANDLE_STMT, hstmt, 1, szState, &nNative, szMessage, sizeof szMessage, &nLength);
    }
}

int ColumnNameBufferLength(SQLSMALLINT nMaxColumnNameLen)
{
    // 0 is the ODBC answer of a driver without a limit; a buffer of that
    // length would deliver every name empty.
    if (nMaxColumnNameLen <= 0)
        return nDefaultNameLength;
    if (nMaxColumnNameLen > nLongestNameLength)
        return nLongestNameLength;
    return nMaxColumnNameLen;
}

CColumnBatch::CColumnBatch()
    : m_pRecords((ColumnInfo*)calloc(SIZE, sizeof(ColumnInfo)))
{
}

CColumnBatch::~CColumnBatch()
{
    FreeColumnArray(m_pRecords, m_nRecords);
}

BOOL CColumnBatch::Add(const char* pszName, const char* pszTypeName, SQLSMALLINT nDataType,
                       SQLSMALLINT nSqlDataType, SQLSMALLINT nDatetimeSub)
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

void ReadTableColumns(SQLHDBC hdbc, const CString& strTable, const std::function<void(LPCSTR)>& onColumn,
                      ColumnInfo*& pArray, int& nCount)
{
    CStatementHandle hstmt;
    hstmt.Allocate(hdbc);
    if (!SQL_SUCCEEDED(::SQLColumns(hstmt, nullptr, 0, nullptr, 0, (SQLCHAR*)(LPCSTR)strTable,
                                    (SQLSMALLINT)strTable.GetLength(), nullptr, 0)))
    {
        DropDiagnostic(hstmt);
        return;
    }

    SQLUSMALLINT nMaxLength = 0;
    if (!SQL_SUCCEEDED(::SQLGetInfo(hdbc, SQL_MAX_COLUMN_NAME_LEN, &nMaxLength, sizeof nMaxLength, nullptr)))
        nMaxLength = 0;
    const int nLength = ColumnNameBufferLength((SQLSMALLINT)nMaxLength);
    std::vector<char> name(nLength + 1), typeName(nLength + 1);

    SQLSMALLINT nDataType = 0, nSqlDataType = 0, nDatetimeSub = 0;
    // SQL_DATETIME_SUB is NULL for all but date and time columns; a NULL
    // read without an indicator fails the row.
    SQLLEN anIndicators[5] = {};
    ::SQLBindCol(hstmt, 4, SQL_C_CHAR, name.data(), nLength + 1, &anIndicators[0]);
    ::SQLBindCol(hstmt, 5, SQL_C_SSHORT, &nDataType, 0, &anIndicators[1]);
    ::SQLBindCol(hstmt, 14, SQL_C_SSHORT, &nSqlDataType, 0, &anIndicators[2]);
    ::SQLBindCol(hstmt, 15, SQL_C_SSHORT, &nDatetimeSub, 0, &anIndicators[3]);
    ::SQLBindCol(hstmt, 6, SQL_C_CHAR, typeName.data(), nLength + 1, &anIndicators[4]);

    CColumnBatch batch;
    for (;;)
    {
        std::fill(name.begin(), name.end(), '\0');
        std::fill(typeName.begin(), typeName.end(), '\0');
        nDataType = nSqlDataType = nDatetimeSub = 0;
        if (!SQL_SUCCEEDED(::SQLFetch(hstmt)))
            break;
        if (!batch.Add(name.data(), typeName.data(), nDataType, nSqlDataType, nDatetimeSub))
            break;
        onColumn(name.data());
        if (batch.IsFull() && !batch.MoveTo(pArray, nCount))
            break;
    }
    batch.MoveTo(pArray, nCount);
}

void ReadColumnTypeInfo(SQLHDBC hdbc, ColumnInfo& column)
{
    CStatementHandle hstmt;
    hstmt.Allocate(hdbc);
    if (!SQL_SUCCEEDED(::SQLGetTypeInfo(hstmt, (SQLSMALLINT)column.dataType)))
    {
        DropDiagnostic(hstmt);
        return;
    }
    SQLSMALLINT nDataType = 0, nSearchable = 0, nNullable = 0, nSqlDataType = 0, nDatetimeSub = 0;
    // SQL_DATETIME_SUB is NULL for all but date and time types; a NULL read
    // without an indicator fails the whole row.
    SQLLEN anIndicators[5] = {};
    ::SQLBindCol(hstmt, 2, SQL_C_SSHORT, &nDataType, 0, &anIndicators[0]);
    ::SQLBindCol(hstmt, 9, SQL_C_SSHORT, &nSearchable, 0, &anIndicators[1]);
    ::SQLBindCol(hstmt, 7, SQL_C_SSHORT, &nNullable, 0, &anIndicators[2]);
    ::SQLBindCol(hstmt, 16, SQL_C_SSHORT, &nSqlDataType, 0, &anIndicators[3]);
    ::SQLBindCol(hstmt, 17, SQL_C_SSHORT, &nDatetimeSub, 0, &anIndicators[4]);
    if (!SQL_SUCCEEDED(::SQLFetch(hstmt)))
        return;
    column.searchable = nSearchable;
    column.sqlDataType = nSqlDataType;
    column.datetimeSub = nDatetimeSub;
    column.nullable = nNullable;
}

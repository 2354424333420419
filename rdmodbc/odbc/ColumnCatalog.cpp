#include "ColumnCatalog.h"

#include "CatalogFields.h"
#include "framework/CBoundText.h"
#include "framework/OdbcDiagnostic.h"

namespace
{
    // A number of a catalog row. A NULL, which SQL_DATETIME_SUB is for all
    // but date and time types, writes no number; read without an indicator
    // it would fail the whole row.
    class CBoundNumber
    {
    public:
        CBoundNumber(SQLHSTMT hstmt, SQLUSMALLINT nColumn)
        {
            ::SQLBindCol(hstmt, nColumn, SQL_C_SSHORT, &m_nValue, 0, &m_nIndicator);
        }
        CBoundNumber(const CBoundNumber&) = delete;
        CBoundNumber& operator=(const CBoundNumber&) = delete;
        void Clear()                        { m_nValue = 0; }
        SQLSMALLINT Value() const           { return m_nValue; }
    private:
        SQLSMALLINT m_nValue = 0;
        SQLLEN m_nIndicator = 0;
    };

    // The first diagnostic record of a failed catalog call is read so that
    // the statement's error state is consumed; the user is not told.
    void DropDiagnostic(SQLHSTMT hstmt)
    {
        OdbcDiagnostic diagnostic;
        ReadDiagnostic(SQL_HANDLE_STMT, hstmt, 1, diagnostic);
    }
}

BOOL ReadTableColumns(const CDatabase& db, const CString& strTable,
                      const std::function<BOOL(const CatalogColumn&)>& onColumn)
{
    CStatementHandle hstmt;
    hstmt.Allocate(db.m_hdbc);
    if (!SQL_SUCCEEDED(::SQLColumns(hstmt, nullptr, 0, nullptr, 0, (SQLCHAR*)(LPCSTR)strTable,
                                    (SQLSMALLINT)strTable.GetLength(), nullptr, 0)))
    {
        DropDiagnostic(hstmt);
        return FALSE;
    }

    const int nFieldSize = NameFieldSize(db, SQL_MAX_COLUMN_NAME_LEN);
    CBoundText name(nFieldSize), typeName(nFieldSize);
    name.Bind(hstmt, COLUMNS_COLUMN_NAME);
    typeName.Bind(hstmt, COLUMNS_TYPE_NAME);
    CBoundNumber dataType(hstmt, COLUMNS_DATA_TYPE);
    CBoundNumber sqlDataType(hstmt, COLUMNS_SQL_DATA_TYPE);
    CBoundNumber datetimeSub(hstmt, COLUMNS_SQL_DATETIME_SUB);
    for (;;)
    {
        name.Clear();
        typeName.Clear();
        dataType.Clear();
        sqlDataType.Clear();
        datetimeSub.Clear();
        if (!SQL_SUCCEEDED(::SQLFetch(hstmt)))
            break;
        CatalogColumn column;
        column.strName = name.Text();
        column.strTypeName = typeName.Text();
        column.nDataType = dataType.Value();
        column.nSqlDataType = sqlDataType.Value();
        column.nDatetimeSub = datetimeSub.Value();
        if (!onColumn(column))
            break;
    }
    return TRUE;
}

BOOL ReadDataTypeInfo(const CDatabase& db, SQLSMALLINT nDataType, DataTypeInfo& info)
{
    CStatementHandle hstmt;
    hstmt.Allocate(db.m_hdbc);
    if (!SQL_SUCCEEDED(::SQLGetTypeInfo(hstmt, nDataType)))
    {
        DropDiagnostic(hstmt);
        return FALSE;
    }
    CBoundNumber searchable(hstmt, TYPEINFO_SEARCHABLE);
    CBoundNumber nullable(hstmt, TYPEINFO_NULLABLE);
    CBoundNumber sqlDataType(hstmt, TYPEINFO_SQL_DATA_TYPE);
    CBoundNumber datetimeSub(hstmt, TYPEINFO_SQL_DATETIME_SUB);
    if (!SQL_SUCCEEDED(::SQLFetch(hstmt)))
        return FALSE;
    info.nSearchable = searchable.Value();
    info.nNullable = nullable.Value();
    info.nSqlDataType = sqlDataType.Value();
    info.nDatetimeSub = datetimeSub.Value();
    return TRUE;
}

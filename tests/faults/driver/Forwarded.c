// The entry points that go straight to the real driver: each is one counted
// call on its handle, which the chosen call fails.
#include "FaultDriver.h"

// "on" names the handle the call is made on: its type and the handle; the
// call fails, not handed on, too when "fails" is non-zero.
#define FORWARD_UNLESS(name, fails, params, args, ...)                              \
    SQLRETURN SQL_API name params                                                   \
    {                                                                               \
        static SQLRETURN (*s_pfnReal) params;                                       \
        if (s_pfnReal == NULL)                                                      \
            s_pfnReal = (SQLRETURN (*) params)RealFunction(#name);                  \
        if (FaultBeginCall(__VA_ARGS__, #name) || (fails) || s_pfnReal == NULL)     \
            return SQL_ERROR;                                                       \
        return s_pfnReal args;                                                      \
    }
#define FORWARD(name, on, params, args) FORWARD_UNLESS(name, 0, params, args, on)
// A catalog call of a busy data source first waits, and fails when cancelled.
#define FORWARD_CATALOG(name, params, args) \
    FORWARD_UNLESS(name, FaultSlowCallCancelled(StatementHandle), params, args, ON_STMT(StatementHandle))

#define ON(nType, h) nType, h
#define ON_ENV(h) SQL_HANDLE_ENV, h
#define ON_DBC(h) SQL_HANDLE_DBC, h
#define ON_STMT(h) SQL_HANDLE_STMT, h
#define ON_DESC(h) SQL_HANDLE_DESC, h

FORWARD(SQLBindParam, ON_STMT(StatementHandle),
        (SQLHSTMT StatementHandle, SQLUSMALLINT ParameterNumber, SQLSMALLINT ValueType, SQLSMALLINT ParameterType,
         SQLULEN LengthPrecision, SQLSMALLINT ParameterScale, SQLPOINTER ParameterValue, SQLLEN* StrLen_or_Ind),
        (StatementHandle, ParameterNumber, ValueType, ParameterType, LengthPrecision, ParameterScale, ParameterValue,
         StrLen_or_Ind))
FORWARD(SQLBindParameter, ON_STMT(hstmt),
        (SQLHSTMT hstmt, SQLUSMALLINT ipar, SQLSMALLINT fParamType, SQLSMALLINT fCType, SQLSMALLINT fSqlType,
         SQLULEN cbColDef, SQLSMALLINT ibScale, SQLPOINTER rgbValue, SQLLEN cbValueMax, SQLLEN* pcbValue),
        (hstmt, ipar, fParamType, fCType, fSqlType, cbColDef, ibScale, rgbValue, cbValueMax, pcbValue))
FORWARD(SQLBrowseConnect, ON_DBC(hdbc),
        (SQLHDBC hdbc, SQLCHAR* szConnStrIn, SQLSMALLINT cbConnStrIn, SQLCHAR* szConnStrOut,
         SQLSMALLINT cbConnStrOutMax, SQLSMALLINT* pcbConnStrOut),
        (hdbc, szConnStrIn, cbConnStrIn, szConnStrOut, cbConnStrOutMax, pcbConnStrOut))
FORWARD(SQLBulkOperations, ON_STMT(StatementHandle), (SQLHSTMT StatementHandle, SQLSMALLINT Operation),
        (StatementHandle, Operation))
FORWARD(SQLCloseCursor, ON_STMT(StatementHandle), (SQLHSTMT StatementHandle), (StatementHandle))
FORWARD(SQLColAttribute, ON_STMT(StatementHandle),
        (SQLHSTMT StatementHandle, SQLUSMALLINT ColumnNumber, SQLUSMALLINT FieldIdentifier,
         SQLPOINTER CharacterAttribute, SQLSMALLINT BufferLength, SQLSMALLINT* StringLength,
         SQLLEN* NumericAttribute),
        (StatementHandle, ColumnNumber, FieldIdentifier, CharacterAttribute, BufferLength, StringLength,
         NumericAttribute))
FORWARD(SQLColAttributes, ON_STMT(hstmt),
        (SQLHSTMT hstmt, SQLUSMALLINT icol, SQLUSMALLINT fDescType, SQLPOINTER rgbDesc, SQLSMALLINT cbDescMax,
         SQLSMALLINT* pcbDesc, SQLLEN* pfDesc),
        (hstmt, icol, fDescType, rgbDesc, cbDescMax, pcbDesc, pfDesc))
FORWARD(SQLColumnPrivileges, ON_STMT(hstmt),
        (SQLHSTMT hstmt, SQLCHAR* szCatalogName, SQLSMALLINT cbCatalogName, SQLCHAR* szSchemaName,
         SQLSMALLINT cbSchemaName, SQLCHAR* szTableName, SQLSMALLINT cbTableName, SQLCHAR* szColumnName,
         SQLSMALLINT cbColumnName),
        (hstmt, szCatalogName, cbCatalogName, szSchemaName, cbSchemaName, szTableName, cbTableName, szColumnName,
         cbColumnName))
FORWARD_CATALOG(SQLColumns,
        (SQLHSTMT StatementHandle, SQLCHAR* CatalogName, SQLSMALLINT NameLength1, SQLCHAR* SchemaName,
         SQLSMALLINT NameLength2, SQLCHAR* TableName, SQLSMALLINT NameLength3, SQLCHAR* ColumnName,
         SQLSMALLINT NameLength4),
        (StatementHandle, CatalogName, NameLength1, SchemaName, NameLength2, TableName, NameLength3, ColumnName,
         NameLength4))
FORWARD(SQLConnect, ON_DBC(ConnectionHandle),
        (SQLHDBC ConnectionHandle, SQLCHAR* ServerName, SQLSMALLINT NameLength1, SQLCHAR* UserName,
         SQLSMALLINT NameLength2, SQLCHAR* Authentication, SQLSMALLINT NameLength3),
        (ConnectionHandle, ServerName, NameLength1, UserName, NameLength2, Authentication, NameLength3))
FORWARD(SQLCopyDesc, ON_DESC(TargetDescHandle), (SQLHDESC SourceDescHandle, SQLHDESC TargetDescHandle),
        (SourceDescHandle, TargetDescHandle))
FORWARD(SQLDataSources, ON_ENV(EnvironmentHandle),
        (SQLHENV EnvironmentHandle, SQLUSMALLINT Direction, SQLCHAR* ServerName, SQLSMALLINT BufferLength1,
         SQLSMALLINT* NameLength1, SQLCHAR* Description, SQLSMALLINT BufferLength2, SQLSMALLINT* NameLength2),
        (EnvironmentHandle, Direction, ServerName, BufferLength1, NameLength1, Description, BufferLength2,
         NameLength2))
FORWARD(SQLDescribeCol, ON_STMT(StatementHandle),
        (SQLHSTMT StatementHandle, SQLUSMALLINT ColumnNumber, SQLCHAR* ColumnName, SQLSMALLINT BufferLength,
         SQLSMALLINT* NameLength, SQLSMALLINT* DataType, SQLULEN* ColumnSize, SQLSMALLINT* DecimalDigits,
         SQLSMALLINT* Nullable),
        (StatementHandle, ColumnNumber, ColumnName, BufferLength, NameLength, DataType, ColumnSize, DecimalDigits,
         Nullable))
FORWARD(SQLDescribeParam, ON_STMT(hstmt),
        (SQLHSTMT hstmt, SQLUSMALLINT ipar, SQLSMALLINT* pfSqlType, SQLULEN* pcbParamDef, SQLSMALLINT* pibScale,
         SQLSMALLINT* pfNullable),
        (hstmt, ipar, pfSqlType, pcbParamDef, pibScale, pfNullable))
FORWARD(SQLDrivers, ON_ENV(henv),
        (SQLHENV henv, SQLUSMALLINT fDirection, SQLCHAR* szDriverDesc, SQLSMALLINT cbDriverDescMax,
         SQLSMALLINT* pcbDriverDesc, SQLCHAR* szDriverAttributes, SQLSMALLINT cbDrvrAttrMax, SQLSMALLINT* pcbDrvrAttr),
        (henv, fDirection, szDriverDesc, cbDriverDescMax, pcbDriverDesc, szDriverAttributes, cbDrvrAttrMax,
         pcbDrvrAttr))
FORWARD(SQLEndTran, ON(HandleType, Handle), (SQLSMALLINT HandleType, SQLHANDLE Handle, SQLSMALLINT CompletionType),
        (HandleType, Handle, CompletionType))
FORWARD(SQLExecute, ON_STMT(StatementHandle), (SQLHSTMT StatementHandle), (StatementHandle))
FORWARD(SQLForeignKeys, ON_STMT(hstmt),
        (SQLHSTMT hstmt, SQLCHAR* szPkCatalogName, SQLSMALLINT cbPkCatalogName, SQLCHAR* szPkSchemaName,
         SQLSMALLINT cbPkSchemaName, SQLCHAR* szPkTableName, SQLSMALLINT cbPkTableName, SQLCHAR* szFkCatalogName,
         SQLSMALLINT cbFkCatalogName, SQLCHAR* szFkSchemaName, SQLSMALLINT cbFkSchemaName, SQLCHAR* szFkTableName,
         SQLSMALLINT cbFkTableName),
        (hstmt, szPkCatalogName, cbPkCatalogName, szPkSchemaName, cbPkSchemaName, szPkTableName, cbPkTableName,
         szFkCatalogName, cbFkCatalogName, szFkSchemaName, cbFkSchemaName, szFkTableName, cbFkTableName))
FORWARD(SQLGetConnectAttr, ON_DBC(ConnectionHandle),
        (SQLHDBC ConnectionHandle, SQLINTEGER Attribute, SQLPOINTER Value, SQLINTEGER BufferLength,
         SQLINTEGER* StringLength),
        (ConnectionHandle, Attribute, Value, BufferLength, StringLength))
FORWARD(SQLGetConnectOption, ON_DBC(ConnectionHandle),
        (SQLHDBC ConnectionHandle, SQLUSMALLINT Option, SQLPOINTER Value), (ConnectionHandle, Option, Value))
FORWARD(SQLGetCursorName, ON_STMT(StatementHandle),
        (SQLHSTMT StatementHandle, SQLCHAR* CursorName, SQLSMALLINT BufferLength, SQLSMALLINT* NameLength),
        (StatementHandle, CursorName, BufferLength, NameLength))
FORWARD(SQLGetDescField, ON_DESC(DescriptorHandle),
        (SQLHDESC DescriptorHandle, SQLSMALLINT RecNumber, SQLSMALLINT FieldIdentifier, SQLPOINTER Value,
         SQLINTEGER BufferLength, SQLINTEGER* StringLength),
        (DescriptorHandle, RecNumber, FieldIdentifier, Value, BufferLength, StringLength))
FORWARD(SQLGetDescRec, ON_DESC(DescriptorHandle),
        (SQLHDESC DescriptorHandle, SQLSMALLINT RecNumber, SQLCHAR* Name, SQLSMALLINT BufferLength,
         SQLSMALLINT* StringLength, SQLSMALLINT* Type, SQLSMALLINT* SubType, SQLLEN* Length, SQLSMALLINT* Precision,
         SQLSMALLINT* Scale, SQLSMALLINT* Nullable),
        (DescriptorHandle, RecNumber, Name, BufferLength, StringLength, Type, SubType, Length, Precision, Scale,
         Nullable))
FORWARD(SQLGetEnvAttr, ON_ENV(EnvironmentHandle),
        (SQLHENV EnvironmentHandle, SQLINTEGER Attribute, SQLPOINTER Value, SQLINTEGER BufferLength,
         SQLINTEGER* StringLength),
        (EnvironmentHandle, Attribute, Value, BufferLength, StringLength))
FORWARD(SQLGetFunctions, ON_DBC(ConnectionHandle),
        (SQLHDBC ConnectionHandle, SQLUSMALLINT FunctionId, SQLUSMALLINT* Supported),
        (ConnectionHandle, FunctionId, Supported))
FORWARD(SQLGetInfo, ON_DBC(ConnectionHandle),
        (SQLHDBC ConnectionHandle, SQLUSMALLINT InfoType, SQLPOINTER InfoValue, SQLSMALLINT BufferLength,
         SQLSMALLINT* StringLength),
        (ConnectionHandle, InfoType, InfoValue, BufferLength, StringLength))
FORWARD(SQLGetStmtAttr, ON_STMT(StatementHandle),
        (SQLHSTMT StatementHandle, SQLINTEGER Attribute, SQLPOINTER Value, SQLINTEGER BufferLength,
         SQLINTEGER* StringLength),
        (StatementHandle, Attribute, Value, BufferLength, StringLength))
FORWARD(SQLGetStmtOption, ON_STMT(StatementHandle),
        (SQLHSTMT StatementHandle, SQLUSMALLINT Option, SQLPOINTER Value), (StatementHandle, Option, Value))
FORWARD(SQLMoreResults, ON_STMT(hstmt), (SQLHSTMT hstmt), (hstmt))
FORWARD(SQLNativeSql, ON_DBC(hdbc),
        (SQLHDBC hdbc, SQLCHAR* szSqlStrIn, SQLINTEGER cbSqlStrIn, SQLCHAR* szSqlStr, SQLINTEGER cbSqlStrMax,
         SQLINTEGER* pcbSqlStr),
        (hdbc, szSqlStrIn, cbSqlStrIn, szSqlStr, cbSqlStrMax, pcbSqlStr))
FORWARD(SQLNumParams, ON_STMT(hstmt), (SQLHSTMT hstmt, SQLSMALLINT* pcpar), (hstmt, pcpar))
FORWARD(SQLNumResultCols, ON_STMT(StatementHandle), (SQLHSTMT StatementHandle, SQLSMALLINT* ColumnCount),
        (StatementHandle, ColumnCount))
FORWARD(SQLParamData, ON_STMT(StatementHandle), (SQLHSTMT StatementHandle, SQLPOINTER* Value),
        (StatementHandle, Value))
FORWARD(SQLParamOptions, ON_STMT(hstmt), (SQLHSTMT hstmt, SQLULEN crow, SQLULEN* pirow), (hstmt, crow, pirow))
FORWARD(SQLPrepare, ON_STMT(StatementHandle),
        (SQLHSTMT StatementHandle, SQLCHAR* StatementText, SQLINTEGER TextLength),
        (StatementHandle, StatementText, TextLength))
FORWARD(SQLPrimaryKeys, ON_STMT(hstmt),
        (SQLHSTMT hstmt, SQLCHAR* szCatalogName, SQLSMALLINT cbCatalogName, SQLCHAR* szSchemaName,
         SQLSMALLINT cbSchemaName, SQLCHAR* szTableName, SQLSMALLINT cbTableName),
        (hstmt, szCatalogName, cbCatalogName, szSchemaName, cbSchemaName, szTableName, cbTableName))
FORWARD(SQLProcedureColumns, ON_STMT(hstmt),
        (SQLHSTMT hstmt, SQLCHAR* szCatalogName, SQLSMALLINT cbCatalogName, SQLCHAR* szSchemaName,
         SQLSMALLINT cbSchemaName, SQLCHAR* szProcName, SQLSMALLINT cbProcName, SQLCHAR* szColumnName,
         SQLSMALLINT cbColumnName),
        (hstmt, szCatalogName, cbCatalogName, szSchemaName, cbSchemaName, szProcName, cbProcName, szColumnName,
         cbColumnName))
FORWARD(SQLProcedures, ON_STMT(hstmt),
        (SQLHSTMT hstmt, SQLCHAR* szCatalogName, SQLSMALLINT cbCatalogName, SQLCHAR* szSchemaName,
         SQLSMALLINT cbSchemaName, SQLCHAR* szProcName, SQLSMALLINT cbProcName),
        (hstmt, szCatalogName, cbCatalogName, szSchemaName, cbSchemaName, szProcName, cbProcName))
FORWARD(SQLPutData, ON_STMT(StatementHandle), (SQLHSTMT StatementHandle, SQLPOINTER Data, SQLLEN StrLen_or_Ind),
        (StatementHandle, Data, StrLen_or_Ind))
FORWARD(SQLRowCount, ON_STMT(StatementHandle), (SQLHSTMT StatementHandle, SQLLEN* RowCount),
        (StatementHandle, RowCount))
FORWARD(SQLSetConnectAttr, ON_DBC(ConnectionHandle),
        (SQLHDBC ConnectionHandle, SQLINTEGER Attribute, SQLPOINTER Value, SQLINTEGER StringLength),
        (ConnectionHandle, Attribute, Value, StringLength))
FORWARD(SQLSetConnectOption, ON_DBC(ConnectionHandle),
        (SQLHDBC ConnectionHandle, SQLUSMALLINT Option, SQLULEN Value), (ConnectionHandle, Option, Value))
FORWARD(SQLSetCursorName, ON_STMT(StatementHandle),
        (SQLHSTMT StatementHandle, SQLCHAR* CursorName, SQLSMALLINT NameLength),
        (StatementHandle, CursorName, NameLength))
FORWARD(SQLSetDescField, ON_DESC(DescriptorHandle),
        (SQLHDESC DescriptorHandle, SQLSMALLINT RecNumber, SQLSMALLINT FieldIdentifier, SQLPOINTER Value,
         SQLINTEGER BufferLength),
        (DescriptorHandle, RecNumber, FieldIdentifier, Value, BufferLength))
FORWARD(SQLSetDescRec, ON_DESC(DescriptorHandle),
        (SQLHDESC DescriptorHandle, SQLSMALLINT RecNumber, SQLSMALLINT Type, SQLSMALLINT SubType, SQLLEN Length,
         SQLSMALLINT Precision, SQLSMALLINT Scale, SQLPOINTER Data, SQLLEN* StringLength, SQLLEN* Indicator),
        (DescriptorHandle, RecNumber, Type, SubType, Length, Precision, Scale, Data, StringLength, Indicator))
FORWARD(SQLSetEnvAttr, ON_ENV(EnvironmentHandle),
        (SQLHENV EnvironmentHandle, SQLINTEGER Attribute, SQLPOINTER Value, SQLINTEGER StringLength),
        (EnvironmentHandle, Attribute, Value, StringLength))
FORWARD(SQLSetParam, ON_STMT(StatementHandle),
        (SQLHSTMT StatementHandle, SQLUSMALLINT ParameterNumber, SQLSMALLINT ValueType, SQLSMALLINT ParameterType,
         SQLULEN LengthPrecision, SQLSMALLINT ParameterScale, SQLPOINTER ParameterValue, SQLLEN* StrLen_or_Ind),
        (StatementHandle, ParameterNumber, ValueType, ParameterType, LengthPrecision, ParameterScale, ParameterValue,
         StrLen_or_Ind))
FORWARD(SQLSetPos, ON_STMT(hstmt), (SQLHSTMT hstmt, SQLSETPOSIROW irow, SQLUSMALLINT fOption, SQLUSMALLINT fLock),
        (hstmt, irow, fOption, fLock))
FORWARD(SQLSetScrollOptions, ON_STMT(hstmt),
        (SQLHSTMT hstmt, SQLUSMALLINT fConcurrency, SQLLEN crowKeyset, SQLUSMALLINT crowRowset),
        (hstmt, fConcurrency, crowKeyset, crowRowset))
FORWARD(SQLSetStmtAttr, ON_STMT(StatementHandle),
        (SQLHSTMT StatementHandle, SQLINTEGER Attribute, SQLPOINTER Value, SQLINTEGER StringLength),
        (StatementHandle, Attribute, Value, StringLength))
FORWARD(SQLSetStmtOption, ON_STMT(StatementHandle),
        (SQLHSTMT StatementHandle, SQLUSMALLINT Option, SQLULEN Value), (StatementHandle, Option, Value))
FORWARD(SQLSpecialColumns, ON_STMT(StatementHandle),
        (SQLHSTMT StatementHandle, SQLUSMALLINT IdentifierType, SQLCHAR* CatalogName, SQLSMALLINT NameLength1,
         SQLCHAR* SchemaName, SQLSMALLINT NameLength2, SQLCHAR* TableName, SQLSMALLINT NameLength3,
         SQLUSMALLINT Scope, SQLUSMALLINT Nullable),
        (StatementHandle, IdentifierType, CatalogName, NameLength1, SchemaName, NameLength2, TableName, NameLength3,
         Scope, Nullable))
FORWARD(SQLStatistics, ON_STMT(StatementHandle),
        (SQLHSTMT StatementHandle, SQLCHAR* CatalogName, SQLSMALLINT NameLength1, SQLCHAR* SchemaName,
         SQLSMALLINT NameLength2, SQLCHAR* TableName, SQLSMALLINT NameLength3, SQLUSMALLINT Unique,
         SQLUSMALLINT Reserved),
        (StatementHandle, CatalogName, NameLength1, SchemaName, NameLength2, TableName, NameLength3, Unique,
         Reserved))
FORWARD(SQLTablePrivileges, ON_STMT(hstmt),
        (SQLHSTMT hstmt, SQLCHAR* szCatalogName, SQLSMALLINT cbCatalogName, SQLCHAR* szSchemaName,
         SQLSMALLINT cbSchemaName, SQLCHAR* szTableName, SQLSMALLINT cbTableName),
        (hstmt, szCatalogName, cbCatalogName, szSchemaName, cbSchemaName, szTableName, cbTableName))
FORWARD_CATALOG(SQLTables,
        (SQLHSTMT StatementHandle, SQLCHAR* CatalogName, SQLSMALLINT NameLength1, SQLCHAR* SchemaName,
         SQLSMALLINT NameLength2, SQLCHAR* TableName, SQLSMALLINT NameLength3, SQLCHAR* TableType,
         SQLSMALLINT NameLength4),
        (StatementHandle, CatalogName, NameLength1, SchemaName, NameLength2, TableName, NameLength3, TableType,
         NameLength4))
FORWARD(SQLTransact,
        ON(ConnectionHandle ? SQL_HANDLE_DBC : SQL_HANDLE_ENV, ConnectionHandle ? ConnectionHandle : EnvironmentHandle),
        (SQLHENV EnvironmentHandle, SQLHDBC ConnectionHandle, SQLUSMALLINT CompletionType),
        (EnvironmentHandle, ConnectionHandle, CompletionType))

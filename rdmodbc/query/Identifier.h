#pragma once
// Names of the data source as they go into SQL text, quoted with the quote
// character that the data source's driver reports: the grave accent for the
// data sources of old and MariaDB, the double quote for most servers, none
// for a driver that quotes no names.
#include "framework/SqlDialect.h"

// The name with each "." inside it closing and reopening the quotes, so
// that every part of a qualified name is quoted by itself: `ORDERS`.`QTY`.
// A quote character inside a part is doubled, so no name can end its
// quoting. Without a quote character the name goes in as it is.
CString QuoteIdentifier(const CString& strName, const CString& strQuote);
// The name quoted as one identifier, a "." included: a table name.
CString QuoteWholeIdentifier(const CString& strName, const CString& strQuote);

// A table of another schema than the one a bare name means is named with
// its schema, in SQL and to the user alike.
BOOL IsInOtherSchema(const CString& strSchema, const SqlDialect& dialect);
// The table as the statement names it: the name quoted whole, behind its
// quoted schema where that is another schema.
CString QuoteTableName(const CString& strSchema, const CString& strTable, const SqlDialect& dialect);
// The table as the user sees it: "archive.orders" for a table of another
// schema, the bare name otherwise.
CString TableDisplayName(const CString& strSchema, const CString& strTable, const SqlDialect& dialect);

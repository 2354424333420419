#pragma once
// Names of the data source as they go into SQL text, quoted with the quote
// character that the data source's driver reports: the grave accent for the
// data sources of old and MariaDB, the double quote for most servers, none
// for a driver that quotes no names.
#include "framework/CString.h"

// The name with each "." inside it closing and reopening the quotes, so
// that every part of a qualified name is quoted by itself: `ORDERS`.`QTY`.
// A quote character inside a part is doubled, so no name can end its
// quoting. Without a quote character the name goes in as it is.
CString QuoteIdentifier(const CString& strName, const CString& strQuote);
// The name quoted as one identifier, a "." included: a table name.
CString QuoteWholeIdentifier(const CString& strName, const CString& strQuote);

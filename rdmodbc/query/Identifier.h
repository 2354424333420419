#pragma once
// Names of the data source as they go into SQL text.
#include "framework/CString.h"

// `name` with each "." inside it closing and reopening the quotes, so that
// every part of a qualified name is quoted by itself: `ORDERS`.`QTY`.
// A grave accent inside a part is doubled, so no name can end its quoting.
CString QuoteIdentifier(const CString& strName);
// The name quoted as one identifier, a "." included: a table name.
CString QuoteWholeIdentifier(const CString& strName);

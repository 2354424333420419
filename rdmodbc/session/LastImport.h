#pragma once
// The choices of the last import that opened, kept per user so that the
// next Open can offer them again: the data source and its kind, the table,
// the four fields, the conditions as what they were made of, and the
// order. A condition's SQL is not kept: the next Open writes it anew by the
// rules of the engine it connects to then. No connect string is kept, and
// so no password: the driver asks again for what the data source lacks, as
// it does the first time.
#include "framework/SqlDialect.h"
#include "query/ImportChoices.h"

#include <string>

struct LastImport
{
    ImportChoices choices;
    // How the engine read SQL text when the typed conditions were written;
    // not known from an older value.
    BOOL          bReadingKnown = FALSE;
    SqlDialect    reading;
};

// The choices as the registry keeps them: a list of "name=value" texts,
// each ended by a NUL, and one NUL more (REG_MULTI_SZ), the version first.
// "" when a text holds a NUL, which the list cannot carry.
std::string EncodeLastImport(const LastImport& last);
// The choices from such a list, also of the version before, whose
// conditions are their written SQL; FALSE for anything else (cut, damaged,
// of a later version), and then last is not to be used.
BOOL DecodeLastImport(const std::string& list, LastImport& last);

// Under HKEY_CURRENT_USER\SOFTWARE\KAVEX\RDMODBC, value "LastImport", beside
// the language key. A value that is missing, of another type, longer than
// any import writes or that does not decode is no last import: FALSE, and
// the user starts afresh.
void SaveLastImport(const LastImport& last);
BOOL LoadLastImport(LastImport& last);

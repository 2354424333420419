#pragma once
// How the connected engine reads the text of a statement: what quotes a
// name, whether a backslash escapes inside a quoted text, which comments and
// other quotings it knows, and the schema a bare table name means. Learnt
// from the connection when it opens; every text of the user's goes into SQL
// by these rules only.
#include "CString.h"

// The engines whose reading of a statement is known in detail. Any other
// engine is read as standard SQL, and what some engine reads otherwise (a
// "#", a "$", a "[", a nested comment) is refused rather than guessed at.
enum SqlFamily
{
    sqlOtherFamily,
    sqlMySqlFamily,         // MySQL and MariaDB
    sqlPostgreSqlFamily,
    sqlSQLiteFamily,
};

struct SqlDialect
{
    // The driver's identifier quote character; "" when it quotes no names.
    CString   strIdentifierQuote = "`";
    // A backslash inside '...' escapes the character after it (MySQL's
    // default mode, PostgreSQL without standard-conforming strings).
    BOOL      bBackslashEscapes = FALSE;
    // FALSE when the engine's reading of a backslash could not be asked, or
    // its character set for the connection is not the code page's: a byte
    // that either reads otherwise than the module takes it (a backslash, a
    // first byte of a character) must not stand beside a quote.
    BOOL      bReadingMeasured = TRUE;
    SqlFamily family = sqlOtherFamily;
    // The schema that a bare table name names; "" when the engine has none
    // or does not tell. A table of another schema is named with its schema.
    CString   strDefaultSchema;
};

// Both read the text of a statement alike: the same names quoted, the same
// escapes and comments.
inline BOOL ReadsTextAlike(const SqlDialect& first, const SqlDialect& second)
{
    return first.strIdentifierQuote == second.strIdentifierQuote
        && first.bBackslashEscapes == second.bBackslashEscapes && first.family == second.family
        && first.bReadingMeasured == second.bReadingMeasured;
}

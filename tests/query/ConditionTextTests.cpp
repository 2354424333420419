#include "query/Comparison.h"
#include "query/Condition.h"
#include "query/Identifier.h"
#include "query/Literal.h"
#include "query/SqlCheck.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <sqlext.h>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
    struct Texts
    {
        ConditionResult result;
        std::string display;
        std::string filter;
    };

    SqlDialect Dialect(const char* quote, SqlFamily family = sqlOtherFamily, BOOL bBackslashEscapes = FALSE)
    {
        SqlDialect dialect;
        dialect.strIdentifierQuote = quote;
        dialect.family = family;
        dialect.bBackslashEscapes = bBackslashEscapes;
        return dialect;
    }

    // A condition on a column of that name and type, quoted as drivers that
    // quote with the grave accent do (or with the quote given).
    Texts Compose(const char* column, int sqlDataType, ConditionOperator op, const char* v1, const char* v2, bool negate = false,
                  int datetimeSub = 0, const char* quote = "`")
    {
        ColumnInfo info;
        info.name = (char*)column;
        info.sqlDataType = sqlDataType;
        info.datetimeSub = datetimeSub;
        CString display = "stale", filter = "stale";
        ConditionResult result = ComposeCondition(info, Dialect(quote), op, v1, v2, negate, display, filter);
        return {result, display.Str(), filter.Str()};
    }
}

TEST(ConditionText, WritesEveryExampleExactly)
{
    struct Case { const char* column; int type; ConditionOperator op; bool negate; const char* v1; const char* v2;
                  const char* filter; const char* display; };
    const Case cases[] = {
        {"QTY",  SQL_INTEGER, opBetweenInclusive, false, "5", "10",
         "(`QTY`>=5) AND (`QTY`<=10)", nullptr},
        {"QTY",  SQL_INTEGER, opBetweenExclusive, false, "", "100", "(`QTY`<100)", nullptr},
        {"NAME", SQL_VARCHAR, opEqual, false, "it's", "ignored", "(`NAME`='it''s')", nullptr},
        {"NAME", SQL_VARCHAR, opLike, false, "Sm%", "ignored", "`NAME` LIKE 'Sm%' ESCAPE '!'",
         "`NAME` LIKE 'Sm%'"},
        {"BORN", SQL_DATETIME, opFromInclToExcl, false, "2003-02-01", "2003-12-31",
         "(`BORN`>={d '2003-02-01'}) AND (`BORN`<{d '2003-12-31'})",
         "(`BORN`>=\"2003-02-01\") AND (`BORN`<\"2003-12-31\")"},
        {"PAID", SQL_BIT, opFalse, false, "", "", "NOT `PAID`", nullptr},
        {"NOTE", SQL_LONGVARCHAR, opIsNull, true, "", "", "NOT (`NOTE` IS NULL)", nullptr},
        {"QTY",  SQL_INTEGER, opBetweenInclusive, true, "5", "10",
         "NOT ((`QTY`>=5) AND (`QTY`<=10))", nullptr},
    };
    for (const Case& c : cases)
    {
        Texts texts = Compose(c.column, c.type, c.op, c.v1, c.v2, c.negate);
        EXPECT_EQ(conditionComposed, texts.result) << c.filter;
        EXPECT_EQ(c.filter, texts.filter);
        EXPECT_EQ(c.display ? c.display : c.filter, texts.display);
    }
}

TEST(ConditionText, WritesTheValueAsTheColumnTypeRequires)
{
    enum Kind { none, unquoted, date, quoted };
    struct Case { int type; Kind kind; };
    const Case cases[] = {
        {SQL_GUID, quoted}, {SQL_WLONGVARCHAR, quoted}, {SQL_WVARCHAR, quoted}, {SQL_WCHAR, quoted}, {SQL_BIT, none},
        {SQL_TINYINT, unquoted}, {SQL_BIGINT, unquoted}, {SQL_LONGVARBINARY, unquoted}, {SQL_VARBINARY, unquoted}, {SQL_BINARY, unquoted},
        {SQL_LONGVARCHAR, quoted}, {SQL_UNKNOWN_TYPE, quoted}, {SQL_CHAR, quoted},
        {SQL_NUMERIC, unquoted}, {SQL_DECIMAL, unquoted}, {SQL_INTEGER, unquoted}, {SQL_SMALLINT, unquoted}, {SQL_FLOAT, unquoted}, {SQL_REAL, unquoted}, {SQL_DOUBLE, unquoted},
        {SQL_DATETIME, date}, {SQL_INTERVAL, unquoted}, {SQL_TIMESTAMP, quoted}, {SQL_VARCHAR, quoted}, {SQL_TYPE_DATE, quoted}, {SQL_TYPE_TIME, quoted}, {SQL_TYPE_TIMESTAMP, quoted},
    };
    for (const Case& c : cases)
    {
        CString display = "kept", filter = "kept";
        // A number's value must be one.
        const char* pszValue = c.kind == unquoted ? "2003" : "2003-02-01";
        EXPECT_EQ(conditionComposed,
                  FormatComparison(c.type, 0, "`D`", pszValue, "", "=", "", Dialect("`"), display, filter));
        switch (c.kind)
        {
        case none:
            EXPECT_STREQ("kept", display) << c.type;
            EXPECT_STREQ("kept", filter) << c.type;
            break;
        case unquoted:
            EXPECT_STREQ("(`D`=2003)", display) << c.type;
            EXPECT_STREQ("(`D`=2003)", filter) << c.type;
            break;
        case date:
            EXPECT_STREQ("(`D`=\"2003-02-01\")", display) << c.type;
            EXPECT_STREQ("(`D`={d '2003-02-01'})", filter) << c.type;
            break;
        case quoted:
            EXPECT_STREQ("(`D`='2003-02-01')", display) << c.type;
            EXPECT_STREQ("(`D`='2003-02-01')", filter) << c.type;
            break;
        }
    }
}

TEST(ConditionText, ComparesABitColumnToNothing)
{
    Texts texts = Compose("PAID", SQL_BIT, opEqual, "1", "");
    EXPECT_EQ(conditionComposed, texts.result);
    EXPECT_EQ("", texts.display);
    EXPECT_EQ("", texts.filter);
    EXPECT_EQ("", Compose("PAID", SQL_BIT, opBetweenExclusive, "0", "1", true).filter) << "nothing to negate";
    EXPECT_EQ("`PAID`", Compose("PAID", SQL_BIT, opTrue, "", "").filter);
}

TEST(ConditionText, DoublesSingleQuotesButNotDoubleQuotes)
{
    EXPECT_EQ("(`N`>'O''Brien') AND (`N`<'it''''s')",
              Compose("N", SQL_VARCHAR, opBetweenExclusive, "O'Brien", "it''s").filter);
    EXPECT_EQ("`N` LIKE '%''%' ESCAPE '!'", Compose("N", SQL_CHAR, opLike, "%'%", "").filter);
    EXPECT_EQ("(`N`='say \"hi\"')", Compose("N", SQL_CHAR, opEqual, "say \"hi\"", "").filter);
    EXPECT_EQ("(`N`=-12.5e3)", Compose("N", SQL_INTEGER, opEqual, "-12.5e3", "").filter) << "numbers go in as typed";

    Texts date = Compose("D", SQL_DATETIME, opEqual, "2003-02-01", "");
    EXPECT_EQ("(`D`=\"2003-02-01\")", date.display);
}

TEST(ConditionText, WritesTextsAndPatternsThatEachEngineReadsBackAsTyped)
{
    const SqlDialect mysql = Dialect("`", sqlMySqlFamily, TRUE);
    const SqlDialect standard = Dialect("\"", sqlPostgreSqlFamily);
    struct Case { const char* value; const char* mysql; const char* standard; };
    const Case texts[] = {
        {"it's",          "'it''s'",               "'it''s'"},
        {"C:\\temp\\",     "'C:\\\\temp\\\\'",        "'C:\\temp\\'"},
        {"\\' OR 1=1) #",  "'\\\\'' OR 1=1) #'",      "'\\'' OR 1=1) #'"},
        {"",              "''",                    "''"},
    };
    for (const Case& c : texts)
    {
        EXPECT_STREQ(c.mysql, QuoteText(c.value, mysql)) << c.value;
        EXPECT_STREQ(c.standard, QuoteText(c.value, standard)) << c.value;
        EXPECT_EQ(sqlTextSound, CheckSqlCondition(CString("x = ") + QuoteText(c.value, mysql), mysql)) << c.value;
        EXPECT_EQ(sqlTextSound, CheckSqlCondition(CString("x = ") + QuoteText(c.value, standard), standard)) << c.value;
    }
    EXPECT_STREQ("'C:\\\\temp%!!_' ESCAPE '!'", QuoteLikePattern("C:\\temp%!_", mysql));
    EXPECT_STREQ("'C:\\temp%!!_' ESCAPE '!'", QuoteLikePattern("C:\\temp%!_", standard));
}

TEST(SqlText, IsReadAsTheConnectedEngineReadsIt)
{
    const SqlDialect other = Dialect("\"");
    const SqlDialect mysql = Dialect("`", sqlMySqlFamily, TRUE);
    const SqlDialect mysqlPlain = Dialect("`", sqlMySqlFamily, FALSE);      // NO_BACKSLASH_ESCAPES
    const SqlDialect postgresql = Dialect("\"", sqlPostgreSqlFamily);
    const SqlDialect sqlite = Dialect("\"", sqlSQLiteFamily);
    // The backslash probe failed, or the connection's character set is not
    // the code page's.
    SqlDialect unsure = mysql;
    unsure.bReadingMeasured = FALSE;
    struct Case { const SqlDialect* dialect; const char* text; SqlTextFault fault; };
    const Case cases[] = {
        {&other, "a = 1 OR b = 'x;y'", sqlTextSound},
        {&other, "a = 1; DELETE FROM t", sqlTextSeparator},
        {&other, "1=0; COMMIT; DELETE FROM \"Customers\"; SELECT 1 WHERE 1=0", sqlTextSeparator},
        {&other, "name = 'it''s'", sqlTextSound},
        {&other, "name = 'it''s", sqlTextOpenText},
        {&other, "\"we;ird\"\"x\" = 1", sqlTextSound},
        {&other, "\"open = 1", sqlTextOpenName},
        {&other, "a = 1 -- it's a note", sqlTextSound},
        {&other, "a = 1 -- ; DELETE FROM t", sqlTextSeparator},          // a driver may not know the comment
        {&other, "a = 1 /* note */ AND b = 2", sqlTextSound},
        {&other, "a = 1 /* open", sqlTextOpenComment},
        {&other, "a = 1 /* x /* y */", sqlTextAmbiguous},                // nested or not, depending on the engine
        {&other, "a = 1\nDELETE FROM t", sqlTextLineBreak},
        {&other, "a = 1\r", sqlTextLineBreak},
        {&other, "a = 1\tOR b = 2", sqlTextSound},
        {&other, "a # b", sqlTextAmbiguous},
        {&other, "[a] = 1", sqlTextAmbiguous},
        {&other, "`a` = 1", sqlTextAmbiguous},
        {&other, "name = E'x\\' OR 1=1 --'", sqlTextAmbiguous},         // escapes on some engines
        {&other, "name = q'[x' OR 1=1 --]'", sqlTextAmbiguous},         // Oracle's quoting
        {&other, "name LIKE'x'", sqlTextSound},                         // a keyword's last letter
        {&mysql, "[a] = 1", sqlTextAmbiguous},                          // a name in MSSQL mode
        {&unsure, "name = '\xBF\\' OR 1=1 #'", sqlTextUnsureReading},   // GBK takes the backslash in
        {&unsure, "name = 'x\\' OR 1=1 #'", sqlTextUnsureReading},
        {&unsure, "name = '\xE9t\xE9'", sqlTextUnsureReading},
        {&unsure, "name = 'M\xFCller' OR path = 'C:\\x'", sqlTextSound},
        {&mysql, "name = 'it\\'s'", sqlTextSound},
        {&mysql, "name = 'x\\'; DELETE FROM t; -- '", sqlTextSound},     // all of it one text
        {&mysqlPlain, "name = 'x\\'; DELETE FROM t; -- '", sqlTextSeparator},
        {&mysql, "name = 'x\\", sqlTextOpenText},
        {&mysql, "a = 1 # note", sqlTextSound},
        {&mysql, "a = 1 #; DROP TABLE t", sqlTextSeparator},
        {&mysql, "a = 1--1", sqlTextSound},                             // two minus signs
        {&mysql, "a = 1 --", sqlTextSound},
        {&mysql, "a = 1 /*!50000 OR 1=1 */", sqlTextAmbiguous},
        {&mysql, "a = 1 /*M! OR 1=1 */", sqlTextAmbiguous},
        {&mysql, "name = \"C:\\\\x\"", sqlTextAmbiguous},                  // a text, or a name under ANSI_QUOTES
        {&mysqlPlain, "name = \"C:\\\\x\"", sqlTextSound},
        {&mysql, "name = \"x\"\"y\"", sqlTextSound},
        {&mysql, "`a;b` = 1", sqlTextSound},
        {&postgresql, "name = E'it\\'s'", sqlTextSound},
        {&postgresql, "name = E'x\\'; DELETE FROM t; --'", sqlTextSound},
        {&postgresql, "name = 'x\\'; DELETE FROM t; --'", sqlTextSeparator},
        {&postgresql, "nameE'x\\'; DELETE FROM t; --'", sqlTextSeparator},   // a name's last letter, then a plain text
        {&postgresql, "1E'\\' ' ; DELETE FROM t; SELECT '", sqlTextAmbiguous},
        {&postgresql, "$1E'\\' ' ; DELETE FROM t; SELECT '", sqlTextAmbiguous},
        {&postgresql, "name = $$a;b$$", sqlTextSound},
        {&postgresql, "name = $q$it's; done$q$", sqlTextSound},
        {&postgresql, "name = $q$open", sqlTextOpenText},
        {&postgresql, "a$b = 1; x", sqlTextSeparator},
        {&postgresql, "/* a /* b */ c */ a = 1", sqlTextSound},
        {&postgresql, "/* a /* b */ a = 1", sqlTextOpenComment},
        {&postgresql, "a # b = 1", sqlTextSound},                         // PostgreSQL's exclusive or
        {&sqlite, "[a;b] = 1", sqlTextSound},
        {&sqlite, "[open = 1", sqlTextOpenName},
        {&sqlite, "`x` = 1", sqlTextSound},
        {&sqlite, "$a(') ; DELETE FROM t; SELECT '", sqlTextAmbiguous},
        {&sqlite, "@x = 1", sqlTextAmbiguous},
        {&sqlite, "a = 1 /* x /* y */", sqlTextSound},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.fault, CheckSqlCondition(c.text, *c.dialect)) << c.text;

    struct Value { const char* text; SqlTextFault fault; };
    const Value values[] = {
        {"-12.5e3", sqlTextSound}, {"1 -- x", sqlTextComment}, {"1 /* x */", sqlTextComment},
        {"1; DROP TABLE t", sqlTextSeparator}, {"1 # x", sqlTextComment}, {"'1'", sqlTextSound},
    };
    for (const Value& v : values)
        EXPECT_EQ(v.fault, CheckSqlValue(v.text, mysql)) << v.text;
    EXPECT_EQ(conditionUnsafeValue, Compose("N", SQL_INTEGER, opEqual, "it's", "").result);
    EXPECT_EQ(conditionUnsafeValue, Compose("N", SQL_INTEGER, opBetweenInclusive, "1", "2; DROP TABLE t").result);

    // A value that goes in unquoted is a number, or binary data as 0x and
    // hexadecimal digits: nothing else can leave its parentheses.
    struct Unquoted { int type; const char* value; bool bComposed; };
    const Unquoted unquoted[] = {
        {SQL_INTEGER, "0) OR (1=1", false}, {SQL_INTEGER, "1 OR 1=1", false}, {SQL_INTEGER, "abs(-1)", false},
        {SQL_INTEGER, "-12", true},         {SQL_DOUBLE, " 3.5e-2 ", true},   {SQL_DOUBLE, ".5", true},
        {SQL_DECIMAL, "+7.", true},         {SQL_DOUBLE, "1e", false},        {SQL_DOUBLE, "-", false},
        {SQL_INTEGER, "0x10", false},       {SQL_VARBINARY, "0x0aFF", true},  {SQL_VARBINARY, "0x", false},
    };
    for (const Unquoted& u : unquoted)
        EXPECT_EQ(u.bComposed ? conditionComposed : conditionUnsafeValue,
                  Compose("N", u.type, opEqual, u.value, "").result) << u.type << " " << u.value;

    // Where the engine's reading is not known, a value is refused as a
    // typed text would be, with the reason.
    ColumnInfo name;
    name.name = (char*)"Name";
    name.sqlDataType = SQL_VARCHAR;
    CString display, filter;
    SqlTextFault fault = sqlTextSound;
    EXPECT_EQ(conditionUnsafeValue,
              ComposeCondition(name, unsure, opEqual, "\xBF\\') OR (1=1) #", "", FALSE, display, filter, &fault));
    EXPECT_EQ(sqlTextUnsureReading, fault);
    EXPECT_EQ(conditionComposed, ComposeCondition(name, unsure, opLike, "M\xFCller%", "", FALSE, display, filter));
}

// A character of a double-byte code page whose second byte is a grave
// accent or a backslash (\x83\x60 and \x83\x5C in code page 932) is one
// character, in a name, a text and a typed condition. The query_tests_cp932
// entry runs it under that code page.
TEST(DoubleByteText, TakesEachCharacterWhole)
{
    const char* pszCodePage = getenv("RDM_CODE_PAGE");
    if (pszCodePage == nullptr)
        GTEST_SKIP() << "runs under its code page only";
    ASSERT_EQ((UINT)atoi(pszCodePage), ::GetACP());
    const SqlDialect mysql = Dialect("`", sqlMySqlFamily, TRUE);
    struct Case { const char* column; const char* value; const char* filter; };
    const Case cases[] = {
        {"\x83\x60", "x", "(`\x83\x60`='x')"},
        {"\x83\x60`", "x", "(`\x83\x60```='x')"},
        {"T.\x83\x60", "\x83\x5C", "(`T`.`\x83\x60`='\x83\x5C')"},
        {"N", "\x83\x5C\\", "(`N`='\x83\x5C\\\\')"},
        {"N", "\x83'", "(`N`='?''')"},                                  // a first byte without its second
    };
    for (const Case& c : cases)
    {
        ColumnInfo column;
        column.name = (char*)c.column;
        column.sqlDataType = SQL_VARCHAR;
        CString display, filter;
        EXPECT_EQ(conditionComposed, ComposeCondition(column, mysql, opEqual, c.value, "", FALSE, display, filter))
            << c.column;
        EXPECT_STREQ(c.filter, filter) << c.column;
    }
    EXPECT_STREQ("`\x83\x60`", QuoteWholeIdentifier("\x83\x60", "`"));
    EXPECT_EQ(sqlTextSound, CheckSqlCondition("`\x83\x60` = '\x83\x5C'", mysql));
}

TEST(ConditionText, WritesOnlyTheEndOfARangeThatWasGiven)
{
    struct Case { ConditionOperator op; const char* v1; const char* v2; const char* text; };
    const Case cases[] = {
        {opBetweenExclusive, "1", "",  "(`Q`>1)"},
        {opBetweenExclusive, "",  "9", "(`Q`<9)"},
        {opFromInclToExcl, "1", "",  "(`Q`>=1)"},
        {opFromInclToExcl, "",  "9", "(`Q`<9)"},
        {opFromInclToExcl, "1", "9", "(`Q`>=1) AND (`Q`<9)"},
        {opFromExclToIncl, "1", "",  "(`Q`>1)"},
        {opFromExclToIncl, "",  "9", "(`Q`<=9)"},
        {opFromExclToIncl, "1", "9", "(`Q`>1) AND (`Q`<=9)"},
        {opBetweenInclusive, "",  "9", "(`Q`<=9)"},
        {opBetweenExclusive, " ", "",  ""},            // a blank is no number, and nothing is written
    };
    for (const Case& c : cases)
    {
        Texts texts = Compose("Q", SQL_INTEGER, c.op, c.v1, c.v2);
        EXPECT_EQ(c.text, texts.filter);
        EXPECT_EQ(c.text, texts.display);
    }
}

TEST(ConditionText, EqualIgnoresTheSecondField)
{
    EXPECT_EQ("(`Q`=3)", Compose("Q", SQL_INTEGER, opEqual, "3", "7").filter);
    EXPECT_EQ("(`N`='a')", Compose("N", SQL_VARCHAR, opEqual, "a", "b").display);
    EXPECT_EQ("(`D`=\"2003-02-01\")", Compose("D", SQL_DATETIME, opEqual, "2003-02-01", "2003-12-31").display);
    // A text left in the second field does not stand in for the first.
    EXPECT_EQ(conditionMissingValue, Compose("Q", SQL_INTEGER, opEqual, "", "7").result);
}

TEST(ConditionText, NegatesEveryConditionThatHasText)
{
    struct Case { const char* column; int type; ConditionOperator op; const char* v1; const char* v2; const char* text; };
    const Case cases[] = {
        {"Q", SQL_INTEGER,  opEqual,             "3",  "",  "NOT ((`Q`=3))"},
        {"Q", SQL_INTEGER,  opBetweenExclusive, "",   "9", "NOT ((`Q`<9))"},
        {"Q", SQL_INTEGER,  opFromInclToExcl, "1",  "9", "NOT ((`Q`>=1) AND (`Q`<9))"},
        {"Q", SQL_INTEGER,  opFromExclToIncl, "1",  "",  "NOT ((`Q`>1))"},
        {"B", SQL_BIT, opTrue,              "",   "",  "NOT (`B`)"},
        {"B", SQL_BIT, opFalse,             "",   "",  "NOT (NOT `B`)"},
        {"N", SQL_VARCHAR, opIsNull,           "",   "",  "NOT (`N` IS NULL)"},
    };
    for (const Case& c : cases)
    {
        Texts texts = Compose(c.column, c.type, c.op, c.v1, c.v2, true);
        EXPECT_EQ(c.text, texts.filter);
        EXPECT_EQ(c.text, texts.display);
    }
    Texts like = Compose("N", SQL_VARCHAR, opLike, "A%", "", true);
    EXPECT_EQ("NOT (`N` LIKE 'A%' ESCAPE '!')", like.filter);
    EXPECT_EQ("NOT (`N` LIKE 'A%')", like.display);
    Texts date = Compose("D", SQL_DATETIME, opBetweenInclusive, "2003-02-01", "", true);
    EXPECT_EQ("NOT ((`D`>=\"2003-02-01\"))", date.display);
    EXPECT_EQ("NOT ((`D`>={d '2003-02-01'}))", date.filter);
}

TEST(ConditionText, QuotesTheColumnPartByPartAsTheDriverQuotes)
{
    EXPECT_EQ("(`ORDERS`.`QTY`>=5)", Compose("ORDERS.QTY", SQL_INTEGER, opBetweenInclusive, "5", "").filter);
    EXPECT_EQ("`A`.`B` LIKE 'x' ESCAPE '!'", Compose("A.B", SQL_VARCHAR, opLike, "x", "").filter);
    EXPECT_EQ("`S`.`T`.`we``ird` IS NULL", Compose("S.T.we`ird", SQL_VARCHAR, opIsNull, "", "").filter);
    EXPECT_EQ("(\"Born On\">={d '2003-02-01'})",
              Compose("Born On", SQL_DATETIME, opBetweenInclusive, "2003-02-01", "", false, SQL_CODE_DATE, "\"")
                  .filter);
    EXPECT_EQ("NOT \"say \"\"no\"\"\"", Compose("say \"no\"", SQL_BIT, opFalse, "", "", false, 0, "\"").filter);
    EXPECT_EQ("Code IS NULL", Compose("Code", SQL_INTEGER, opIsNull, "", "", false, 0, "").filter)
        << "a driver that quotes no names";
}

TEST(ConditionText, AsksForTheMissingValue)
{
    struct Case { ConditionOperator op; const char* v1; const char* v2; };
    const Case cases[] = {
        {opLike, "", ""}, {opLike, "", "A%"},
        {opEqual, "", ""},
        {opBetweenExclusive, "", ""}, {opFromInclToExcl, "", ""},
        {opFromExclToIncl, "", ""}, {opBetweenInclusive, "", ""},
    };
    for (const Case& c : cases)
    {
        Texts texts = Compose("Q", SQL_INTEGER, c.op, c.v1, c.v2, true);
        EXPECT_EQ(conditionMissingValue, texts.result) << c.op;
        EXPECT_EQ("", texts.display) << c.op;
        EXPECT_EQ("", texts.filter) << c.op;
    }
    EXPECT_EQ(conditionComposed, Compose("Q", SQL_INTEGER, opIsNull, "", "").result) << "needs no value";
}

TEST(DateTimeLiteral, IsTheEscapeOfTheColumnsKindWhateverFormTheUserTyped)
{
    struct Case { const char* text; int sub; const char* literal; };
    const Case cases[] = {
        {"2003-02-01",             SQL_CODE_DATE,      "{d '2003-02-01'}"},
        {"2003-02-01 12:30:15",    SQL_CODE_DATE,      "{d '2003-02-01'}"},
        {"2003-02-01",             0,                  "{d '2003-02-01'}"},     // kind unknown: a date
        {"2003-02-01",             99,                 "{d '2003-02-01'}"},
        {"2003-02-01 07:05:09",    0,                  "{ts '2003-02-01 07:05:09'}"},   // kind unknown: the value tells
        {"12:30:15",               0,                  "{t '12:30:15'}"},
        {"2003-02-01 23:59:59.999", SQL_CODE_TIMESTAMP, "{ts '2003-02-01 23:59:59.999'}"},  // not the next day
        {"2003-02-01 07:05:09.25", SQL_CODE_TIMESTAMP, "{ts '2003-02-01 07:05:09.25'}"},
        {"12:30:00.6",             SQL_CODE_TIME,      "{t '12:30:00.6'}"},
        {"2003-02-01 07:05:09.25", SQL_CODE_DATE,      "{d '2003-02-01'}"},
        {"12:30:15",               SQL_CODE_TIME,      "{t '12:30:15'}"},
        {"2003-02-01 07:05:09",    SQL_CODE_TIME,      "{t '07:05:09'}"},
        {"2003-02-01 07:05:09",    SQL_CODE_TIMESTAMP, "{ts '2003-02-01 07:05:09'}"},
        {"2003-02-01",             SQL_CODE_TIMESTAMP, "{ts '2003-02-01 00:00:00'}"},
        {"1899-12-29 06:00",       SQL_CODE_TIMESTAMP, "{ts '1899-12-29 06:00:00'}"},
        {"2004-02-29",             SQL_CODE_DATE,      "{d '2004-02-29'}"},
    };
    for (const Case& c : cases)
    {
        CString literal = "stale";
        EXPECT_TRUE(FormatDateTimeLiteral(c.text, c.sub, literal)) << c.text;
        EXPECT_STREQ(c.literal, literal) << c.text << " as " << c.sub;
    }
}

TEST(DateTimeLiteral, RefusesAValueThatIsNoDateOrTime)
{
    for (const char* text : {"", "not a date", "2003-02-30", "2003-02-01x", "'; DROP TABLE x; --", "25:00:00",
                             "12:30:00.5'}; DROP TABLE x; --"})
    {
        CString literal = "kept";
        EXPECT_FALSE(FormatDateTimeLiteral(text, SQL_CODE_DATE, literal)) << text;
        EXPECT_STREQ("kept", literal) << text;

        Texts texts = Compose("D", SQL_DATETIME, opBetweenInclusive, "2003-02-01", text, false, SQL_CODE_DATE);
        if (*text == '\0')
            continue;   // an empty second value is no value, not a bad one
        EXPECT_EQ(conditionNotADateTime, texts.result) << text;
        EXPECT_EQ("", texts.display) << text;
        EXPECT_EQ("", texts.filter) << text;
    }
}

TEST(DateTimeLiteral, IsWrittenTheSameUnderTheHostsDecimalComma)
{
    const char* pszLocale = setlocale(LC_ALL, "German_Germany.1252");
    ASSERT_NE(nullptr, pszLocale);
    char szPlain[32];
    snprintf(szPlain, sizeof szPlain, "%f", 0.5);
    ASSERT_STREQ("0,500000", szPlain) << "the host's locale writes a comma";
    CString display, filter;
    EXPECT_EQ(conditionComposed, FormatComparison(SQL_DATETIME, SQL_CODE_TIMESTAMP, "`D`", "2003-02-01 12:00:00", "",
                                                  ">=", "", Dialect("`"), display, filter));
    setlocale(LC_ALL, "C");
    EXPECT_STREQ("(`D`>={ts '2003-02-01 12:00:00'})", filter);
}

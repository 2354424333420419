#include "query/Comparison.h"
#include "query/Condition.h"
#include "query/Operator.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <sqlext.h>
#include <clocale>
#include <cstdio>
#include <string>

namespace
{
    struct Texts
    {
        ConditionResult result;
        std::string display;
        std::string filter;
    };

    // A condition on a column of that name and type, quoted as drivers that
    // quote with the grave accent do (or with the quote given).
    Texts Compose(const char* column, int sqlDataType, UINT op, const char* v1, const char* v2, bool negate = false,
                  int datetimeSub = 0, const char* quote = "`")
    {
        ColumnInfo info;
        info.name = (char*)column;
        info.sqlDataType = sqlDataType;
        info.datetimeSub = datetimeSub;
        CString display = "stale", filter = "stale";
        ConditionResult result = ComposeCondition(info, quote, op, v1, v2, negate, display, filter);
        return {result, display.Str(), filter.Str()};
    }
}

TEST(ConditionText, WritesEveryExampleExactly)
{
    struct Case { const char* column; int type; UINT op; bool negate; const char* v1; const char* v2;
                  const char* filter; const char* display; };
    const Case cases[] = {
        {"QTY",  SQL_INTEGER, IDS_OP_BETWEEN_INCLUSIVE, false, "5", "10",
         "(`QTY`>=5) AND (`QTY`<=10)", nullptr},
        {"QTY",  SQL_INTEGER, IDS_OP_BETWEEN_EXCLUSIVE, false, "", "100", "(`QTY`<100)", nullptr},
        {"NAME", SQL_VARCHAR, IDS_OP_EQUAL, false, "it's", "ignored", "(`NAME`='it''s')", nullptr},
        {"NAME", SQL_VARCHAR, IDS_OP_LIKE, false, "Sm%", "ignored", "`NAME` LIKE 'Sm%'", nullptr},
        {"BORN", SQL_DATETIME, IDS_OP_FROM_INCL_TO_EXCL, false, "2003-02-01", "2003-12-31",
         "(`BORN`>={d '2003-02-01'}) AND (`BORN`<{d '2003-12-31'})",
         "(`BORN`>=\"2003-02-01\") AND (`BORN`<\"2003-12-31\")"},
        {"PAID", SQL_BIT, IDS_OP_FALSE, false, "", "", "NOT `PAID`", nullptr},
        {"NOTE", SQL_LONGVARCHAR, IDS_OP_IS_NULL, true, "", "", "NOT (`NOTE` IS NULL)", nullptr},
        {"QTY",  SQL_INTEGER, IDS_OP_BETWEEN_INCLUSIVE, true, "5", "10",
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
        EXPECT_TRUE(FormatComparison(c.type, 0, "`D`", "2003-02-01", "", "=", "", display, filter));
        switch (c.kind)
        {
        case none:
            EXPECT_STREQ("kept", display) << c.type;
            EXPECT_STREQ("kept", filter) << c.type;
            break;
        case unquoted:
            EXPECT_STREQ("(`D`=2003-02-01)", display) << c.type;
            EXPECT_STREQ("(`D`=2003-02-01)", filter) << c.type;
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
    Texts texts = Compose("PAID", SQL_BIT, IDS_OP_EQUAL, "1", "");
    EXPECT_EQ(conditionComposed, texts.result);
    EXPECT_EQ("", texts.display);
    EXPECT_EQ("", texts.filter);
    EXPECT_EQ("", Compose("PAID", SQL_BIT, IDS_OP_BETWEEN_EXCLUSIVE, "0", "1", true).filter) << "nothing to negate";
    EXPECT_EQ("`PAID`", Compose("PAID", SQL_BIT, IDS_OP_TRUE, "", "").filter);
}

TEST(ConditionText, DoublesSingleQuotesButNotDoubleQuotes)
{
    EXPECT_EQ("(`N`>'O''Brien') AND (`N`<'it''''s')",
              Compose("N", SQL_VARCHAR, IDS_OP_BETWEEN_EXCLUSIVE, "O'Brien", "it''s").filter);
    EXPECT_EQ("`N` LIKE '%''%'", Compose("N", SQL_CHAR, IDS_OP_LIKE, "%'%", "").filter);
    EXPECT_EQ("(`N`='say \"hi\"')", Compose("N", SQL_CHAR, IDS_OP_EQUAL, "say \"hi\"", "").filter);
    EXPECT_EQ("(`N`=it's)", Compose("N", SQL_INTEGER, IDS_OP_EQUAL, "it's", "").filter) << "numbers go in as typed";

    Texts date = Compose("D", SQL_DATETIME, IDS_OP_EQUAL, "2003-02-01", "");
    EXPECT_EQ("(`D`=\"2003-02-01\")", date.display);
}

TEST(ConditionText, WritesOnlyTheEndOfARangeThatWasGiven)
{
    struct Case { UINT op; const char* v1; const char* v2; const char* text; };
    const Case cases[] = {
        {IDS_OP_BETWEEN_EXCLUSIVE, "1", "",  "(`Q`>1)"},
        {IDS_OP_BETWEEN_EXCLUSIVE, "",  "9", "(`Q`<9)"},
        {IDS_OP_FROM_INCL_TO_EXCL, "1", "",  "(`Q`>=1)"},
        {IDS_OP_FROM_INCL_TO_EXCL, "",  "9", "(`Q`<9)"},
        {IDS_OP_FROM_INCL_TO_EXCL, "1", "9", "(`Q`>=1) AND (`Q`<9)"},
        {IDS_OP_FROM_EXCL_TO_INCL, "1", "",  "(`Q`>1)"},
        {IDS_OP_FROM_EXCL_TO_INCL, "",  "9", "(`Q`<=9)"},
        {IDS_OP_FROM_EXCL_TO_INCL, "1", "9", "(`Q`>1) AND (`Q`<=9)"},
        {IDS_OP_BETWEEN_INCLUSIVE, "",  "9", "(`Q`<=9)"},
        {IDS_OP_BETWEEN_EXCLUSIVE, " ", "",  "(`Q`> )"},     // not trimmed
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
    EXPECT_EQ("(`Q`=3)", Compose("Q", SQL_INTEGER, IDS_OP_EQUAL, "3", "7").filter);
    EXPECT_EQ("(`N`='a')", Compose("N", SQL_VARCHAR, IDS_OP_EQUAL, "a", "b").display);
    EXPECT_EQ("(`D`=\"2003-02-01\")", Compose("D", SQL_DATETIME, IDS_OP_EQUAL, "2003-02-01", "2003-12-31").display);
    // A text left in the second field does not stand in for the first.
    EXPECT_EQ(conditionMissingValue, Compose("Q", SQL_INTEGER, IDS_OP_EQUAL, "", "7").result);
}

TEST(ConditionText, NegatesEveryConditionThatHasText)
{
    struct Case { const char* column; int type; UINT op; const char* v1; const char* v2; const char* text; };
    const Case cases[] = {
        {"N", SQL_VARCHAR, IDS_OP_LIKE,              "A%", "",  "NOT (`N` LIKE 'A%')"},
        {"Q", SQL_INTEGER,  IDS_OP_EQUAL,             "3",  "",  "NOT ((`Q`=3))"},
        {"Q", SQL_INTEGER,  IDS_OP_BETWEEN_EXCLUSIVE, "",   "9", "NOT ((`Q`<9))"},
        {"Q", SQL_INTEGER,  IDS_OP_FROM_INCL_TO_EXCL, "1",  "9", "NOT ((`Q`>=1) AND (`Q`<9))"},
        {"Q", SQL_INTEGER,  IDS_OP_FROM_EXCL_TO_INCL, "1",  "",  "NOT ((`Q`>1))"},
        {"B", SQL_BIT, IDS_OP_TRUE,              "",   "",  "NOT (`B`)"},
        {"B", SQL_BIT, IDS_OP_FALSE,             "",   "",  "NOT (NOT `B`)"},
        {"N", SQL_VARCHAR, IDS_OP_IS_NULL,           "",   "",  "NOT (`N` IS NULL)"},
    };
    for (const Case& c : cases)
    {
        Texts texts = Compose(c.column, c.type, c.op, c.v1, c.v2, true);
        EXPECT_EQ(c.text, texts.filter);
        EXPECT_EQ(c.text, texts.display);
    }
    Texts date = Compose("D", SQL_DATETIME, IDS_OP_BETWEEN_INCLUSIVE, "2003-02-01", "", true);
    EXPECT_EQ("NOT ((`D`>=\"2003-02-01\"))", date.display);
    EXPECT_EQ("NOT ((`D`>={d '2003-02-01'}))", date.filter);
}

TEST(ConditionText, QuotesTheColumnPartByPartAsTheDriverQuotes)
{
    EXPECT_EQ("(`ORDERS`.`QTY`>=5)", Compose("ORDERS.QTY", SQL_INTEGER, IDS_OP_BETWEEN_INCLUSIVE, "5", "").filter);
    EXPECT_EQ("`A`.`B` LIKE 'x'", Compose("A.B", SQL_VARCHAR, IDS_OP_LIKE, "x", "").filter);
    EXPECT_EQ("`S`.`T`.`we``ird` IS NULL", Compose("S.T.we`ird", SQL_VARCHAR, IDS_OP_IS_NULL, "", "").filter);
    EXPECT_EQ("(\"Born On\">={d '2003-02-01'})",
              Compose("Born On", SQL_DATETIME, IDS_OP_BETWEEN_INCLUSIVE, "2003-02-01", "", false, SQL_CODE_DATE, "\"")
                  .filter);
    EXPECT_EQ("NOT \"say \"\"no\"\"\"", Compose("say \"no\"", SQL_BIT, IDS_OP_FALSE, "", "", false, 0, "\"").filter);
    EXPECT_EQ("Code IS NULL", Compose("Code", SQL_INTEGER, IDS_OP_IS_NULL, "", "", false, 0, "").filter)
        << "a driver that quotes no names";
}

TEST(ConditionText, AsksForTheMissingValue)
{
    struct Case { UINT op; const char* v1; const char* v2; };
    const Case cases[] = {
        {IDS_OP_LIKE, "", ""}, {IDS_OP_LIKE, "", "A%"},
        {IDS_OP_EQUAL, "", ""},
        {IDS_OP_BETWEEN_EXCLUSIVE, "", ""}, {IDS_OP_FROM_INCL_TO_EXCL, "", ""},
        {IDS_OP_FROM_EXCL_TO_INCL, "", ""}, {IDS_OP_BETWEEN_INCLUSIVE, "", ""},
    };
    for (const Case& c : cases)
    {
        Texts texts = Compose("Q", SQL_INTEGER, c.op, c.v1, c.v2, true);
        EXPECT_EQ(conditionMissingValue, texts.result) << c.op;
        EXPECT_EQ("", texts.display) << c.op;
        EXPECT_EQ("", texts.filter) << c.op;
    }
    EXPECT_EQ(conditionComposed, Compose("Q", SQL_INTEGER, IDS_OP_IS_NULL, "", "").result) << "needs no value";
}

TEST(DateTimeLiteral, IsTheEscapeOfTheColumnsKindWhateverFormTheUserTyped)
{
    struct Case { const char* text; int sub; const char* literal; };
    const Case cases[] = {
        {"2003-02-01",             SQL_CODE_DATE,      "{d '2003-02-01'}"},
        {"2003-02-01 12:30:15",    SQL_CODE_DATE,      "{d '2003-02-01'}"},
        {"2003-02-01",             0,                  "{d '2003-02-01'}"},     // kind unknown: a date
        {"2003-02-01",             99,                 "{d '2003-02-01'}"},
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
    for (const char* text : {"", "not a date", "2003-02-30", "2003-02-01x", "'; DROP TABLE x; --", "25:00:00"})
    {
        CString literal = "kept";
        EXPECT_FALSE(FormatDateTimeLiteral(text, SQL_CODE_DATE, literal)) << text;
        EXPECT_STREQ("kept", literal) << text;

        Texts texts = Compose("D", SQL_DATETIME, IDS_OP_BETWEEN_INCLUSIVE, "2003-02-01", text, false, SQL_CODE_DATE);
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
    EXPECT_TRUE(FormatComparison(SQL_DATETIME, SQL_CODE_TIMESTAMP, "`D`", "2003-02-01 12:00:00", "", ">=", "",
                                 display, filter));
    setlocale(LC_ALL, "C");
    EXPECT_STREQ("(`D`>={ts '2003-02-01 12:00:00'})", filter);
}

TEST(OperatorChoice, IsFoundByItsTextByteForByte)
{
    CString (*pfnLoad)(UINT) = [](UINT nID) -> CString {
        switch (nID)
        {
        case IDS_OP_LIKE:              return "like";
        case IDS_OP_EQUAL:             return "=";
        case IDS_OP_BETWEEN_EXCLUSIVE: return "between";
        case IDS_OP_FROM_INCL_TO_EXCL: return "from [ to (";
        case IDS_OP_FROM_EXCL_TO_INCL: return "from ( to ]";
        case IDS_OP_BETWEEN_INCLUSIVE: return "between";       // a wording repeated
        case IDS_MISSING_VALUE:        return "Please enter a value";
        case IDS_APP_TITLE:            return "RDMODBC";
        case IDS_OP_TRUE:              return "is true";
        case IDS_OP_FALSE:             return "is false";
        default:                       return "";              // 17 missing from the module
        }
    };
    struct Case { const char* text; UINT op; };
    const Case cases[] = {
        {"like", IDS_OP_LIKE}, {"=", IDS_OP_EQUAL}, {"between", IDS_OP_BETWEEN_EXCLUSIVE},
        {"from [ to (", IDS_OP_FROM_INCL_TO_EXCL}, {"from ( to ]", IDS_OP_FROM_EXCL_TO_INCL},
        {"is true", IDS_OP_TRUE}, {"is false", IDS_OP_FALSE},
        {"LIKE", 0}, {"like ", 0}, {"RDMODBC", 0}, {"Please enter a value", 0}, {"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.op, FindOperator(c.text, pfnLoad)) << '"' << c.text << '"';
}

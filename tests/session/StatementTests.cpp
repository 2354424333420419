#include "framework/CDBException.h"
#include "query/Identifier.h"
#include "session/Statement.h"

#include <gtest/gtest.h>

namespace
{
    SqlDialect Dialect(const char* pszQuote, const char* pszDefaultSchema = "")
    {
        SqlDialect dialect;
        dialect.strIdentifierQuote = pszQuote;
        dialect.strDefaultSchema = pszDefaultSchema;
        return dialect;
    }
}

TEST(Statement, QuotesEachPartOfADottedNameWithTheDriversQuote)
{
    struct Case { const char* quote; const char* name; const char* quoted; const char* whole; };
    const Case cases[] = {
        {"`",  "QTY",         "`QTY`",             "`QTY`"},
        {"`",  "ORDERS.QTY",  "`ORDERS`.`QTY`",    "`ORDERS.QTY`"},
        {"`",  "a.b.c",       "`a`.`b`.`c`",       "`a.b.c`"},
        {"`",  "we`ird",      "`we``ird`",         "`we``ird`"},     // a quote cannot end the quoting
        {"`",  "say \"hi\"",  "`say \"hi\"`",      "`say \"hi\"`"},
        {"`",  "",            "``",                "``"},
        {"\"", "Born On",     "\"Born On\"",       "\"Born On\""},
        {"\"", "ORDERS.QTY",  "\"ORDERS\".\"QTY\"", "\"ORDERS.QTY\""},
        {"\"", "say \"hi\"",  "\"say \"\"hi\"\"\"", "\"say \"\"hi\"\"\""},
        {"\"", "it`s",        "\"it`s\"",          "\"it`s\""},
        {"",   "ORDERS.QTY",  "ORDERS.QTY",        "ORDERS.QTY"},     // a driver that quotes no names
    };
    for (const Case& c : cases)
    {
        EXPECT_STREQ(c.quoted, QuoteIdentifier(c.name, c.quote)) << c.quote << c.name;
        EXPECT_STREQ(c.whole, QuoteWholeIdentifier(c.name, c.quote)) << c.quote << c.name;
    }
}

TEST(Statement, JoinsFilterTextsWithAndEachInItsOwnParenthesesSkippingAbsentOnes)
{
    const char* three[] = {"(`QTY`>=5)", nullptr, "`NAME` LIKE 'A%'"};
    EXPECT_STREQ("((`QTY`>=5)\n)\nAND (`NAME` LIKE 'A%'\n)", ComposeFilter(three, 3));
    const char* secondOnly[] = {nullptr, "x=1"};
    EXPECT_STREQ("(x=1\n)", ComposeFilter(secondOnly, 2));
    const char* none[] = {nullptr};
    EXPECT_STREQ("", ComposeFilter(none, 1));
    // An OR stays within its condition; a comment ends before the closing
    // parenthesis, and a clause after the WHERE would stand inside one.
    const char* typed[] = {"a=1 OR b=2 -- two of them", "c=3", "1=1 INTO OUTFILE 'x.txt'"};
    EXPECT_STREQ("(a=1 OR b=2 -- two of them\n)\nAND (c=3\n)\nAND (1=1 INTO OUTFILE 'x.txt'\n)", ComposeFilter(typed, 3));
    EXPECT_STREQ("SELECT COUNT(*) FROM (SELECT x FROM t WHERE (a=1 OR b=2 -- two of them\n)\n) rdm_rows",
                 ComposeRowCount("SELECT x FROM t", ComposeFilter(typed, 1)));
}

TEST(Statement, NumbersTheSelectPositionsInFieldOrder)
{
    struct Case { const char* columns[4]; const char* sql; int positions[4]; };
    const Case cases[] = {
        {{"", "Name", "", ""},         "SELECT DISTINCT `Name` FROM `T`", {-1, 0, -1, -1}},
        {{"", "Name", "", "City"},     "SELECT DISTINCT `Name`,`City` FROM `T`", {-1, 0, -1, 1}},
        {{"Code", "Name", "", "City"}, "SELECT DISTINCT `Name`,`Code`,`City` FROM `T`", {1, 0, -1, 2}},
        {{"A", "B", "C", "D"},         "SELECT DISTINCT `B`,`A`,`C`,`D` FROM `T`", {1, 0, 2, 3}},
        {{"", "B", "C", ""},           "SELECT DISTINCT `B`,`C` FROM `T`", {-1, 0, 1, -1}},
    };
    for (const Case& c : cases)
    {
        CString columns[4] = {c.columns[0], c.columns[1], c.columns[2], c.columns[3]};
        OutputField fields[4];
        EXPECT_STREQ(c.sql, ComposeStatement("", "T", columns, fields, Dialect("`")));
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(c.positions[k], fields[k].m_nColumn) << c.sql << " field " << k + 1;
    }
}

TEST(Statement, QuotesADottedTableNameAsOneNameBehindASchemaOfItsOwn)
{
    CString columns[4] = {"", "O.QTY", "", ""};
    OutputField fields[4];
    EXPECT_STREQ("SELECT DISTINCT `O`.`QTY` FROM `ORDERS.ARCHIVE`",
                 ComposeStatement("", "ORDERS.ARCHIVE", columns, fields, Dialect("`")));
    CString plain[4] = {"", "x", "", ""};
    EXPECT_STREQ("SELECT DISTINCT `x` FROM `t``1`", ComposeStatement("", "t`1", plain, fields, Dialect("`")));
    CString mixed[4] = {"Code", "Name", "", "The \"Born\" On"};
    EXPECT_STREQ("SELECT DISTINCT \"Name\",\"Code\",\"The \"\"Born\"\" On\" FROM \"My Customers\"",
                 ComposeStatement("", "My Customers", mixed, fields, Dialect("\"")));

    struct Case { const char* schema; const char* table; const char* from; const char* shown; };
    const Case schemas[] = {
        {"public",  "orders",     "\"orders\"",                 "orders"},       // the schema a bare name means
        {"archive", "orders",     "\"archive\".\"orders\"",     "archive.orders"},
        {"my.s\"x", "a.b",        "\"my.s\"\"x\".\"a.b\"",       "my.s\"x.a.b"},
        {"",        "orders",     "\"orders\"",                 "orders"},       // an engine without schemas
    };
    for (const Case& c : schemas)
    {
        EXPECT_EQ(CString("SELECT DISTINCT \"x\" FROM ") + c.from,
                  ComposeStatement(c.schema, c.table, plain, fields, Dialect("\"", "public")));
        EXPECT_STREQ(c.shown, TableDisplayName(c.schema, c.table, Dialect("\"", "public")));
    }
}

// The whole import is composed from the choices alone, without a connection:
// the statement, the filter, the order and each field's select position;
// a filter text that could be a second statement is refused before any
// driver sees it.
TEST(Statement, AnImportIsComposedWithoutAConnection)
{
    ImportChoices choices;
    choices.table.strTable = "Customers";
    choices.aFields[0].m_strColumn = "Name";
    choices.aFields[1].m_strColumn = "Code";
    choices.aFields[0].m_strPrefix = "Tel: ";
    for (const char* pszFilter : {"(`City`='Oslo')", "Code > 1001"})
        ASSERT_TRUE(AppendTypedCondition(choices.conditions.p, choices.conditions.n, pszFilter));
    choices.bUseConditions = TRUE;
    choices.aSortKeys[0] = {0, TRUE};
    const ComposedImport composed = ComposeImport(choices, Dialect("`"));
    EXPECT_STREQ("SELECT DISTINCT `Code`,`Name` FROM `Customers`", composed.strStatement);
    EXPECT_STREQ("((`City`='Oslo')\n)\nAND (Code > 1001\n)", composed.strFilter);
    EXPECT_STREQ("`Name` DESC", composed.strSort);
    EXPECT_EQ(1, composed.aFields[0].m_nColumn);
    EXPECT_EQ(0, composed.aFields[1].m_nColumn);
    EXPECT_EQ(-1, composed.aFields[2].m_nColumn);
    EXPECT_STREQ("Tel: ", composed.aFields[0].m_strPrefix);

    ASSERT_TRUE(AppendTypedCondition(choices.conditions.p, choices.conditions.n, "1=1; DROP TABLE Customers"));
    bool bRefused = false;
    try
    {
        ComposeImport(choices, Dialect("`"));
    }
    catch (CDBException* pException)
    {
        bRefused = true;
        pException->Delete();
    }
    EXPECT_TRUE(bRefused);
}

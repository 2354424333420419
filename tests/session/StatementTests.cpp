#include "query/Identifier.h"
#include "session/Statement.h"

#include <gtest/gtest.h>

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

TEST(Statement, JoinsFilterTextsWithAndSkippingAbsentOnes)
{
    const char* three[] = {"(`QTY`>=5)", nullptr, "`NAME` LIKE 'A%'"};
    EXPECT_STREQ("(`QTY`>=5) AND `NAME` LIKE 'A%'", ComposeFilter(three, 3));
    const char* secondOnly[] = {nullptr, "x=1"};
    EXPECT_STREQ("x=1", ComposeFilter(secondOnly, 2));
    const char* none[] = {nullptr};
    EXPECT_STREQ("", ComposeFilter(none, 1));
    const char* typed[] = {"a=1 OR b=2", "c=3"};
    EXPECT_STREQ("a=1 OR b=2 AND c=3", ComposeFilter(typed, 2));   // joined as they are
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
        EXPECT_STREQ(c.sql, ComposeStatement("T", columns, fields, "`"));
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(c.positions[k], fields[k].m_nColumn) << c.sql << " field " << k + 1;
    }
}

TEST(Statement, QuotesADottedTableNameAsOneName)
{
    CString columns[4] = {"", "O.QTY", "", ""};
    OutputField fields[4];
    EXPECT_STREQ("SELECT DISTINCT `O`.`QTY` FROM `ORDERS.ARCHIVE`",
                 ComposeStatement("ORDERS.ARCHIVE", columns, fields, "`"));
    CString plain[4] = {"", "x", "", ""};
    EXPECT_STREQ("SELECT DISTINCT `x` FROM `t``1`", ComposeStatement("t`1", plain, fields, "`"));
    CString mixed[4] = {"Code", "Name", "", "The \"Born\" On"};
    EXPECT_STREQ("SELECT DISTINCT \"Name\",\"Code\",\"The \"\"Born\"\" On\" FROM \"My Customers\"",
                 ComposeStatement("My Customers", mixed, fields, "\""));
}

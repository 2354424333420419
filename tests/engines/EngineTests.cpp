// Each engine, through Wine's odbc32 and unixODBC with its own driver, holds
// the same customers: what tests that compare the engines stand on.
#include "Engines.h"
#include "TestEnv.h"

#include <gtest/gtest.h>
#include <sqlext.h>

namespace
{
    char IdentifierQuote(const TestEngine& engine)
    {
        char szQuote[8] = "";
        CRawConnection connection(engine.connect);
        EXPECT_TRUE(connection.IsOpen()) << engine.name << ": " << connection.LastError();
        ::SQLGetInfo(connection.Handle(), SQL_IDENTIFIER_QUOTE_CHAR, szQuote, sizeof szQuote, nullptr);
        return szQuote[0];
    }

    // A name in the quotes, each quote inside it doubled.
    std::string Quoted(char chQuote, const std::string& name)
    {
        std::string quoted(1, chQuote);
        for (char ch : name)
        {
            if (ch == chQuote)
                quoted += ch;
            quoted += ch;
        }
        return quoted + chQuote;
    }
}

TEST(Engines, EachCountsTheSameRowsUnderNamesInItsOwnQuotes)
{
    struct Case { const char* table; const char* column; const char* count; };
    const Case cases[] = {
        {"customers", "id", "10"},
        {"customers", "city", "8"},
        {"active_customers", "id", "5"},
        {"Customer Notes.v2", "NoteId", "4"},
        {"Customer Notes.v2", "Customer Id", "4"},
        {"Customer Notes.v2", "Quote\"Grave`Mark", "3"},
        {"Customer Notes.v2", "Rating.v2", "3"},
    };
    for (const TestEngine& engine : TestEngines())
    {
        char chQuote = IdentifierQuote(engine);
        for (const Case& c : cases)
        {
            std::string sql = "SELECT COUNT(" + Quoted(chQuote, c.column) + ") FROM " + Quoted(chQuote, c.table);
            EXPECT_EQ(std::vector<TextRow>{{c.count}}, QueryRows(engine.connect, sql)) << engine.name << ": " << sql;
        }
    }
}

TEST(Engines, EachGivesTheCustomersAsTheSameTexts)
{
    // The doubles are left out: SQLite's driver writes a whole REAL as
    // "1200.0", the servers' drivers as "1200".
    const char* pszSql = "SELECT id, name, city, visits, joined, call_at, updated, active FROM customers ORDER BY id";
    std::vector<TextRow> sqlite = QueryRows(TestEngines()[0].connect, pszSql);
    ASSERT_EQ(10u, sqlite.size());
    EXPECT_EQ((TextRow{"4", "O'Brien & Co", "Oslo", std::nullopt, "2000-02-29", std::nullopt, "2000-02-29 00:00:00", "1"}),
              sqlite[3]);
    for (const TestEngine& engine : TestEngines())
        EXPECT_EQ(sqlite, QueryRows(engine.connect, pszSql)) << engine.name;
}

#include "ImportRun.h"
#include "MessageBoxRecorder.h"
#include "RDMODBC.h"
#include "session/RDMODBCApp.h"

#include <gtest/gtest.h>
#include <algorithm>

namespace
{
    ImportChoice People(std::array<std::string, 4> columns)
    {
        ImportChoice choice;
        choice.table = "people";
        choice.columns = columns;
        return choice;
    }

    class RecordSet : public ::testing::Test
    {
    protected:
        void TearDown() override { RDMODBCClose(); }
        CMessageBoxRecorder m_messageBoxes;
    };
}

TEST_F(RecordSet, DeliversDistinctRowsInFieldOrder)
{
    ASSERT_EQ(1, OpenImport(People({"id", "name", "", "city"})));
    // SQLite's driver quotes names with the double quote.
    EXPECT_EQ("SELECT DISTINCT \"name\",\"id\",\"city\" FROM \"people\"", theSession.m_pRecordset->m_strSQL.Str());
    std::vector<DeliveredRow> rows = ReadAllRows();
    std::sort(rows.begin(), rows.end());
    const std::vector<DeliveredRow> expected = {
        {"1", "Ann", "", "Oslo"}, {"2", "Bob", "", "Rome"}, {"3", "Cid", "", ""}, {"4", "Dee", "", "Oslo"}};
    EXPECT_EQ(expected, rows);   // the duplicate Cid row comes once
    EXPECT_EQ(-1, theSession.m_fields[2].m_nColumn);
    EXPECT_EQ(2, theSession.m_fields[3].m_nColumn);
    EXPECT_EQ(nullptr, theSession.m_pRecordset) << "reading ends at the end of the data";
    EXPECT_FALSE(theSession.m_db.IsOpen());
    EXPECT_TRUE(m_messageBoxes.Boxes().empty());
}

TEST_F(RecordSet, GivesNullAndEmptyTextTheSameOutput)
{
    ImportChoice choice = People({"", "note", "", ""});
    choice.options[1].m_strPrefix = "[";
    choice.options[1].m_strSuffix = "]";
    choice.filters = {"id IN (2, 3)"};
    ASSERT_EQ(1, OpenImport(choice));
    std::vector<DeliveredRow> rows = ReadAllRows();
    ASSERT_EQ(2u, rows.size()) << "NULL and '' are different values";
    EXPECT_EQ("[]", rows[0][1]);
    EXPECT_EQ("[]", rows[1][1]) << "but look alike";
}

TEST_F(RecordSet, AppliesTheDateTimeAndIntegerRulesToDriverText)
{
    ImportChoice choice = People({"born", "id", "seen", "at"});
    choice.options[0].m_bDate = TRUE;
    choice.options[2].m_bTime = TRUE;
    choice.options[3].m_bTime = TRUE;
    ASSERT_EQ(1, OpenImport(choice));
    std::vector<DeliveredRow> rows = ReadAllRows();
    std::sort(rows.begin(), rows.end(), [](const DeliveredRow& a, const DeliveredRow& b) { return a[1] < b[1]; });
    const std::vector<DeliveredRow> expected = {
        {"2003-02-01", "1", "00:00:00", "13:45:00"},
        {"1999-12-31", "2", "23:59:59", "00:00:01"},
        {"",           "3", "10:10:10", "07:08:09"},
        {"not a date", "4", "never",    "noon"},
    };
    EXPECT_EQ(expected, rows);

    ImportChoice prices = People({"", "price", "", ""});
    prices.options[1].m_bInteger = TRUE;
    ASSERT_EQ(1, OpenImport(prices));
    std::vector<DeliveredRow> priceRows = ReadAllRows();
    std::vector<std::string> values;
    for (const DeliveredRow& row : priceRows)
        values.push_back(row[1]);
    std::sort(values.begin(), values.end());
    EXPECT_EQ((std::vector<std::string>{"-3", "0", "12", "7"}), values);
}

TEST_F(RecordSet, ReadsAHundredThousandBytesWholeBeforeTheCut)
{
    ImportChoice choice;
    choice.table = "long_text";
    choice.columns = {"", "body", "", ""};
    choice.options[1].m_strPrefix = "<";
    ASSERT_EQ(1, OpenImport(choice));
    std::vector<DeliveredRow> rows = ReadAllRows(100001);
    ASSERT_EQ(1u, rows.size());
    ASSERT_EQ(100001u, rows[0][1].size());
    EXPECT_EQ("<0123", rows[0][1].substr(0, 5));
    EXPECT_EQ("6789", rows[0][1].substr(100001 - 4));

    choice.options[1].m_bPad = TRUE;
    choice.options[1].m_nPadWidth = 5;
    choice.options[1].m_chPad = '*';
    choice.options[1].m_strSuffix = ">";
    ASSERT_EQ(1, OpenImport(choice));
    rows = ReadAllRows(12);
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ("<01234567890", rows[0][1]);
}

TEST_F(RecordSet, OpensAnEmptyResultAndEndsAtOnce)
{
    ImportChoice choice;
    choice.table = "empty_table";
    choice.columns = {"", "name", "", ""};
    ASSERT_EQ(1, OpenImport(choice));
    char buffers[4][8] = {"keep", "keep", "keep", "keep"};
    EXPECT_EQ(0, RDMODBCMoveNext(buffers[0], 7, buffers[1], 7, buffers[2], 7, buffers[3], 7));
    EXPECT_STREQ("keep", buffers[1]) << "no row: buffers untouched";
    EXPECT_EQ(0, RDMODBCMoveNext(buffers[0], 7, buffers[1], 7, buffers[2], 7, buffers[3], 7));
}

TEST_F(RecordSet, ReportsAFailingStatementAndStaysClosable)
{
    ImportChoice choice = People({"", "name", "", ""});
    choice.table = "no_such_table";
    EXPECT_EQ(0, OpenImport(choice));
    ASSERT_EQ(1u, m_messageBoxes.Boxes().size());
    EXPECT_NE(std::string::npos, m_messageBoxes.Boxes()[0].text.find("no_such_table"))
        << m_messageBoxes.Boxes()[0].text;
    EXPECT_NE(nullptr, theSession.m_pRecordset) << "the closed record set stays until Close";
    EXPECT_FALSE(theSession.m_pRecordset->IsOpen());
    EXPECT_FALSE(theSession.m_db.IsOpen());
    EXPECT_EQ(0, RDMODBCClose());
    EXPECT_EQ(nullptr, theSession.m_pRecordset);
    EXPECT_EQ(0, RDMODBCClose());
}

TEST_F(RecordSet, AppliesTheFilterOnlyWhenConditionsAreInUse)
{
    ImportChoice choice = People({"", "name", "", ""});
    choice.filters = {"(`id`>=2)", nullptr, "`name` LIKE 'C%'"};
    ASSERT_EQ(1, OpenImport(choice));
    EXPECT_EQ("SELECT DISTINCT \"name\" FROM \"people\" WHERE (`id`>=2)\nAND `name` LIKE 'C%'",
              theSession.m_pRecordset->m_strSQL.Str());
    EXPECT_EQ(1u, ReadAllRows().size());

    choice.useConditions = false;
    ASSERT_EQ(1, OpenImport(choice));
    EXPECT_EQ("SELECT DISTINCT \"name\" FROM \"people\"", theSession.m_pRecordset->m_strSQL.Str());
    EXPECT_EQ(4u, ReadAllRows().size());
}

TEST_F(RecordSet, QuotesOddNamesSoTheDriverFindsThem)
{
    ImportChoice dotted;
    dotted.table = "ORDERS.ARCHIVE";
    dotted.columns = {"", "qty", "", ""};
    ASSERT_EQ(1, OpenImport(dotted));
    EXPECT_EQ((std::vector<DeliveredRow>{{"", "5", "", ""}}), ReadAllRows());

    ImportChoice accent;
    accent.table = "odd_names";
    accent.columns = {"plain", "we`ird", "", ""};
    ASSERT_EQ(1, OpenImport(accent));
    EXPECT_EQ((std::vector<DeliveredRow>{{"p", "tick", "", ""}}), ReadAllRows());
}

TEST_F(RecordSet, HandsOverNothingWithoutASession)
{
    RDMODBCClose();
    char buffer[8] = "keep";
    EXPECT_EQ(0, RDMODBCMoveNext(buffer, 7, buffer, 7, buffer, 7, buffer, 7));
    EXPECT_STREQ("keep", buffer);
    EXPECT_EQ(0, RDMODBCClose());
    EXPECT_EQ(0, RDMODBCClose());
}

TEST_F(RecordSet, SurvivesNullBuffersAndNegativeLimits)
{
    ASSERT_EQ(1, OpenImport(People({"id", "name", "code", "city"})));
    char field2[8];
    char field4[2] = {'#', '#'};
    EXPECT_EQ(1, RDMODBCMoveNext(nullptr, 10, field2, 7, nullptr, -1, field4, -3));
    EXPECT_NE(0, field2[0]);
    EXPECT_EQ('\0', field4[0]);
    EXPECT_EQ('#', field4[1]);
}

TEST_F(RecordSet, HandsOverTheRowsInTheOrderOfTheKeys)
{
    struct Case { SortKey keys[SORT_KEYS]; const char* order; std::vector<std::string> names; };
    const Case cases[] = {
        {{{3, false}, {1, false}, {}}, "\nORDER BY \"city\",\"name\"", {"Cid", "Ann", "Dee", "Bob"}},   // NULL first
        {{{3, true}, {1, true}, {}}, "\nORDER BY \"city\" DESC,\"name\" DESC", {"Bob", "Dee", "Ann", "Cid"}},
        {{{0, true}, {}, {}}, "\nORDER BY \"id\" DESC", {"Dee", "Cid", "Bob", "Ann"}},   // numbers by value
        {{{2, false}, {}, {}}, "", {"Ann", "Bob", "Cid", "Dee"}},                       // field 3 has no column
    };
    for (const Case& c : cases)
    {
        ImportChoice choice = People({"id", "name", "", "city"});
        std::copy(std::begin(c.keys), std::end(c.keys), choice.sortKeys.begin());
        ASSERT_EQ(1, OpenImport(choice));
        EXPECT_EQ(std::string("SELECT DISTINCT \"name\",\"id\",\"city\" FROM \"people\"") + c.order,
                  theSession.m_pRecordset->m_strSQL.Str());
        std::vector<std::string> names;
        for (const DeliveredRow& row : ReadAllRows())
            names.push_back(row[1]);
        if (*c.order)
            EXPECT_EQ(c.names, names) << c.order;
        else
            EXPECT_EQ(4u, names.size());
    }
}

// What a host may hand RDMODBCMoveNext, and what a data source may hold: the
// module neither crashes nor writes past a caller's limit + 1 byte, and
// delivers whole whatever fits.
#include "ImportRun.h"
#include "ImportTest.h"
#include "RDMODBC.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace
{
    const char chGuard = '\x5A';

    // Four caller buffers of limit + 1 bytes, each followed by guard bytes
    // that the module must never touch.
    class CGuardedBuffers
    {
    public:
        explicit CGuardedBuffers(int nLimit) : m_nLimit(nLimit)
        {
            for (auto& buffer : m_buffers)
                buffer.assign((nLimit > 0 ? nLimit : 0) + 1 + 64, chGuard);
        }
        int MoveNext(int nLimit)
        {
            return RDMODBCMoveNext(m_buffers[0].data(), nLimit, m_buffers[1].data(), nLimit,
                                   m_buffers[2].data(), nLimit, m_buffers[3].data(), nLimit);
        }
        int MoveNext()                      { return MoveNext(m_nLimit); }
        std::string Text(int k) const       { return m_buffers[k].data(); }
        bool GuardsIntact() const
        {
            for (const auto& buffer : m_buffers)
                for (size_t i = (m_nLimit > 0 ? m_nLimit : 0) + 1; i < buffer.size(); ++i)
                    if (buffer[i] != chGuard)
                        return false;
            return true;
        }
        bool Untouched() const
        {
            for (const auto& buffer : m_buffers)
                for (char ch : buffer)
                    if (ch != chGuard)
                        return false;
            return true;
        }

    private:
        int m_nLimit;
        std::vector<char> m_buffers[4];
    };

    ImportChoice Edge(std::array<std::string, 4> columns)
    {
        ImportChoice choice;
        choice.connect = "DSN=rdm_robustness";
        choice.table = "edge_values";
        choice.columns = columns;
        choice.filters = {"`id`=1"};
        return choice;
    }

    class ExportInput : public ImportTest
    {
    };
}

TEST_F(ExportInput, NoSessionLeavesTheBuffersUntouched)
{
    CGuardedBuffers buffers(8);
    EXPECT_EQ(0, buffers.MoveNext()) << "before any Open";
    EXPECT_TRUE(buffers.Untouched());

    ASSERT_EQ(1, OpenImport(Edge({"", "id", "", ""})));
    EXPECT_EQ(1, buffers.MoveNext());
    EXPECT_EQ("1", buffers.Text(1));
    EXPECT_EQ(0, buffers.MoveNext()) << "after the end";
    EXPECT_EQ(0, buffers.MoveNext());

    ASSERT_EQ(1, OpenImport(Edge({"", "id", "", ""})));
    RDMODBCClose();
    CGuardedBuffers afterClose(8);
    EXPECT_EQ(0, afterClose.MoveNext()) << "after Close";
    EXPECT_TRUE(afterClose.Untouched());
    EXPECT_EQ(0, RDMODBCMoveNext(nullptr, 8, nullptr, 8, nullptr, 8, nullptr, 8));
}

TEST_F(ExportInput, LimitsOfZeroAndBelowDeliverTheTerminatorOnly)
{
    for (int nLimit : {0, -1, -2147483647 - 1})
    {
        ImportChoice choice = Edge({"raw", "id", "digits", "body"});
        choice.options[1].m_strPrefix = "prefix";
        ASSERT_EQ(1, OpenImport(choice));
        CGuardedBuffers buffers(0);
        EXPECT_EQ(1, buffers.MoveNext(nLimit)) << nLimit;
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ("", buffers.Text(k)) << nLimit;
        EXPECT_TRUE(buffers.GuardsIntact()) << nLimit;
    }
}

TEST_F(ExportInput, NullBuffersAreSkippedAndTheOthersFilled)
{
    ASSERT_EQ(1, OpenImport(Edge({"raw", "id", "digits", "body"})));
    char szField2[4];
    EXPECT_EQ(1, RDMODBCMoveNext(nullptr, 100, szField2, 3, nullptr, 0, nullptr, -5));
    EXPECT_STREQ("1", szField2);
    EXPECT_EQ(0, RDMODBCMoveNext(nullptr, 100, nullptr, 3, nullptr, 0, nullptr, -5));
}

TEST_F(ExportInput, AMegabyteOfTextArrivesWholeOrCutAtTheLimit)
{
    struct Case { int limit; size_t length; const char* tail; };
    const Case cases[] = {
        {2000000, 1048579, "abEND"},   // fits: nothing lost
        {1048579, 1048579, "abEND"},   // fits exactly
        {1048578, 1048578, "ababEN"},  // one byte short: the end goes
        {5,       5,       "ababa"},
    };
    for (const Case& c : cases)
    {
        ASSERT_EQ(1, OpenImport(Edge({"", "body", "", ""})));
        CGuardedBuffers buffers(c.limit);
        ASSERT_EQ(1, buffers.MoveNext());
        std::string text = buffers.Text(1);
        EXPECT_EQ(c.length, text.size()) << c.limit;
        std::string tail = c.tail;
        EXPECT_EQ(tail, text.substr(text.size() - std::min(text.size(), tail.size()))) << c.limit;
        EXPECT_TRUE(buffers.GuardsIntact()) << c.limit;
    }
}

TEST_F(ExportInput, FourThousandDigitsSurviveTheIntegerRule)
{
    ImportChoice choice = Edge({"", "digits", "", ""});
    choice.options[1].m_bInteger = TRUE;
    choice.filters = {};
    ASSERT_EQ(1, OpenImport(choice));
    CGuardedBuffers buffers(5000);
    std::vector<std::string> values;
    while (buffers.MoveNext())
        values.push_back(buffers.Text(1));
    ASSERT_EQ(3u, values.size());
    std::sort(values.begin(), values.end());
    std::string nines, twelves = "-";
    for (int i = 0; i < 2000; ++i)
    {
        nines += "97";
        twelves += "12";
    }
    // Too large for a whole number: the decimals are cut and the digits kept.
    EXPECT_EQ((std::vector<std::string>{twelves, "7", nines}), values);
    EXPECT_TRUE(buffers.GuardsIntact());
}

TEST_F(ExportInput, NulAndNonAsciiBytesStayWithinTheLimit)
{
    struct Case { int id; int limit; const char* expected; };
    const Case cases[] = {
        {2, 10, "a"},                               // a NUL ends the text the host sees
        {3, 10, "\xC3\xA9\xE2\x82\xAC\xFF\x80"},    // bytes as stored, not recoded
        {3, 3,  "\xC3\xA9\xE2"},                    // cut by bytes
    };
    for (const Case& c : cases)
    {
        ImportChoice choice = Edge({"", "raw", "", ""});
        std::string filter = "`id`=" + std::to_string(c.id);
        choice.filters = {filter.c_str()};
        ASSERT_EQ(1, OpenImport(choice));
        CGuardedBuffers buffers(c.limit);
        ASSERT_EQ(1, buffers.MoveNext()) << c.id;
        EXPECT_EQ(c.expected, buffers.Text(1)) << c.id << "/" << c.limit;
        EXPECT_TRUE(buffers.GuardsIntact()) << c.id << "/" << c.limit;
    }
}

#include "ImportRun.h"
#include "MessageBoxRecorder.h"
#include "RDMODBC.h"
#include "query/ColumnInfo.h"
#include "query/Condition.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <sqlext.h>
#include <algorithm>

namespace
{
    const char szStock[] = "DSN=rdm_query";

    struct UserCondition { const char* column; int sqlDataType; ConditionOperator op; const char* v1; const char* v2; bool negate; };

    // The condition state as the dialogs leave it, each condition composed
    // the way the condition editor composes it.
    class ConditionState
    {
    public:
        ~ConditionState() { FreeColumnArray(m_pConditions, m_nConditions); }

        void Add(const UserCondition& wanted)
        {
            ColumnInfo condition;
            condition.name = _strdup(wanted.column);
            condition.sqlDataType = wanted.sqlDataType;
            CString display, filter;
            ASSERT_EQ(conditionComposed, ComposeCondition(condition, DriverDialect(szStock), wanted.op,
                                                          wanted.v1, wanted.v2, wanted.negate, display, filter));
            SetConditionTexts(condition, display, filter);
            ASSERT_TRUE(AppendColumnInfo(m_pConditions, m_nConditions, condition));
        }
        void AddTyped(const char* text) { ASSERT_TRUE(AppendTypedCondition(m_pConditions, m_nConditions, text)); }

        ColumnInfo* m_pConditions = nullptr;
        int m_nConditions = 0;
        BOOL m_bUseConditions = TRUE;
    };

    class ConditionFilter : public ::testing::Test
    {
    protected:
        void TearDown() override { RDMODBCClose(); }

        // Opens the names of table stock under the conditions and returns
        // the names delivered, sorted.
        std::vector<std::string> Names(const ConditionState& state)
        {
            ImportChoice choice;
            choice.connect = szStock;
            choice.table = "stock";
            choice.columns = {"", "name", "", ""};
            choice.filters = ConditionFilterTexts(state.m_pConditions, state.m_nConditions, state.m_bUseConditions);
            choice.useConditions = state.m_bUseConditions;
            EXPECT_EQ(1, OpenImport(choice));
            if (theSession.m_pRecordset == nullptr)
                return {};
            m_strSQL = theSession.m_pRecordset->m_strSQL.Str();
            std::vector<std::string> names;
            for (const DeliveredRow& row : ReadAllRows())
                names.push_back(row[1]);
            std::sort(names.begin(), names.end());
            return names;
        }

        std::vector<std::string> NamesUnder(const UserCondition& wanted)
        {
            ConditionState state;
            state.Add(wanted);
            return Names(state);
        }

        std::string m_strSQL;
        CMessageBoxRecorder m_messageBoxes;
    };

    using NameList = std::vector<std::string>;
}

TEST_F(ConditionFilter, SelectsTheRowsEachKindOfConditionDescribes)
{
    struct Case { UserCondition wanted; NameList names; };
    const Case cases[] = {
        {{"id", SQL_INTEGER, opBetweenInclusive, "2", "4", false},      {"Bob", "O'Neil", "Smith"}},
        {{"id", SQL_INTEGER, opBetweenExclusive, "", "3", false},       {"Ann", "Bob"}},
        {{"id", SQL_INTEGER, opFromInclToExcl, "5", "", false},       {"Dee", "Sm'th"}},
        {{"price", SQL_DOUBLE, opFromExclToIncl, "3", "12.5", false}, {"Ann", "O'Neil"}},
        {{"id", SQL_INTEGER, opEqual, "6", "1", false},                  {"Dee"}},
        {{"name", SQL_VARCHAR, opEqual, "O'Neil", "", false},           {"O'Neil"}},
        {{"note", SQL_VARCHAR, opEqual, "it's", "", false},             {"O'Neil"}},
        {{"name", SQL_VARCHAR, opBetweenInclusive, "B", "O", false},   {"Bob", "Dee"}},
        {{"name", SQL_VARCHAR, opLike, "Sm%", "", false},               {"Sm'th", "Smith"}},
        {{"name", SQL_VARCHAR, opLike, "Sm'%", "", false},              {"Sm'th"}},
        {{"note", SQL_VARCHAR, opIsNull, "", "", false},               {"Bob", "Smith"}},
        {{"note", SQL_VARCHAR, opIsNull, "", "", true},                {"Ann", "Dee", "O'Neil", "Sm'th"}},
        {{"paid", SQL_BIT, opTrue, "", "", false},                  {"Ann", "O'Neil", "Smith"}},
        {{"paid", SQL_BIT, opFalse, "", "", false},                 {"Bob", "Dee", "Sm'th"}},
        {{"name", SQL_VARCHAR, opLike, "Sm%", "", true},                {"Ann", "Bob", "Dee", "O'Neil"}},
        {{"id", SQL_INTEGER, opBetweenInclusive, "2", "5", true},       {"Ann", "Dee"}},
        {{"stock.id", SQL_INTEGER, opEqual, "1", "", false},             {"Ann"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.names, NamesUnder(c.wanted)) << m_strSQL;
    EXPECT_TRUE(m_messageBoxes.Boxes().empty());
}

TEST_F(ConditionFilter, JoinsTheConditionsInTheirOrderSkippingTextlessOnes)
{
    ConditionState state;
    state.Add({"id", SQL_INTEGER, opBetweenInclusive, "2", "", false});
    state.Add({"paid", SQL_BIT, opEqual, "1", "", false});          // a bit compared builds no text
    state.AddTyped("price < 50");
    state.Add({"note", SQL_VARCHAR, opIsNull, "", "", true});
    ASSERT_EQ(nullptr, state.m_pConditions[1].filterText);

    EXPECT_EQ((NameList{"Dee", "O'Neil", "Sm'th"}), Names(state));
    EXPECT_EQ("SELECT DISTINCT \"name\" FROM \"stock\" WHERE (\"id\">=2)\nAND price < 50\nAND NOT (\"note\" IS NULL)",
              m_strSQL);
}

TEST_F(ConditionFilter, ReadsEveryRowWhenConditionsAreNotInUse)
{
    const NameList all = {"Ann", "Bob", "Dee", "O'Neil", "Sm'th", "Smith"};
    ConditionState state;
    state.Add({"id", SQL_INTEGER, opEqual, "1", "", false});
    state.m_bUseConditions = FALSE;
    EXPECT_EQ(all, Names(state));
    EXPECT_EQ("SELECT DISTINCT \"name\" FROM \"stock\"", m_strSQL);

    ConditionState none;
    EXPECT_EQ(all, Names(none));
    EXPECT_EQ("SELECT DISTINCT \"name\" FROM \"stock\"", m_strSQL);

    ConditionState textless;
    textless.Add({"paid", SQL_BIT, opBetweenExclusive, "0", "1", false});
    EXPECT_EQ(all, Names(textless));
    EXPECT_EQ("SELECT DISTINCT \"name\" FROM \"stock\"", m_strSQL);
}

TEST_F(ConditionFilter, PassesATypedConditionToTheDataSourceAsTyped)
{
    ConditionState state;
    state.AddTyped("id IN (1, 6) OR name = 'Bob'");
    EXPECT_EQ((NameList{"Ann", "Bob", "Dee"}), Names(state));
    EXPECT_EQ("SELECT DISTINCT \"name\" FROM \"stock\" WHERE id IN (1, 6) OR name = 'Bob'", m_strSQL);
}

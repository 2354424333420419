#include "ImportRun.h"
#include "RDMODBC.h"

#include <gtest/gtest.h>
#include <algorithm>

SqlDialect DriverDialect(const std::string& connect)
{
    CDatabase db;
    EXPECT_TRUE(db.OpenEx(connect.c_str(), CDatabase::noOdbcDialog)) << connect;
    return ReadSqlDialect(db);
}

CString DriverQuote(const std::string& connect)
{
    return DriverDialect(connect).strIdentifierQuote;
}

void ForgetLastImport()
{
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, "SOFTWARE\\KAVEX\\RDMODBC", "LastImport");
}

int OpenImport(const ImportChoice& choice)
{
    theSession.m_strConnect = choice.connect.c_str();
    ImportChoices choices;
    choices.table.strSchema = choice.schema.c_str();
    choices.table.strTable = choice.table.c_str();
    for (int k = 0; k < 4; ++k)
    {
        static_cast<OutputField&>(choices.aFields[k]) = choice.options[k];
        choices.aFields[k].m_strColumn = choice.columns[k].c_str();
    }
    for (const char* pszFilter : choice.filters)
    {
        EXPECT_TRUE(pszFilter == nullptr || AppendTypedCondition(choices.conditions.p, choices.conditions.n, pszFilter));
    }
    choices.bUseConditions = choice.useConditions;
    std::copy(choice.sortKeys.begin(), choice.sortKeys.end(), choices.aSortKeys);
    return theSession.OpenRecordSet(choices);
}

std::vector<DeliveredRow> ReadAllRows(int limit, size_t maxRows)
{
    std::vector<DeliveredRow> rows;
    std::vector<char> buffers[4];
    for (auto& buffer : buffers)
        buffer.resize(limit + 1);
    while (rows.size() <= maxRows)
    {
        if (!RDMODBCMoveNext(buffers[0].data(), limit, buffers[1].data(), limit,
                             buffers[2].data(), limit, buffers[3].data(), limit))
            break;
        rows.push_back({buffers[0].data(), buffers[1].data(), buffers[2].data(), buffers[3].data()});
    }
    return rows;
}

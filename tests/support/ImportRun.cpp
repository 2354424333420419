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
    ImportQuery query;
    query.strSchema = choice.schema.c_str();
    query.strTable = choice.table.c_str();
    for (int k = 0; k < 4; ++k)
    {
        query.astrColumns[k] = choice.columns[k].c_str();
        query.aFields[k] = choice.options[k];
    }
    if (choice.useConditions)
    {
        for (const char* pszFilter : choice.filters)
        {
            if (pszFilter != nullptr)
                query.filters.push_back(pszFilter);
        }
    }
    std::copy(choice.sortKeys.begin(), choice.sortKeys.end(), query.aSortKeys);
    return theSession.OpenRecordSet(query);
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

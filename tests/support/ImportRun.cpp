#include "ImportRun.h"
#include "RDMODBC.h"

#include <gtest/gtest.h>

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
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\KAVEX\\RDMODBC");
}

int OpenImport(const ImportChoice& choice)
{
    theSession.m_strConnect = choice.connect.c_str();
    CString columns[4];
    for (int k = 0; k < 4; ++k)
        columns[k] = choice.columns[k].c_str();
    return theSession.OpenRecordSet(choice.table.c_str(), columns, choice.options.data(),
                                    choice.filters.data(), (int)choice.filters.size(), choice.useConditions,
                                    choice.sortKeys.data(), choice.schema.c_str());
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

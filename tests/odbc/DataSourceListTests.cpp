#include "odbc/OdbcEnvironment.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
    const std::string LONG_DRIVER_NAME =
        "rdm_odbc driver with a name of two hundred characters 01234567890123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789012345";

    struct Listed
    {
        std::string name;
        std::string description;
        bool operator==(const Listed& other) const
        {
            return name == other.name && description == other.description;
        }
    };

    void PrintTo(const Listed& listed, std::ostream* os)
    {
        *os << "{" << listed.name << ", " << listed.description << "}";
    }

    // The whole walk as the data-source dialog makes it, bounded in case the
    // end mark never comes.
    std::vector<Listed> Walk(COdbcEnvironment& env, DsnType type)
    {
        std::vector<Listed> listed;
        for (CString strName = env.GetFirstDataSource(type); !strName.IsEmpty() && listed.size() < 1000;
             strName = env.GetNextDataSource())
            listed.push_back({strName.Str(), env.m_strDescription.Str()});
        return listed;
    }

    // Only this area's data sources: the configuration is shared with others.
    std::vector<Listed> Ours(const std::vector<Listed>& listed)
    {
        std::vector<Listed> ours;
        for (const Listed& entry : listed)
            if (entry.name.rfind("rdm_odbc_", 0) == 0)
                ours.push_back(entry);
        return ours;
    }

    const std::vector<Listed> USER_SOURCES = {
        {"rdm_odbc_catalog", "rdm_odbc user driver"},
        {"rdm_odbc_both", "rdm_odbc user driver"},
        {"rdm_odbc_long_driver", LONG_DRIVER_NAME.substr(0, 127)},   // cut, and used as it is
        {"rdm_odbc_rows", "rdm_odbc user driver"},
    };
    const std::vector<Listed> SYSTEM_SOURCES = {
        {"rdm_odbc_both", "rdm_odbc system driver"},
        {"rdm_odbc_system_only", "rdm_odbc system driver"},
    };
}

TEST(DataSourceList, ShowsEachKindOfDataSourceWithItsOwnDriver)
{
    // A name defined as both kinds comes once in the whole list, as the user's.
    std::vector<Listed> everything = USER_SOURCES;
    everything.push_back(SYSTEM_SOURCES[1]);
    struct Case { DsnType type; const std::vector<Listed>& expected; };
    const Case cases[] = {
        {dsnUser, USER_SOURCES},
        {dsnSystem, SYSTEM_SOURCES},   // rdm_odbc_both again, with the system driver
        {dsnAll, everything},
    };
    for (const Case& c : cases)
    {
        COdbcEnvironment env;
        EXPECT_EQ(c.expected, Ours(Walk(env, c.type))) << "kind " << (int)c.type;
    }
}

TEST(DataSourceList, EndsWithNoMoreDataSourcesAndNoDescription)
{
    for (DsnType type : {dsnUser, dsnSystem, dsnAll})
    {
        COdbcEnvironment env;
        ASSERT_FALSE(env.GetFirstDataSource(type).IsEmpty());
        CString strName;
        SQLRETURN nRetCode = SQL_SUCCESS;
        for (int i = 0; i < 1000 && SQL_SUCCEEDED(nRetCode); ++i)
            nRetCode = env.FetchDataSource(strName, SQL_FETCH_NEXT);
        EXPECT_EQ(SQL_NO_DATA, nRetCode);
        EXPECT_EQ("", env.m_strDescription.Str());
    }
}

TEST(DataSourceList, GivesNoNameForAnUnknownKindAndTheWalkGoesOn)
{
    for (int nType : {0, 4})
    {
        COdbcEnvironment env;
        std::vector<Listed> users = Walk(env, dsnUser);
        ASSERT_GE(users.size(), 2u);
        env.GetFirstDataSource(dsnUser);
        CString strDescription = env.m_strDescription;

        EXPECT_EQ("", env.GetFirstDataSource((DsnType)nType).Str());
        EXPECT_EQ(strDescription.Str(), env.m_strDescription.Str()) << "no fetch cleared it";
        EXPECT_EQ(users[1].name, env.GetNextDataSource().Str()) << "the user walk goes on undisturbed";
    }
}

TEST(DataSourceList, GivesNoNameOnAFailureOfTheDriverManager)
{
    COdbcEnvironment env;
    CString strName("kept");
    EXPECT_EQ(SQL_ERROR, env.FetchDataSource(strName, 99));
    EXPECT_EQ("kept", strName.Str());
    EXPECT_EQ("", env.m_strDescription.Str());

    CEnvironmentHandle henv;
    henv.Attach(env.m_henv.Detach());
    EXPECT_EQ("", env.GetFirstDataSource(dsnUser).Str()) << "without an environment handle";
}

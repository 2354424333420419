#include "TestEnv.h"

#include <gtest/gtest.h>
#include <cstdlib>

namespace
{
    std::string Environment(const char* pszName)
    {
        const char* pszValue = std::getenv(pszName);
        return pszValue ? pszValue : "";
    }

    std::string Join(const std::string& base, const std::string& relative)
    {
        return relative.empty() ? base : base + "/" + relative;
    }
}

std::string UnixToWindowsPath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& ch : path)
        if (ch == '/')
            ch = '\\';
    return path;
}

std::string TestEnvUnixPath(const std::string& relative)
{
    return Join(Environment("RDM_TESTENV"), relative);
}

std::string TestEnvWindowsPath(const std::string& relative)
{
    return UnixToWindowsPath(TestEnvUnixPath(relative));
}

std::string BinaryDirWindowsPath(const std::string& relative)
{
    return UnixToWindowsPath(Join(Environment("RDM_BINARY_DIR"), relative));
}

void ExecuteSql(const std::string& connect, const std::string& sql)
{
    CRawConnection connection(connect);
    EXPECT_TRUE(connection.IsOpen() && connection.Execute(sql)) << sql << ": " << connection.LastError();
}

std::vector<TextRow> QueryRows(const std::string& connect, const std::string& sql)
{
    CRawConnection connection(connect);
    std::vector<TextRow> rows;
    EXPECT_TRUE(connection.IsOpen() && connection.Query(sql, rows)) << sql << ": " << connection.LastError();
    return rows;
}

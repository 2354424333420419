#pragma once
// Where the test run keeps its data, and the bare connection's statements
// as a test's checks: a failure fails the test with the driver's words.
#include "RawConnection.h"

#include <string>
#include <vector>

// The test environment directory as a Unix path (what the ODBC driver, a
// Unix library, reads) and as a Windows path (what the test program opens).
std::string TestEnvUnixPath(const std::string& relative = "");
std::string TestEnvWindowsPath(const std::string& relative = "");
// The build directory as a Windows path.
std::string BinaryDirWindowsPath(const std::string& relative = "");
std::string UnixToWindowsPath(const std::string& unixPath);

// Runs a statement on a connect string (e.g. "DSN=rdm_engine_sqlite").
void ExecuteSql(const std::string& connect, const std::string& sql);

using TextRow = RawRow;
// Runs a query on a connect string and reads all its rows.
std::vector<TextRow> QueryRows(const std::string& connect, const std::string& sql);

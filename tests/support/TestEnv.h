#pragma once
// Where the test run keeps its data, and small ODBC helpers for fixtures.
#include <windows.h>
#include <sql.h>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The test environment directory as a Unix path (what the ODBC driver, a
// Unix library, reads) and as a Windows path (what the test program opens).
std::string TestEnvUnixPath(const std::string& relative = "");
std::string TestEnvWindowsPath(const std::string& relative = "");
// The build directory as a Windows path.
std::string BinaryDirWindowsPath(const std::string& relative = "");
std::string UnixToWindowsPath(const std::string& unixPath);

// Connects with the connect string (a failed connect fails the test), hands
// the connection to use, and disconnects.
void WithConnection(const std::string& connect, const std::function<void(SQLHDBC)>& use);
// Runs statements on a connect string (e.g. "DSN=rdm_session"); fails the
// test on any error.
void ExecuteSql(const std::string& connect, const std::string& sql);

// A row of a query's result, each value as text (std::nullopt for NULL).
using TextRow = std::vector<std::optional<std::string>>;
// Runs a query on a connect string and reads all its rows; fails the test on
// any error.
std::vector<TextRow> QueryRows(const std::string& connect, const std::string& sql);

#pragma once
// The engines that hold the customers fixture (tests/fixtures/customers):
// SQLite, and the MariaDB and PostgreSQL servers that the test run starts
// (tests/engines). A test that compares the engines loops over this list; its
// ctest entry needs the servers (rdm_test_uses_engines).
#include <vector>

struct TestEngine
{
    const char* name;
    const char* connect;   // the connect string of its customers data source
};

// SQLite, the embedded default, first.
const std::vector<TestEngine>& TestEngines();

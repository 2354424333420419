#pragma once
// The engines that hold the customers fixture (tests/fixtures/customers):
// SQLite, and the MariaDB and PostgreSQL servers that the test run starts
// (tests/engines). A test that compares the engines loops over this list; its
// ctest entry needs the servers (rdm_test_uses_engines).
#include <string>
#include <vector>

struct TestEngine
{
    const char* name;
    const char* connect;   // the connect string of its customers data source
};

// SQLite, the embedded default, first.
const std::vector<TestEngine>& TestEngines();

// A server of the test run that goes away under a user: stopped by Stop(),
// as its administrator stops it, and started again on the same data and
// port by Start() or at the latest when the object ends. Each returns once
// the server's script has done it, false when that takes longer than the
// bound. pszServer names the script and the data folder (tests/engines:
// "postgresql").
class CServerOutage
{
public:
    explicit CServerOutage(const char* pszServer) : m_server(pszServer) {}
    ~CServerOutage();
    CServerOutage(const CServerOutage&) = delete;
    CServerOutage& operator=(const CServerOutage&) = delete;

    bool Stop();
    bool Start();

private:
    bool Run(const char* pszAction);

    std::string m_server;
    bool m_bStopped = false;
};

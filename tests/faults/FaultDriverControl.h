#pragma once
// The test's side of the fault driver (tests/faults/driver). The test runs
// under Wine and cannot call the Unix library itself; it talks to it over a
// connection of its own, whose statements the driver takes as commands. That
// connection's calls and handles are not counted. Open it before the first
// FailCall: what happens before it is connected is counted as anyone's.
#include <windows.h>
#include <sql.h>
#include <string>
#include <vector>

// What the fault driver counted since the last FailCall.
struct FaultReport
{
    long nCalls = 0;                    // driver calls that counted
    std::string strFailed;              // the function of the failed call; "" when none was failed
    long nConnections = 0;              // the module's connections allocated and not freed
    long nStatements = 0;               // their statements allocated and not freed
    long nStatementsAtDisconnect = 0;   // statements still allocated when their connection closed
};

class CFaultDriverControl
{
public:
    explicit CFaultDriverControl(const std::string& strConnect);
    ~CFaultDriverControl();
    CFaultDriverControl(const CFaultDriverControl&) = delete;
    CFaultDriverControl& operator=(const CFaultDriverControl&) = delete;

    bool IsOpen() const { return m_bOpen; }
    // Fails the nth driver call from now on (0: fails none) and starts the
    // count anew.
    bool FailCall(long nCall);
    // Stops counting.
    bool Off();
    // What was counted; false when the driver did not answer.
    bool Report(FaultReport& report);

private:
    bool Execute(const std::string& strCommand, std::vector<std::pair<std::string, std::string>>& rows);

    SQLHENV m_henv = SQL_NULL_HENV;
    SQLHDBC m_hdbc = SQL_NULL_HDBC;
    bool m_bOpen = false;
};

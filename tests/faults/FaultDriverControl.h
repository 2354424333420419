#pragma once
// The test's side of the fault driver (tests/faults/driver). The test runs
// under Wine and cannot call the Unix library itself; it talks to it over a
// connection of its own, whose statements the driver takes as commands. That
// connection's calls and handles are not counted. Open it before the first
// FailCall: what happens before it is connected is counted as anyone's.
//
// The commands, each a statement text of its own:
//   "-- fault: at N"            fail the Nth counted call from now (0: none), count anew
//   "-- fault: fetch N STATE"   the Nth fetch from now hands its row over and fails
//   "-- fault: fetch N STATE column C"   ... and SQLGetData of column C fails too
//   "-- fault: lengths +N"      bound texts reported N bytes longer from the next fetch on
//   "-- fault: lengths +N from K"        ... from the Kth fetch from now on
//   "-- fault: off"             nothing failed, counted or changed any more
//   "-- fault: report"          a result of (name, value) rows: what FaultReport holds
// A fetch is a SQLFetch, SQLFetchScroll or SQLExtendedFetch of a statement
// not on the control connection; fetches are counted from the last fetch or
// lengths command, and the row faults stay until "off".
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
    long nFetches = 0;                  // fetches since the last FailFetch or StretchLengths
    long nFetchesFailed = 0;            // fetches failed after their row arrived (0 or 1)
    long nReadsFailed = 0;              // SQLGetData calls of the failed column that failed
    long nLengthsStretched = 0;         // bound values reported longer than they are
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
    // A value that does not convert: the nth fetch from now fetches its row,
    // the real driver writes the bound buffers, and then fails with SQL_ERROR
    // and the data exception strState ("22018": a text that is no number,
    // "22003": a number out of range), whose text names the fetch and
    // nColumn. With nColumn > 0 every SQLGetData of that column fails the
    // same way until the statement's next fetch.
    bool FailFetch(long nFetch, const std::string& strState, int nColumn = 0);
    // A driver that reports more than it wrote: from the nth fetch from now
    // on, each bound SQL_C_CHAR value that is not NULL and fits its buffer
    // gets nExtra added to its length (up to one less than the buffer
    // length, so it still counts as whole), and the bytes after its
    // terminator up to that length are set to 'X'. Only fetches of one row.
    bool StretchLengths(long nExtra, long nFromFetch = 1);
    // Stops counting and failing, and the row faults.
    bool Off();
    // What was counted; false when the driver did not answer.
    bool Report(FaultReport& report);

private:
    bool Execute(const std::string& strCommand, std::vector<std::pair<std::string, std::string>>& rows);

    SQLHENV m_henv = SQL_NULL_HENV;
    SQLHDBC m_hdbc = SQL_NULL_HDBC;
    bool m_bOpen = false;
};

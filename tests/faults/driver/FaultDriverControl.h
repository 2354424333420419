#pragma once
// The test's side of the fault driver (tests/faults/driver). The test runs
// under Wine and cannot call the Unix library itself; it talks to it over a
// connection of its own, whose statements the driver takes as commands. That
// connection's calls and handles are not counted. Open it before the first
// FailCall: what happens before it is connected is counted as anyone's.
//
// The commands, each a statement text of its own:
//   "-- fault: at N"            fail the Nth counted call from now (0: none), count anew
//   "-- fault: call NAME"       fail every call of the function NAME from now, count anew
//   "-- fault: call NAME STATE NATIVE TEXT"   ... each with that diagnostic record
//   "-- fault: fetch N STATE"   the fetch of the Nth row from now hands it over and fails
//   "-- fault: fetch N STATE column C"   ... and SQLGetData of column C fails too
//   "-- fault: fetch N STATE norow"      ... fails before the row instead
//   "-- fault: fetch N STATE norow repeat"   ... and so does every fetch after it
//   "-- fault: fetch N STATE repeat"     ... every fetch from it claims the row, not moving on
//   "-- fault: row N STATE"     the fetch of the Nth row hands over the rows before it and fails
//   "-- fault: lengths +N"      bound texts reported N bytes longer from the next fetch on
//   "-- fault: lengths +N from K"        ... from the Kth fetch from now on
//   "-- fault: pieces short"    each SQLGetData as text gets one byte less room
//   "-- fault: off"             nothing failed, counted or changed any more
//   "-- fault: report"          a result of (name, value) rows: what FaultReport holds
// A data source whose odbc.ini entry has SlowMs=N is a busy one: each query
// and catalog call waits N ms before it runs, unless SQLCancel ends the wait.
// A fetch is a SQLFetch, SQLFetchScroll or SQLExtendedFetch of a statement
// not on the control connection nor reading the type information; fetches
// and their rows are counted from the last fetch, row or lengths command,
// and the row faults stay until "off".
#include "RawConnection.h"

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
    long nFetchesFailed = 0;            // fetches the failed fetch failed
    long nReadsFailed = 0;              // SQLGetData calls of the failed column that failed
    long nLengthsStretched = 0;         // bound values reported longer than they are
    long nPiecesShortened = 0;          // SQLGetData calls given less room
    long nWaitsCancelled = 0;           // waits of a busy data source that SQLCancel ended, ever
};

class CFaultDriverControl
{
public:
    explicit CFaultDriverControl(const std::string& strConnect);
    ~CFaultDriverControl();
    CFaultDriverControl(const CFaultDriverControl&) = delete;
    CFaultDriverControl& operator=(const CFaultDriverControl&) = delete;

    bool IsOpen() const { return m_connection.IsOpen(); }
    // Fails the nth driver call from now on (0: fails none) and starts the
    // count anew.
    bool FailCall(long nCall);
    // Fails every call of the driver function of that name ("SQLColumns")
    // from now on, until Off, and starts the count anew.
    bool FailFunction(const std::string& strFunction);
    // ... each failed call with that SQLSTATE, native error and text.
    bool FailFunction(const std::string& strFunction, const std::string& strState, long nNative,
                      const std::string& strText);
    // A value that does not convert: the fetch of the nth row from now
    // fetches it, the real driver writes the bound buffers, and then fails
    // with SQL_ERROR (in a block: SQL_SUCCESS_WITH_INFO) and the data
    // exception strState ("22018": a text that is no number, "22003": a
    // number out of range), whose text names the fetch, the row and nColumn,
    // the row marked SQL_ROW_ERROR in the row statuses. With nColumn > 0
    // every SQLGetData of that column fails the same way until the
    // statement's next fetch. strHow "norow" fails the fetch before the row
    // (a server that fails while it makes it), "norow repeat" every fetch
    // from then on, "repeat" every fetch from then on claiming the row it
    // stands on without moving on.
    bool FailFetch(long nRow, const std::string& strState, int nColumn = 0, const std::string& strHow = "");
    // A failure that ends the rows: the fetch of the nth row from now hands
    // over the rows before it, marks the nth SQL_ROW_ERROR and fails with
    // SQL_ERROR and strState ("08S01": the connection broke; a data
    // exception: a block that failed as a whole on a value).
    bool FailRow(long nRow, const std::string& strState);
    // A driver that will not split a character: from now on each SQLGetData
    // as text reaches the real driver with one byte less room, so each full
    // piece ends a byte short of the buffer's end.
    bool ShortenPieces();
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
    CRawConnection m_connection;
};

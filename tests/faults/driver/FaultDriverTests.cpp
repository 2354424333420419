// The fault driver itself, before it judges the module: through a bare
// connection of a program, each fault it is told to play is played as its
// control connection describes it (FaultDriverControl.h), and what it
// counts is what happened.
#include "FaultDriverControl.h"
#include "RawConnection.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <string>

using namespace std::string_literals;

namespace
{
    const char kControl[] = "DSN=rdm_fault_control";
    const char kPartsSource[] = "DSN=rdm_fault";
    const char kLabelsSource[] = "DSN=rdm_fault_rows";
    // An import's statement, whose rows the row faults count.
    const char kLabelsQuery[] = "SELECT DISTINCT Pos, Caption, Note FROM Labels ORDER BY Pos";
    const int kPosColumn = 1;
    const int kCaptionColumn = 2;
    const int kNoteColumn = 3;
    const size_t kLabelRows = 6;

    // The first diagnostic record of a statement: its SQLSTATE and text.
    std::string Diagnostic(SQLHSTMT hstmt)
    {
        SQLCHAR szState[6] = "";
        SQLCHAR szMessage[256] = "";
        SQLINTEGER nNative = 0;
        SQLSMALLINT nLength = 0;
        if (!SQL_SUCCEEDED(::SQLGetDiagRec(SQL_HANDLE_STMT, hstmt, 1, szState, &nNative, szMessage,
                                           sizeof szMessage, &nLength)))
            return "";
        return std::string((const char*)szState) + " " + (const char*)szMessage;
    }

    // Column nColumn of the current row as text, or the diagnostic of its
    // failed read.
    std::string ReadText(SQLHSTMT hstmt, int nColumn)
    {
        char szValue[512] = "";
        SQLLEN nIndicator = 0;
        if (!SQL_SUCCEEDED(::SQLGetData(hstmt, (SQLUSMALLINT)nColumn, SQL_C_CHAR, szValue, sizeof szValue,
                                        &nIndicator)))
            return "failed: " + Diagnostic(hstmt);
        return nIndicator == SQL_NULL_DATA ? "NULL" : szValue;
    }

    // A text column bound to a buffer of its own, filled with '.' before
    // each fetch so that what the fetch writes shows.
    struct BoundText
    {
        explicit BoundText(size_t nSize) : buffer(nSize) {}
        SQLRETURN Bind(SQLHSTMT hstmt, int nColumn)
        {
            return ::SQLBindCol(hstmt, (SQLUSMALLINT)nColumn, SQL_C_CHAR, buffer.data(), (SQLLEN)buffer.size(),
                                &nIndicator);
        }
        void Clear() { std::fill(buffer.begin(), buffer.end(), '.'); }
        // The bytes up to the length the fetch reported, and the one after:
        // the value, its terminator and whatever lies behind it.
        std::string Written() const
        {
            const size_t nBytes = nIndicator >= 0 && (size_t)nIndicator + 1 < buffer.size() ? (size_t)nIndicator + 1
                                                                                            : buffer.size();
            return std::string(buffer.data(), nBytes);
        }
        std::vector<char> buffer;
        SQLLEN nIndicator = 0;
    };

    // The Labels, as a program runs the import's statement on them.
    class FaultDriver : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            ASSERT_TRUE(m_control.IsOpen()) << "no control connection to the fault driver";
            ASSERT_TRUE(m_control.Off()) << "a clean start: nothing set, fetches counted from here";
            ASSERT_TRUE(m_labels.IsOpen()) << m_labels.LastError();
            ASSERT_TRUE(SQL_SUCCEEDED(m_hstmt.Allocate(m_labels.Handle())));
            ASSERT_TRUE(SQL_SUCCEEDED(::SQLExecDirect(m_hstmt, (SQLCHAR*)kLabelsQuery, SQL_NTS)));
        }
        void TearDown() override { m_control.Off(); }

        CFaultDriverControl m_control{kControl};
        CRawConnection m_labels{kLabelsSource};
        CStatementHandle m_hstmt;
    };
}

TEST(FaultDriverCalls, FailsTheChosenCallAndCountsHandles)
{
    CFaultDriverControl control(kControl);
    ASSERT_TRUE(control.IsOpen()) << "no control connection to the fault driver";
    ASSERT_TRUE(control.FailCall(0));
    FaultReport report;
    {
        CRawConnection connection(kPartsSource);
        ASSERT_TRUE(connection.IsOpen()) << connection.LastError();
        CStatementHandle hstmt;
        ASSERT_TRUE(SQL_SUCCEEDED(hstmt.Allocate(connection.Handle())));
        ASSERT_TRUE(control.Report(report));
        EXPECT_GT(report.nCalls, 0);
        EXPECT_EQ("", report.strFailed);
        EXPECT_EQ(1, report.nConnections);
        EXPECT_EQ(1, report.nStatements);

        ASSERT_TRUE(control.FailCall(1));
        EXPECT_EQ(SQL_ERROR, ::SQLExecDirect(hstmt, (SQLCHAR*)"SELECT Name FROM Parts", SQL_NTS));
        const std::string diagnostic = Diagnostic(hstmt);
        EXPECT_EQ(0u, diagnostic.find("HY000 ")) << diagnostic;
        EXPECT_NE(std::string::npos, diagnostic.find("injected fault at call 1: SQLExecDirect")) << diagnostic;
        SQLCHAR szState[6] = "";
        SQLCHAR szMessage[256] = "";
        SQLINTEGER nNative = 0;
        SQLSMALLINT nLength = 0;
        EXPECT_EQ(SQL_NO_DATA, ::SQLGetDiagRec(SQL_HANDLE_STMT, hstmt, 2, szState, &nNative, szMessage,
                                               sizeof szMessage, &nLength)) << "one record";
        EXPECT_TRUE(SQL_SUCCEEDED(::SQLExecDirect(hstmt, (SQLCHAR*)"SELECT Name FROM Parts", SQL_NTS)))
            << "only the chosen call fails";
        ASSERT_TRUE(control.Report(report));
        EXPECT_EQ(2, report.nCalls);
        EXPECT_EQ("SQLExecDirect", report.strFailed);

        // A disconnect before the statement is freed is counted; the SQLite
        // driver refuses it, and both handles stay.
        EXPECT_EQ(SQL_ERROR, ::SQLDisconnect(connection.Handle()));
        ASSERT_TRUE(control.Report(report));
        EXPECT_EQ(1, report.nStatementsAtDisconnect);
        EXPECT_EQ(1, report.nConnections);
        EXPECT_EQ(1, report.nStatements);
    }
    ASSERT_TRUE(control.Report(report));
    EXPECT_EQ(0, report.nConnections);
    EXPECT_EQ(0, report.nStatements);
}

// The chosen fetch fetches its row and then fails with the data exception,
// its column fails again when read, and the next fetch goes on as if
// nothing had happened.
TEST_F(FaultDriver, FailsAFetchAfterItsRowArrived)
{
    BoundText pos(16);
    ASSERT_TRUE(SQL_SUCCEEDED(pos.Bind(m_hstmt, kPosColumn)));
    ASSERT_TRUE(m_control.FailFetch(2, "22018", kCaptionColumn));

    EXPECT_EQ(SQL_SUCCESS, ::SQLFetch(m_hstmt));
    EXPECT_STREQ("1", pos.buffer.data());
    EXPECT_EQ(SQL_ERROR, ::SQLFetch(m_hstmt));
    EXPECT_EQ("22018 injected conversion failure at fetch 2, row 2, column 2: invalid character value for the cast",
              Diagnostic(m_hstmt));
    // The driver manager keeps a copy of the record without its column:
    // which value failed, only the text says.
    SQLINTEGER nColumn = -1;
    EXPECT_EQ(SQL_SUCCESS, ::SQLGetDiagField(SQL_HANDLE_STMT, m_hstmt, 1, SQL_DIAG_COLUMN_NUMBER, &nColumn, 0,
                                             nullptr));
    EXPECT_EQ(0, nColumn);
    EXPECT_STREQ("2", pos.buffer.data()) << "the row arrived in the bound buffer";
    EXPECT_EQ("2", ReadText(m_hstmt, kPosColumn));
    const std::string strFailed = "failed: 22018 injected conversion failure at fetch 2, row 2, column 2: invalid "
                                  "character value for the cast";
    EXPECT_EQ(strFailed, ReadText(m_hstmt, kCaptionColumn));
    EXPECT_EQ(strFailed, ReadText(m_hstmt, kCaptionColumn)) << "read again, it fails again";
    EXPECT_EQ("M8", ReadText(m_hstmt, kNoteColumn));

    EXPECT_EQ(SQL_SUCCESS, ::SQLFetch(m_hstmt));
    EXPECT_EQ(std::string(250, 'L'), ReadText(m_hstmt, kCaptionColumn)) << "the next row reads whole";
    FaultReport report;
    ASSERT_TRUE(m_control.Report(report));
    EXPECT_EQ(3, report.nFetches);
    EXPECT_EQ(1, report.nFetchesFailed);
    EXPECT_EQ(2, report.nReadsFailed);

    // On the first row the driver manager keeps the statement before its
    // first row: it refuses every SQLGetData itself, and only the bound
    // buffers hold the row.
    ASSERT_TRUE(SQL_SUCCEEDED(::SQLFreeStmt(m_hstmt, SQL_CLOSE)));
    ASSERT_TRUE(SQL_SUCCEEDED(::SQLExecDirect(m_hstmt, (SQLCHAR*)kLabelsQuery, SQL_NTS)));
    ASSERT_TRUE(m_control.FailFetch(1, "22003", kNoteColumn));
    EXPECT_EQ(SQL_ERROR, ::SQLFetch(m_hstmt));
    EXPECT_EQ("22003 injected conversion failure at fetch 1, row 1, column 3: numeric value out of range",
              Diagnostic(m_hstmt));
    EXPECT_STREQ("1", pos.buffer.data());
    EXPECT_EQ("failed: 24000 [unixODBC][Driver Manager]Invalid cursor state", ReadText(m_hstmt, kPosColumn));
    EXPECT_EQ(SQL_SUCCESS, ::SQLFetch(m_hstmt));
    EXPECT_EQ("2", ReadText(m_hstmt, kPosColumn));
    ASSERT_TRUE(m_control.Report(report));
    EXPECT_EQ(0, report.nReadsFailed) << "no read reached the driver";
}

// Row faults that no driver plays are refused, and leave nothing set: every
// row is fetched as it is.
TEST_F(FaultDriver, RefusesRowFaultsItCannotPlay)
{
    struct Case
    {
        long nFetch;
        const char* pszState;
        int nColumn;
    };
    const Case failedFetches[] = {
        {0, "22018", 0},       // fetches count from 1
        {2, "HY000", 0},       // not a data exception
        {2, "2201", 0},
        {2, "22018x", 0},
        {2, "22018", 70000},   // no such column number
    };
    for (const Case& c : failedFetches)
        EXPECT_FALSE(m_control.FailFetch(c.nFetch, c.pszState, c.nColumn)) << c.nFetch << " " << c.pszState;
    EXPECT_FALSE(m_control.FailFetch(2, "22018", 0, "repeat norow")) << "the clauses in their order only";
    EXPECT_FALSE(m_control.FailRow(2, "2201"));
    EXPECT_FALSE(m_control.FailRow(0, "08S01"));
    EXPECT_FALSE(m_control.StretchLengths(0));
    EXPECT_FALSE(m_control.StretchLengths(7, 0));

    BoundText caption(400);
    ASSERT_TRUE(SQL_SUCCEEDED(caption.Bind(m_hstmt, kCaptionColumn)));
    size_t nRows = 0;
    while (::SQLFetch(m_hstmt) == SQL_SUCCESS)
        ++nRows;
    EXPECT_EQ(kLabelRows, nRows);
    EXPECT_EQ(std::string(300, 'M'), caption.buffer.data()) << "the last row whole";
    FaultReport report;
    ASSERT_TRUE(m_control.Report(report));
    EXPECT_EQ((long)kLabelRows + 1, report.nFetches) << "every row and the end";
    EXPECT_EQ(0, report.nFetchesFailed);
    EXPECT_EQ(0, report.nLengthsStretched);
}

// A sloppy driver's lengths: from the chosen fetch on, each bound text that
// is not NULL and fits its buffer is reported longer, within its buffer,
// with stale bytes behind its terminator; other values stay as written.
TEST_F(FaultDriver, ReportsLongerLengthsWithStaleBytesBehind)
{
    SQLINTEGER nPos = 0;
    SQLLEN nPosIndicator = 0;
    ASSERT_TRUE(SQL_SUCCEEDED(::SQLBindCol(m_hstmt, kPosColumn, SQL_C_SLONG, &nPos, 0, &nPosIndicator)));
    BoundText caption(32);
    BoundText note(16);
    ASSERT_TRUE(SQL_SUCCEEDED(caption.Bind(m_hstmt, kCaptionColumn)));
    ASSERT_TRUE(SQL_SUCCEEDED(note.Bind(m_hstmt, kNoteColumn)));
    ASSERT_TRUE(m_control.StretchLengths(7, 2));

    // The bytes of each text ("": a value cut to its buffer or NULL, not
    // looked at).
    struct Case
    {
        SQLLEN nCaptionLength;
        std::string captionBytes;
        SQLLEN nNoteLength;
        std::string noteBytes;
    };
    const Case cases[] = {
        {29, "Hexagon socket head cap screw\0"s, 17, ""},   // the fetch before the fault's first
        {10, "Nut\0XXXXXXX"s, 9, "M8\0XXXXXXX"s},
        {250, "", 15, "stainless\0XXXXXX"s},                // cut: as it was; stretched to the buffer's end
        {10, "Pin\0XXXXXXX"s, SQL_NULL_DATA, ""},
        {7, "\0XXXXXXX"s, 12, "brass\0XXXXXXX"s},
    };
    int nRow = 0;
    for (const Case& c : cases)
    {
        ++nRow;
        caption.Clear();
        note.Clear();
        ASSERT_TRUE(SQL_SUCCEEDED(::SQLFetch(m_hstmt))) << "row " << nRow;
        EXPECT_EQ(nRow, nPos);
        EXPECT_EQ((SQLLEN)sizeof nPos, nPosIndicator) << "row " << nRow << ": not a text";
        EXPECT_EQ(c.nCaptionLength, caption.nIndicator) << "row " << nRow;
        EXPECT_EQ(c.nNoteLength, note.nIndicator) << "row " << nRow;
        if (!c.captionBytes.empty())
        {
            EXPECT_EQ(c.captionBytes, caption.Written()) << "row " << nRow;
        }
        if (!c.noteBytes.empty())
        {
            EXPECT_EQ(c.noteBytes, note.Written()) << "row " << nRow;
        }
    }
    FaultReport report;
    ASSERT_TRUE(m_control.Report(report));
    EXPECT_EQ(6, report.nLengthsStretched);
}

// Rows that a driver hands over badly. A value that the driver fails to
// convert while it fetches the row into the bound buffers fails that fetch
// with a data exception (SQLSTATE class 22) after the row arrived: the
// import still delivers the row, the field whose own read fails empty, and
// reads on. A driver that reports a longer length than the bytes it wrote
// puts nothing stale into a value. The fault driver (tests/faults/driver)
// plays both drivers in front of the SQLite driver.
#include "FaultDriverControl.h"
#include "ImportRun.h"
#include "MessageBoxRecorder.h"
#include "RDMODBC.h"
#include "TestEnv.h"
#include "framework/OdbcHandle.h"

#include <gtest/gtest.h>
#include <sqlext.h>
#include <algorithm>
#include <string>

using namespace std::string_literals;

namespace
{
    const char kControl[] = "DSN=rdm_fault_control";
    const char kLabelsSource[] = "DSN=rdm_fault_rows";
    // An import's statement, whose rows the row faults count.
    const char kLabelsQuery[] = "SELECT DISTINCT Pos, Caption, Note FROM Labels ORDER BY Pos";
    const int kPosColumn = 1;
    const int kCaptionColumn = 2;
    const int kNoteColumn = 3;
    // Values that fit the buffer the record set binds, and values that do not.
    const std::string kNearlyFull(250, 'L');
    const std::string kTooLong(300, 'M');

    // The Labels as the import delivers them: Caption on output field 0, Pos
    // on the primary field 1, Note on field 2; the statement selects them
    // as columns 1 (Pos), 2 (Caption) and 3 (Note).
    const int kCaptionField = 0;
    const int kPosField = 1;
    const int kNoteField = 2;
    const std::vector<DeliveredRow> kLabels = {
        {"Hexagon socket head cap screw", "1", "zinc plated steel", ""},
        {"Nut", "2", "M8", ""},
        {kNearlyFull, "3", "stainless", ""},
        {"Pin", "4", "", ""},
        {"", "5", "brass", ""},
        {kTooLong, "6", "x", ""},
    };
    // Room for the longest value whole.
    const int kFieldLimit = 400;
    // Each mapped field ends in this mark, behind its value: a NUL taken
    // into a value would end the host's text before it.
    const char kEndMark[] = "|";
    const int kMappedFields[] = {kCaptionField, kPosField, kNoteField};

    ImportChoice Labels()
    {
        ImportChoice choice;
        choice.connect = kLabelsSource;
        choice.table = "Labels";
        choice.columns = {"Caption", "Pos", "Note", ""};
        for (int nField : kMappedFields)
            choice.options[nField].m_strSuffix = kEndMark;
        choice.sortKeys[0].nField = kPosField;
        return choice;
    }

    std::vector<DeliveredRow> WithEndMarks(std::vector<DeliveredRow> rows)
    {
        for (DeliveredRow& row : rows)
            for (int nField : kMappedFields)
                row[nField] += kEndMark;
        return rows;
    }

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

    class RowFault : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            ASSERT_TRUE(m_control.IsOpen()) << "no control connection to the fault driver";
            ASSERT_TRUE(m_control.Off()) << "a clean start: nothing set, fetches counted from here";
        }
        void TearDown() override
        {
            RDMODBCClose();
            m_control.Off();
        }

        CFaultDriverControl m_control{kControl};
        CMessageBoxRecorder m_messageBoxes;
    };
}

// The fault driver itself, before it judges the module: the chosen fetch
// fetches its row and then fails with the data exception, its column fails
// again when read, and the next fetch goes on as if nothing had happened.
TEST_F(RowFault, TheFaultDriverFailsAFetchAfterItsRowArrived)
{
    WithConnection(kLabelsSource, [&](SQLHDBC hdbc) {
        CStatementHandle hstmt;
        ASSERT_TRUE(SQL_SUCCEEDED(hstmt.Allocate(hdbc)));
        ASSERT_TRUE(SQL_SUCCEEDED(::SQLExecDirect(hstmt, (SQLCHAR*)kLabelsQuery, SQL_NTS)));
        BoundText pos(16);
        ASSERT_TRUE(SQL_SUCCEEDED(pos.Bind(hstmt, kPosColumn)));
        ASSERT_TRUE(m_control.FailFetch(2, "22018", kCaptionColumn));

        EXPECT_EQ(SQL_SUCCESS, ::SQLFetch(hstmt));
        EXPECT_STREQ("1", pos.buffer.data());
        EXPECT_EQ(SQL_ERROR, ::SQLFetch(hstmt));
        EXPECT_EQ("22018 injected conversion failure at fetch 2, row 2, column 2: invalid character value for the cast",
                  Diagnostic(hstmt));
        // The driver manager keeps a copy of the record without its column:
        // which value failed, only the text says.
        SQLINTEGER nColumn = -1;
        EXPECT_EQ(SQL_SUCCESS, ::SQLGetDiagField(SQL_HANDLE_STMT, hstmt, 1, SQL_DIAG_COLUMN_NUMBER, &nColumn, 0,
                                                 nullptr));
        EXPECT_EQ(0, nColumn);
        EXPECT_STREQ("2", pos.buffer.data()) << "the row arrived in the bound buffer";
        EXPECT_EQ("2", ReadText(hstmt, kPosColumn));
        const std::string strFailed = "failed: 22018 injected conversion failure at fetch 2, row 2, column 2: invalid "
                                      "character value for the cast";
        EXPECT_EQ(strFailed, ReadText(hstmt, kCaptionColumn));
        EXPECT_EQ(strFailed, ReadText(hstmt, kCaptionColumn)) << "read again, it fails again";
        EXPECT_EQ("M8", ReadText(hstmt, kNoteColumn));

        EXPECT_EQ(SQL_SUCCESS, ::SQLFetch(hstmt));
        EXPECT_EQ(kNearlyFull, ReadText(hstmt, kCaptionColumn)) << "the next row reads whole";
        FaultReport report;
        ASSERT_TRUE(m_control.Report(report));
        EXPECT_EQ(3, report.nFetches);
        EXPECT_EQ(1, report.nFetchesFailed);
        EXPECT_EQ(2, report.nReadsFailed);

        // On the first row the driver manager keeps the statement before its
        // first row: it refuses every SQLGetData itself, and only the bound
        // buffers hold the row.
        ASSERT_TRUE(SQL_SUCCEEDED(::SQLFreeStmt(hstmt, SQL_CLOSE)));
        ASSERT_TRUE(SQL_SUCCEEDED(::SQLExecDirect(hstmt, (SQLCHAR*)kLabelsQuery, SQL_NTS)));
        ASSERT_TRUE(m_control.FailFetch(1, "22003", kNoteColumn));
        EXPECT_EQ(SQL_ERROR, ::SQLFetch(hstmt));
        EXPECT_EQ("22003 injected conversion failure at fetch 1, row 1, column 3: numeric value out of range",
                  Diagnostic(hstmt));
        EXPECT_STREQ("1", pos.buffer.data());
        EXPECT_EQ("failed: 24000 [unixODBC][Driver Manager]Invalid cursor state", ReadText(hstmt, kPosColumn));
        EXPECT_EQ(SQL_SUCCESS, ::SQLFetch(hstmt));
        EXPECT_EQ("2", ReadText(hstmt, kPosColumn));
        ASSERT_TRUE(m_control.Report(report));
        EXPECT_EQ(0, report.nReadsFailed) << "no read reached the driver";
    });
}

// Row faults that no driver plays are refused, and leave nothing set.
TEST_F(RowFault, TheFaultDriverRefusesRowFaultsItCannotPlay)
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
    EXPECT_FALSE(m_control.FailRow(2, "22018")) << "a data exception is a failed fetch's";
    EXPECT_FALSE(m_control.FailRow(0, "08S01"));
    EXPECT_FALSE(m_control.StretchLengths(0));
    EXPECT_FALSE(m_control.StretchLengths(7, 0));

    EXPECT_EQ(1, OpenImport(Labels()));
    EXPECT_EQ(WithEndMarks(kLabels), ReadAllRows(kFieldLimit, kLabels.size() + 1));
    FaultReport report;
    ASSERT_TRUE(m_control.Report(report));
    EXPECT_EQ((long)kLabels.size() + 1, report.nFetches) << "every row and the end";
    EXPECT_EQ(0, report.nFetchesFailed);
    EXPECT_EQ(0, report.nLengthsStretched);
}

// A sloppy driver's lengths: from the chosen fetch on, each bound text that
// is not NULL and fits its buffer is reported longer, within its buffer,
// with stale bytes behind its terminator; other values stay as written.
TEST_F(RowFault, TheFaultDriverReportsLongerLengthsWithStaleBytesBehind)
{
    WithConnection(kLabelsSource, [&](SQLHDBC hdbc) {
        CStatementHandle hstmt;
        ASSERT_TRUE(SQL_SUCCEEDED(hstmt.Allocate(hdbc)));
        ASSERT_TRUE(SQL_SUCCEEDED(::SQLExecDirect(hstmt, (SQLCHAR*)kLabelsQuery, SQL_NTS)));
        SQLINTEGER nPos = 0;
        SQLLEN nPosIndicator = 0;
        ASSERT_TRUE(SQL_SUCCEEDED(::SQLBindCol(hstmt, kPosColumn, SQL_C_SLONG, &nPos, 0, &nPosIndicator)));
        BoundText caption(32);
        BoundText note(16);
        ASSERT_TRUE(SQL_SUCCEEDED(caption.Bind(hstmt, kCaptionColumn)));
        ASSERT_TRUE(SQL_SUCCEEDED(note.Bind(hstmt, kNoteColumn)));
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
            ASSERT_TRUE(SQL_SUCCEEDED(::SQLFetch(hstmt))) << "row " << nRow;
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
    });
}

// A value that does not convert while its row is fetched costs no more
// than the fields whose reads fail, wherever the row stands: the first row
// (fetched as the import opens), one in the middle, the last. Every other
// field and every other row arrives as it is, in order, without a message,
// and reading goes on to the end.
TEST_F(RowFault, ARowWhoseValueFailsToConvertArrivesWithThatFieldEmpty)
{
    struct Case
    {
        long nFetch;            // the row hit, counted from 1
        const char* pszState;
        int nColumn;            // the column whose own read fails as well; 0 for none
        DeliveredRow rowHit;    // as the import delivers it
    };
    const Case cases[] = {
        // The driver manager keeps a statement whose first fetch failed
        // before its first row, and refuses every read of it itself.
        {1, "22018", kCaptionColumn, {"", "", "", ""}},
        {3, "22003", kNoteColumn, {kNearlyFull, "3", "", ""}},
        {2, "22018", 0, {"Nut", "2", "M8", ""}},
        {4, "22018", kCaptionColumn, {"", "4", "", ""}},
        {6, "22003", kPosColumn, {kTooLong, "", "x", ""}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE("fetch " + std::to_string(c.nFetch) + " " + c.pszState + ", column " +
                     std::to_string(c.nColumn));
        std::vector<DeliveredRow> expected = kLabels;
        expected[c.nFetch - 1] = c.rowHit;
        m_messageBoxes.Clear();
        ASSERT_TRUE(m_control.FailFetch(c.nFetch, c.pszState, c.nColumn));

        EXPECT_EQ(1, OpenImport(Labels()));
        EXPECT_EQ(WithEndMarks(expected), ReadAllRows(kFieldLimit, kLabels.size() + 1));
        EXPECT_EQ(0u, m_messageBoxes.Boxes().size())
            << (m_messageBoxes.Boxes().empty() ? "" : m_messageBoxes.Boxes()[0].text);
        EXPECT_EQ(nullptr, theSession.m_pRecordset) << "reading ended at the end of the rows";
        RDMODBCClose();
        FaultReport report;
        ASSERT_TRUE(m_control.Report(report));
        EXPECT_EQ(1, report.nFetchesFailed) << "the fault fell on a row";
    }
}

// A driver that reports more bytes than it wrote, from the first row on or
// from a middle one, by a little or by more than the buffer holds: every
// value arrives exactly as without the fault, the short ones after long
// ones too.
TEST_F(RowFault, ALengthLongerThanTheValueLeavesNoStaleBytes)
{
    struct Case
    {
        long nExtra;
        long nFromFetch;
    };
    const Case cases[] = {{7, 1}, {1, 1}, {7, 3}, {1000, 1}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE("+" + std::to_string(c.nExtra) + " from fetch " + std::to_string(c.nFromFetch));
        m_messageBoxes.Clear();
        ASSERT_TRUE(m_control.StretchLengths(c.nExtra, c.nFromFetch));

        EXPECT_EQ(1, OpenImport(Labels()));
        EXPECT_EQ(WithEndMarks(kLabels), ReadAllRows(kFieldLimit, kLabels.size() + 1));
        EXPECT_TRUE(m_messageBoxes.Boxes().empty());
        RDMODBCClose();
        FaultReport report;
        ASSERT_TRUE(m_control.Report(report));
        EXPECT_GT(report.nLengthsStretched, 0) << "the driver reported no value longer";
    }
}

// A data exception that the server raises while it makes the next row
// leaves no row to deliver: reading ends after the rows before it, with the
// driver's message once and no empty row, whether the driver fails once or
// at every fetch from then on; at the first row the import does not open.
// A driver that claims a row at every fetch without moving on ends after a
// bounded number of such rows, with the message.
TEST_F(RowFault, ADataExceptionWithoutARowEndsReadingWithItsMessageOnce)
{
    struct Case
    {
        long nRow;
        const char* pszState;
        const char* pszHow;
        size_t nRowsDelivered;
        long nFetches;          // what the driver saw: no fetch after the end
    };
    const size_t nClaimed = CRecordset::MAX_DATA_EXCEPTIONS_IN_A_ROW;
    const Case cases[] = {
        {3, "22012", "norow", 2, 3},
        {3, "22012", "norow repeat", 2, 3},
        {6, "22P02", "norow", 5, 6},
        {1, "22003", "norow", 0, 1},
        {3, "22018", "repeat", 2 + nClaimed, 3 + (long)nClaimed},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.nRow) + " " + c.pszState + " " + c.pszHow);
        m_messageBoxes.Clear();
        ASSERT_TRUE(m_control.FailFetch(c.nRow, c.pszState, 0, c.pszHow));

        EXPECT_EQ(c.nRowsDelivered > 0 ? 1 : 0, OpenImport(Labels()));
        const std::vector<DeliveredRow> rows = ReadAllRows(kFieldLimit, nClaimed + kLabels.size());
        ASSERT_EQ(c.nRowsDelivered, rows.size());
        const size_t nBefore = std::min<size_t>(c.nRowsDelivered, c.nRow - 1);
        EXPECT_EQ(WithEndMarks({kLabels.begin(), kLabels.begin() + nBefore}),
                  std::vector<DeliveredRow>(rows.begin(), rows.begin() + nBefore));
        ASSERT_EQ(1u, m_messageBoxes.Boxes().size());
        EXPECT_NE(std::string::npos, m_messageBoxes.Boxes()[0].text.find(
                                         ", row " + std::to_string(c.nRow) + ", column 0: "))
            << m_messageBoxes.Boxes()[0].text;
        EXPECT_EQ(nullptr, theSession.m_pRecordset) << "reading ended";
        RDMODBCClose();
        FaultReport report;
        ASSERT_TRUE(m_control.Report(report));
        EXPECT_EQ(c.nFetches, report.nFetches);
    }
}

// A driver that will not split a character ends each piece of a long value
// short of the buffer's end: the pieces join without the terminators.
TEST_F(RowFault, APieceEndingShortOfItsBufferLeavesNoTerminatorInTheValue)
{
    ASSERT_TRUE(m_control.ShortenPieces());
    EXPECT_EQ(1, OpenImport(Labels()));
    EXPECT_EQ(WithEndMarks(kLabels), ReadAllRows(kFieldLimit, kLabels.size() + 1));
    EXPECT_TRUE(m_messageBoxes.Boxes().empty());
    FaultReport report;
    ASSERT_TRUE(m_control.Report(report));
    EXPECT_GE(report.nPiecesShortened, 2) << "the long value came in pieces";
}

// The same faults in front of PostgreSQL's driver, from which the import
// fetches blocks of rows: a failure on a row in the middle of a block, at
// its first or at its last row ends reading after the rows before it, with
// the driver's message, and a row whose value did not convert arrives with
// that field empty; all as when the rows are fetched one by one.
TEST_F(RowFault, AFailureInTheMiddleOfABlockEndsReadingAfterTheRowsBeforeIt)
{
    CFaultDriverControl control("DSN=rdm_fault_postgresql");
    ASSERT_TRUE(control.IsOpen()) << "no control connection to the fault driver in front of PostgreSQL";
    ASSERT_TRUE(control.Off());
    ImportChoice choice;
    choice.connect = "DSN=rdm_fault_postgresql";
    choice.table = "customers";
    choice.columns = {"name", "id", "city", ""};
    choice.sortKeys[0].nField = 1;
    const int nNameColumn = 2;   // selected as id, name, city
    ASSERT_EQ(1, OpenImport(choice));
    const std::vector<DeliveredRow> customers = ReadAllRows();
    ASSERT_EQ(10u, customers.size());

    struct Case
    {
        long nRow;
        const char* pszState;
        size_t nRowsDelivered;
        bool bMessage;
    };
    const Case cases[] = {
        {5, "08S01", 4, true},
        {1, "08S01", 0, true},
        {10, "HY000", 9, true},
        {5, "22018", 10, false},   // name read on its own fails again: empty
    };
    const SQLULEN nImportRowsPerFetch = theSession.m_nRowsPerFetch;
    for (const Case& c : cases)
    {
        std::vector<DeliveredRow> expected(customers.begin(), customers.begin() + c.nRowsDelivered);
        if (!c.bMessage)
            expected[c.nRow - 1][0] = "";
        for (SQLULEN nRowsPerFetch : {nImportRowsPerFetch, (SQLULEN)1})
        {
            SCOPED_TRACE("row " + std::to_string(c.nRow) + " " + c.pszState + ", rows per fetch " +
                         std::to_string(nRowsPerFetch));
            ASSERT_TRUE(c.bMessage ? control.FailRow(c.nRow, c.pszState)
                                   : control.FailFetch(c.nRow, c.pszState, nNameColumn));
            theSession.m_nRowsPerFetch = nRowsPerFetch;
            m_messageBoxes.Clear();
            EXPECT_EQ(c.nRowsDelivered > 0 ? 1 : 0, OpenImport(choice));
            if (c.nRowsDelivered > 0)
            {
                EXPECT_EQ(nRowsPerFetch, theSession.m_pRecordset->RowsPerFetch());
            }
            EXPECT_EQ(expected, ReadAllRows());
            ASSERT_EQ(c.bMessage ? 1u : 0u, m_messageBoxes.Boxes().size());
            if (c.bMessage)
            {
                EXPECT_NE(std::string::npos, m_messageBoxes.Boxes()[0].text.find(
                                                 ", row " + std::to_string(c.nRow) + ", column 0: "))
                    << m_messageBoxes.Boxes()[0].text;
            }
            RDMODBCClose();
        }
    }
    theSession.m_nRowsPerFetch = nImportRowsPerFetch;
}

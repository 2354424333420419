// Rows that a driver hands over badly. A value that the driver fails to
// convert while it fetches the row into the bound buffers fails that fetch
// with a data exception (SQLSTATE class 22) after the row arrived: the
// import still delivers the row, the field whose own read fails empty, and
// reads on. A driver that reports a longer length than the bytes it wrote
// puts nothing stale into a value. The fault driver (tests/faults/driver)
// plays both drivers in front of the SQLite driver.
#include "FaultDriverControl.h"
#include "ImportRun.h"
#include "ImportTest.h"
#include "RDMODBC.h"

#include <gtest/gtest.h>
#include <sqlext.h>
#include <algorithm>
#include <string>

namespace
{
    const char kControl[] = "DSN=rdm_fault_control";
    const char kLabelsSource[] = "DSN=rdm_fault_rows";
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

    class RowFault : public ImportTest
    {
    protected:
        void SetUp() override
        {
            ASSERT_TRUE(m_control.IsOpen()) << "no control connection to the fault driver";
            ASSERT_TRUE(m_control.Off()) << "a clean start: nothing set, fetches counted from here";
        }
        void TearDown() override
        {
            ImportTest::TearDown();
            m_control.Off();
        }

        CFaultDriverControl m_control{kControl};
    };
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
        ASSERT_TRUE(m_control.FailFetch(c.nFetch, c.pszState, c.nColumn));

        EXPECT_EQ(1, OpenImport(Labels()));
        EXPECT_EQ(WithEndMarks(expected), ReadAllRows(kFieldLimit, kLabels.size() + 1));
        const std::vector<RecordedMessageBox> boxes = TakeMessageBoxes();
        EXPECT_EQ(0u, boxes.size()) << (boxes.empty() ? "" : boxes[0].text);
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
        ASSERT_TRUE(m_control.StretchLengths(c.nExtra, c.nFromFetch));

        EXPECT_EQ(1, OpenImport(Labels()));
        EXPECT_EQ(WithEndMarks(kLabels), ReadAllRows(kFieldLimit, kLabels.size() + 1));
        EXPECT_TRUE(TakeMessageBoxes().empty());
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
        ASSERT_TRUE(m_control.FailFetch(c.nRow, c.pszState, 0, c.pszHow));

        EXPECT_EQ(c.nRowsDelivered > 0 ? 1 : 0, OpenImport(Labels()));
        const std::vector<DeliveredRow> rows = ReadAllRows(kFieldLimit, nClaimed + kLabels.size());
        ASSERT_EQ(c.nRowsDelivered, rows.size());
        const size_t nBefore = std::min<size_t>(c.nRowsDelivered, c.nRow - 1);
        EXPECT_EQ(WithEndMarks({kLabels.begin(), kLabels.begin() + nBefore}),
                  std::vector<DeliveredRow>(rows.begin(), rows.begin() + nBefore));
        const std::vector<RecordedMessageBox> boxes = TakeMessageBoxes();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_NE(std::string::npos, boxes[0].text.find(
                                         ", row " + std::to_string(c.nRow) + ", column 0: "))
            << boxes[0].text;
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
    EXPECT_TRUE(TakeMessageBoxes().empty());
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
        bool bBlocksOnly;       // one row fetched alone that fails on a value is that value's failure
    };
    const Case cases[] = {
        {5, "08S01", 4, true, false},
        {1, "08S01", 0, true, false},
        {10, "HY000", 9, true, false},
        {5, "22018", 10, false, false},   // name read on its own fails again: empty
        {5, "22012", 4, true, true},      // the block failed as a whole: its rest never came
    };
    const SQLULEN nImportRowsPerFetch = theSession.m_nRowsPerFetch;
    for (const Case& c : cases)
    {
        std::vector<DeliveredRow> expected(customers.begin(), customers.begin() + c.nRowsDelivered);
        if (!c.bMessage)
            expected[c.nRow - 1][0] = "";
        for (SQLULEN nRowsPerFetch : {nImportRowsPerFetch, (SQLULEN)1})
        {
            if (c.bBlocksOnly && nRowsPerFetch == 1)
                continue;
            SCOPED_TRACE("row " + std::to_string(c.nRow) + " " + c.pszState + ", rows per fetch " +
                         std::to_string(nRowsPerFetch));
            ASSERT_TRUE(c.bMessage ? control.FailRow(c.nRow, c.pszState)
                                   : control.FailFetch(c.nRow, c.pszState, nNameColumn));
            theSession.m_nRowsPerFetch = nRowsPerFetch;
            EXPECT_EQ(c.nRowsDelivered > 0 ? 1 : 0, OpenImport(choice));
            if (c.nRowsDelivered > 0)
            {
                EXPECT_EQ(nRowsPerFetch, theSession.m_pRecordset->RowsPerFetch());
            }
            EXPECT_EQ(expected, ReadAllRows());
            const std::vector<RecordedMessageBox> boxes = TakeMessageBoxes();
            ASSERT_EQ(c.bMessage ? 1u : 0u, boxes.size());
            if (c.bMessage)
            {
                EXPECT_NE(std::string::npos, boxes[0].text.find(
                                                 ", row " + std::to_string(c.nRow) + ", column 0: "))
                    << boxes[0].text;
            }
            RDMODBCClose();
        }
    }
    theSession.m_nRowsPerFetch = nImportRowsPerFetch;
}

// Faults of the data source between the dialogs and the last row: the user
// is told once, the host's loop ends, and nothing stays open.
#include "ImportRun.h"
#include "MessageBoxRecorder.h"
#include "RDMODBC.h"
#include "TestEnv.h"

#include <gtest/gtest.h>
#include <sql.h>
#include <sqlext.h>

namespace
{
    // A second connection of another program, holding the database file
    // locked while it lives.
    class CLockingConnection
    {
    public:
        explicit CLockingConnection(const std::string& connect)
        {
            ::SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_henv);
            ::SQLSetEnvAttr(m_henv, SQL_ATTR_ODBC_VERSION, (SQLPOINTER)SQL_OV_ODBC3, 0);
            ::SQLAllocHandle(SQL_HANDLE_DBC, m_henv, &m_hdbc);
            m_bLocked = SQL_SUCCEEDED(::SQLDriverConnect(m_hdbc, nullptr, (SQLCHAR*)connect.c_str(), SQL_NTS,
                                                         nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT));
            SQLHSTMT hstmt = SQL_NULL_HSTMT;
            ::SQLAllocHandle(SQL_HANDLE_STMT, m_hdbc, &hstmt);
            m_bLocked = m_bLocked && SQL_SUCCEEDED(::SQLExecDirect(hstmt, (SQLCHAR*)"BEGIN EXCLUSIVE", SQL_NTS));
            ::SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
        }
        ~CLockingConnection()
        {
            ::SQLDisconnect(m_hdbc);
            ::SQLFreeHandle(SQL_HANDLE_DBC, m_hdbc);
            ::SQLFreeHandle(SQL_HANDLE_ENV, m_henv);
        }
        bool IsLocked() const { return m_bLocked; }

    private:
        SQLHENV m_henv = SQL_NULL_HENV;
        SQLHDBC m_hdbc = SQL_NULL_HDBC;
        bool m_bLocked = false;
    };

    class DataSourceFault : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            // A private copy of the fixture, which the tests remove and lock.
            m_windowsPath = TestEnvWindowsPath("data/robustness-fault.db");
            ASSERT_TRUE(::CopyFileA(TestEnvWindowsPath("data/robustness.db").c_str(), m_windowsPath.c_str(), FALSE));
            m_connect = "DRIVER=SQLite3;Database=" + TestEnvUnixPath("data/robustness-fault.db") + ";Timeout=100";
        }
        void TearDown() override
        {
            RDMODBCClose();
            ::DeleteFileA(m_windowsPath.c_str());
        }

        void ExpectNothingOpen()
        {
            EXPECT_TRUE(theSession.m_pRecordset == nullptr || !theSession.m_pRecordset->IsOpen());
            EXPECT_FALSE(theSession.m_db.IsOpen());
            char szField[8] = "keep";
            EXPECT_EQ(0, RDMODBCMoveNext(szField, 7, szField, 7, szField, 7, szField, 7));
            EXPECT_STREQ("keep", szField);
        }

        // The user is told once, in the driver's words.
        void ExpectOneMessageWith(const char* pszWords)
        {
            ASSERT_EQ(1u, m_messageBoxes.Boxes().size());
            EXPECT_NE(std::string::npos, m_messageBoxes.Boxes()[0].text.find(pszWords))
                << m_messageBoxes.Boxes()[0].text;
        }

        static ImportChoice FailingRows(const char* pszConnect)
        {
            ImportChoice choice;
            choice.connect = pszConnect;
            choice.table = "failing_rows";
            choice.columns = {"", "id", "v", ""};
            return choice;
        }

        ImportChoice Numbers()
        {
            ImportChoice choice;
            choice.connect = m_connect;
            choice.table = "numbers";
            choice.columns = {"", "id", "n", ""};
            return choice;
        }

        std::string m_windowsPath;
        std::string m_connect;
        CMessageBoxRecorder m_messageBoxes;
    };
}

TEST_F(DataSourceFault, ADriverErrorAfterTwoRowsEndsTheLoopWithOneMessage)
{
    ASSERT_EQ(1, OpenImport(FailingRows("DSN=rdm_robustness_stepping")));
    std::vector<DeliveredRow> rows = ReadAllRows(32, 10);
    EXPECT_EQ((std::vector<DeliveredRow>{{"", "1", "5", ""}, {"", "2", "6", ""}}), rows)
        << "the rows before the failing one are delivered";
    ExpectOneMessageWith("integer overflow");
    EXPECT_EQ(nullptr, theSession.m_pRecordset);
    ExpectNothingOpen();
}

TEST_F(DataSourceFault, ADriverThatFailsWhileRunningTheStatementFailsTheOpen)
{
    EXPECT_EQ(0, OpenImport(FailingRows("DSN=rdm_robustness")));
    ExpectOneMessageWith("integer overflow");
    ExpectNothingOpen();
}

TEST_F(DataSourceFault, ADatabaseRemovedAfterTheDialogsIsReported)
{
    ASSERT_TRUE(::DeleteFileA(m_windowsPath.c_str()));
    EXPECT_EQ(0, OpenImport(Numbers()));
    ExpectOneMessageWith("numbers");
    ExpectNothingOpen();
}

TEST_F(DataSourceFault, ADatabaseRemovedWhileReadingIsReadToItsEnd)
{
    ImportChoice choice = Numbers();
    choice.connect += ";StepAPI=1";
    ASSERT_EQ(1, OpenImport(choice));
    ASSERT_TRUE(::DeleteFileA(m_windowsPath.c_str()));
    EXPECT_EQ(4u, ReadAllRows(32, 10).size()) << "the open file stays readable";
    EXPECT_TRUE(m_messageBoxes.Boxes().empty());
    ExpectNothingOpen();
}

TEST_F(DataSourceFault, ALockedDatabaseIsReportedWithinTheBusyTimeout)
{
    CLockingConnection lock(m_connect);
    ASSERT_TRUE(lock.IsLocked());
    EXPECT_EQ(0, OpenImport(Numbers()));
    ExpectOneMessageWith("locked");
    ExpectNothingOpen();
}

// Faults of the data source between the dialogs and the last row: the user
// is told once, the host's loop ends, and nothing stays open.
#include "ImportRun.h"
#include "ImportTest.h"
#include "RDMODBC.h"
#include "TestEnv.h"

#include <gtest/gtest.h>

namespace
{
    // A second connection of another program, holding the database file
    // locked while it lives.
    class CLockingConnection : public CRawConnection
    {
    public:
        explicit CLockingConnection(const std::string& connect)
            : CRawConnection(connect), m_bLocked(Execute("BEGIN EXCLUSIVE"))
        {
        }
        bool IsLocked() const { return m_bLocked; }

    private:
        bool m_bLocked;
    };

    class DataSourceFault : public ImportTest
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
            ImportTest::TearDown();
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
            const std::vector<RecordedMessageBox> boxes = TakeMessageBoxes();
            ASSERT_EQ(1u, boxes.size());
            EXPECT_NE(std::string::npos, boxes[0].text.find(pszWords)) << boxes[0].text;
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

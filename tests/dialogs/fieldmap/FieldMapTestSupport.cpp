#include "FieldMapTestSupport.h"

#include "TestEnv.h"
#include "langres/ResString.h"
#include "resource.h"

const char szArticles[] = "DSN=rdm_fmdlg_articles";
const char szBroken[] = "DSN=rdm_fmdlg_broken";
SessionConnection theConnection;

HMODULE FieldMapTest::s_hLanguageModule = nullptr;

BOOL CTestFieldMapDlg::OnInitDialog()
{
    BOOL bResult = CFieldMapDlg::OnInitDialog();
    m_rowsBeforePaint = robot::ListRows(m_hWnd, IDC_COLUMN_LIST);
    m_bConnectedBeforePaint = theConnection.m_db.IsOpen();
    if (m_beforeFirstPaint)
        m_beforeFirstPaint(m_hWnd);
    return bResult;
}

void FieldMapTest::SetUpTestSuite()
{
    s_hLanguageModule = ::LoadLibraryA(BinaryDirWindowsPath("rdmodbcres/RDMODBCRes.dll").c_str());
}

void FieldMapTest::TearDownTestSuite()
{
    ::FreeLibrary(s_hLanguageModule);
}

void FieldMapTest::SetUp()
{
    ASSERT_NE(nullptr, s_hLanguageModule);
    AfxGetModuleState()->m_hCurrentResourceHandle = s_hLanguageModule;
    // The data-source dialog leaves what the driver completed here.
    theConnection.m_strConnect = szArticles;
}

void FieldMapTest::TearDown()
{
    EXPECT_EQ(std::vector<std::string>{}, m_robot.Failures());
    EXPECT_EQ(0u, m_robot.PendingScripts());
    theConnection.m_db.Close();
}

std::string Str(UINT nID)
{
    return LoadResString(nID).Str();
}

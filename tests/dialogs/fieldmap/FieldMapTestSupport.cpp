#include "FieldMapTestSupport.h"

#include "langres/ResString.h"
#include "resource.h"

const char szArticles[] = "DSN=rdm_fmdlg_articles";
const char szBroken[] = "DSN=rdm_fmdlg_broken";
SessionConnection theConnection;

BOOL CTestFieldMapDlg::OnInitDialog()
{
    BOOL bResult = CFieldMapDlg::OnInitDialog();
    m_rowsBeforePaint = robot::ListRows(m_hWnd, IDC_COLUMN_LIST);
    m_bConnectedBeforePaint = theConnection.m_db.IsOpen();
    if (m_beforeFirstPaint)
        m_beforeFirstPaint(m_hWnd);
    return bResult;
}

void FieldMapTest::SetUp()
{
    DialogTest::SetUp();
    // The data-source dialog leaves what the driver completed here.
    theConnection.m_strConnect = szArticles;
}

void FieldMapTest::TearDown()
{
    DialogTest::TearDown();
    theConnection.m_db.Close();
}

std::string Str(UINT nID)
{
    return LoadResString(nID).Str();
}

#include "DialogTest.h"
#include "ImportTest.h"
#include "ImportRun.h"
#include "TestEnv.h"
#include "framework/CWinApp.h"

#include <commctrl.h>

HMODULE DialogTest::s_hLanguageModule = nullptr;

void DialogTest::SetUpTestSuite()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    s_hLanguageModule = ::LoadLibraryA(BinaryDirWindowsPath("rdmodbcres/RDMODBCRes.dll").c_str());
}

void DialogTest::TearDownTestSuite()
{
    ::FreeLibrary(s_hLanguageModule);
    s_hLanguageModule = nullptr;
}

void DialogTest::SetUp()
{
    ASSERT_NE(nullptr, s_hLanguageModule) << "no language module";
    AfxGetModuleState()->m_hCurrentResourceHandle = s_hLanguageModule;
    ForgetLastImport();
}

void DialogTest::TearDown()
{
    EXPECT_EQ(std::vector<std::string>{}, m_robot.Failures());
    EXPECT_EQ(0u, m_robot.PendingScripts()) << "scripts that no dialog met";
    ExpectImportClosed();
}

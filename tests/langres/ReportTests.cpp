// The fatal report's text, shown here without ending the test process.
#include "MessageBoxRecorder.h"
#include "langres/ResLoader.h"

#include <gtest/gtest.h>

namespace
{
    std::string ThisProgram()
    {
        char szPath[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, szPath, sizeof szPath);
        return szPath;
    }

    RecordedMessageBox Report(int nCode, const char* pszArgument)
    {
        CMessageBoxRecorder recorder;
        resReportError(nCode, FALSE, pszArgument);
        EXPECT_EQ(1u, recorder.Boxes().size());
        return recorder.Boxes().empty() ? RecordedMessageBox() : recorder.Boxes().front();
    }
}

TEST(FailureReport, ShowsTheMessageOfEachCode)
{
    struct Case { int nCode; const char* pszArgument; const char* pszMessage; };
    const Case cases[] = {
        {1, ".lng", "Language enumeration guide file not found! (extension: .lng)"},
        {2, nullptr, "Failed to start language setting application!"},
        {3, nullptr, "Error when generating unique registry key!"},
        {4, nullptr, "Error enumerating language packs!"},
        {5, nullptr, "No language pack instaled!"},
        {6, nullptr, "Error when writing extension to registry!"},
        {7, nullptr, "Failed to load resources!"},
        {8, "%s%n", "GuideFile and DefaultResources(.dll) are missing!"},
        {9, "C:\\App\\RDMODBCRes.US", "Failed to load resource file: C:\\App\\RDMODBCRes.US"},
        {9, "100% %s", "Failed to load resource file: 100% %s"},
        {10, "0", "Failed to locate module (HINSTANCE=0) for which to load load resource in resInitFromModule"},
        {0, nullptr, "Unknown error"},
        {11, nullptr, "Unknown error"},
    };
    const std::string tail = "\nCurrent module:" + ThisProgram() + "\nBasePath extract from HINSTANCE = " + ThisProgram()
                             + " (HINSTANCE=0)";
    for (const Case& c : cases)
    {
        RecordedMessageBox box = Report(c.nCode, c.pszArgument);
        EXPECT_EQ(c.pszMessage + tail, box.text) << "code " << c.nCode;
        EXPECT_EQ("Error", box.caption);
    }
}

TEST(FailureReport, IsCutAtItsBuffer)
{
    const std::string path(3000, 'p');
    RecordedMessageBox box = Report(9, path.c_str());
    EXPECT_EQ(2047u, box.text.size());
    EXPECT_EQ("Failed to load resource file: " + path.substr(0, 2047 - 30), box.text);
}

// The language module as a host sees it: each case is a host installation in
// its own directory, and the host runs as a child process, because every
// failure ends the process after one message box.
#include "PreparedDir.h"
#include "TestEnv.h"

#include <gtest/gtest.h>
#include <sstream>

namespace
{
    const DWORD kFatalExit = 0xFFFFFFFF;
    const char kBuiltModule[] = "rdmodbcres/RDMODBCRes.US";
    const char kFakeTool[] = "tests/langres/langres_fake_idiomer.exe";

    struct LoaderCase
    {
        const char* dir;
        const char* guide;        // content of RDMODBC.lng; none when null
        const char* guideKey;     // the registry value the case uses
        const char* value;        // its content before the run; unset when null
        const char* modules;      // installed RDMODBCRes.<extension> files
        bool        tool;         // the stand-in language program is installed
        const char* toolWrites;   // what it records under guideKey; nothing when null
        const char* loaded;       // file name of the module loaded, or null
        const char* message;      // report message, or null
        int         toolRuns;
    };

    void Install(const CPreparedDir& dir, const LoaderCase& c)
    {
        std::istringstream modules(c.modules);
        for (std::string extension; modules >> extension;)
            dir.CopyBuilt(kBuiltModule, "RDMODBCRes." + extension);
        if (c.guide)
            dir.Write("RDMODBC.lng", c.guide);
        if (c.tool)
            dir.CopyBuilt(kFakeTool, "Idiomer.exe");
        if (c.toolWrites)
            dir.Write("idiomer-writes.txt", std::string(c.guideKey) + "\n" + c.toolWrites + "\n");
    }
}

TEST(LanguageModule, IsFoundByGuideFileRegistryAndLanguageProgram)
{
    const std::string longExtension(230, 'A');
    const LoaderCase cases[] = {
        {"no-guide", nullptr, nullptr, nullptr, "dll", false, nullptr, "RDMODBCRes.dll", nullptr, 0},
        {"no-guide-no-dll", nullptr, nullptr, nullptr, "US", true, nullptr, nullptr,
         "GuideFile and DefaultResources(.dll) are missing!", 0},
        {"key-9", "RdmLang-9\r\n", "RdmLang-9", "US", "US", true, nullptr, nullptr, "Failed to load resources!", 1},
        {"key-10", "RdmLang-10\r\nsecond line", "RdmLang-10", "US", "US", true, nullptr, "RDMODBCRes.US", nullptr, 0},
        {"key-whole-file", "RdmLangres-NoLineEnd", "RdmLangres-NoLineEnd", "US", "US", false, nullptr,
         "RDMODBCRes.US", nullptr, 0},
        {"key-cut-high-byte", "RdmLangresCut\x80tail\r\n", "RdmLangresCut", "US", "US", false, nullptr,
         "RDMODBCRes.US", nullptr, 0},
        {"key-short-by-high-byte", "RdmLang\xE9-and-more\r\n", "RdmLang", "US", "US", true, nullptr, nullptr,
         "Failed to load resources!", 1},
        {"empty-value", "RdmLangres-Empty\r\n", "RdmLangres-Empty", "", "US", true, "US", "RDMODBCRes.US", nullptr, 1},
        {"no-value", "RdmLangres-NoValue\r\n", "RdmLangres-NoValue", nullptr, "US", true, "US", "RDMODBCRes.US",
         nullptr, 1},
        {"missing-module", "RdmLangres-Missing\r\n", "RdmLangres-Missing", "DE", "US", true, nullptr, nullptr,
         "Failed to load resources!", 1},
        {"no-program", "RdmLangres-NoTool\r\n", "RdmLangres-NoTool", nullptr, "US", false, nullptr, nullptr,
         "Failed to start language setting application!", 0},
        {"dll-never-with-guide", "RdmLangres-DllUnused\r\n", "RdmLangres-DllUnused", nullptr, "dll", true, nullptr,
         nullptr, "Failed to load resources!", 1},
        {"path-too-long", "RdmLangres-LongExt\r\n", "RdmLangres-LongExt", longExtension.c_str(), "US", true, nullptr,
         nullptr, "Failed to load resources!", 1},
        {"value-leaves-directory", "RdmLangres-Escape\r\n", "RdmLangres-Escape", "US\\..\\sub\\RDMODBCRes.US", "",
         true, nullptr, nullptr, "Failed to load resources!", 1},
    };
    for (const LoaderCase& c : cases)
    {
        SCOPED_TRACE(c.dir);
        CPreparedDir dir(c.dir);
        Install(dir, c);
        CLanguageValue value(c.guideKey ? c.guideKey : "RdmLangres-Unused");
        if (c.value)
            value.Set(c.value);
        if (std::string(c.dir) == "value-leaves-directory")
        {
            dir.MakeDir("sub");
            dir.CopyBuilt(kBuiltModule, "sub\\RDMODBCRes.US");
        }

        HostRun run = dir.RunHost();

        EXPECT_EQ(c.toolRuns, dir.LanguageToolRuns());
        if (c.loaded)
        {
            EXPECT_EQ(0u, run.exitCode);
            EXPECT_EQ(dir.Path(c.loaded), run.loadedModule);
            EXPECT_EQ("Database Import", run.title);
            EXPECT_EQ("", run.boxText);
        }
        else
        {
            EXPECT_EQ(kFatalExit, run.exitCode);
            EXPECT_EQ(c.message, run.boxText.substr(0, run.boxText.find('\n')));
            EXPECT_EQ("", run.loadedModule);
        }
        if (c.tool && c.toolRuns > 0)
        {
            EXPECT_EQ("\"" + dir.Path("Idiomer.exe") + "\" /silent\n", dir.Read("idiomer.log"));
        }
    }
}

TEST(LanguageModule, ReportNamesTheHostAndWhereItLooked)
{
    CPreparedDir dir("report-text");
    HostRun run = dir.RunHost();
    const std::string host = dir.Path("langres_host.exe");
    EXPECT_EQ(kFatalExit, run.exitCode);
    EXPECT_EQ("Error", run.boxCaption);
    EXPECT_EQ("GuideFile and DefaultResources(.dll) are missing!\nCurrent module:" + host
                  + "\nBasePath extract from HINSTANCE = " + host + " (HINSTANCE=0)",
              run.boxText);
}

TEST(LanguageModule, FileThatIsNoLibraryIsReportedWithItsPath)
{
    CPreparedDir dir("not-a-library");
    dir.Write("RDMODBC.lng", "RdmLangres-NotALibrary\r\n");
    dir.Write("RDMODBCRes.US", "This is a text file, not a library.\r\n");
    CLanguageValue value("RdmLangres-NotALibrary");
    value.Set("US");

    HostRun run = dir.RunHost();

    EXPECT_EQ(kFatalExit, run.exitCode);
    EXPECT_EQ("Failed to load resource file: " + dir.Path("RDMODBCRes.US") + "\nCurrent module:",
              run.boxText.substr(0, run.boxText.find("Current module:") + 15));
}

TEST(LanguageModule, ProgramInADirectoryWithABlankIsStartedByItsWholePath)
{
    // Unquoted, "...\langres\space case\Idiomer.exe" would start
    // "...\langres\space.exe" first.
    CPreparedDir dir("space case");
    const std::string decoy = TestEnvWindowsPath("langres/space.exe");
    const std::string decoyLog = TestEnvWindowsPath("langres/idiomer.log");
    ::DeleteFileA(decoyLog.c_str());
    ASSERT_TRUE(::CopyFileA(BinaryDirWindowsPath(kFakeTool).c_str(), decoy.c_str(), FALSE));
    dir.CopyBuilt(kBuiltModule, "RDMODBCRes.US");
    dir.CopyBuilt(kFakeTool, "Idiomer.exe");
    dir.Write("RDMODBC.lng", "RdmLangres-Blank\r\n");
    dir.Write("idiomer-writes.txt", "RdmLangres-Blank\nUS\n");
    CLanguageValue value("RdmLangres-Blank");

    HostRun run = dir.RunHost();

    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ(dir.Path("RDMODBCRes.US"), run.loadedModule);
    EXPECT_EQ(1, dir.LanguageToolRuns());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(decoyLog.c_str())) << "the decoy ran";
    ::DeleteFileA(decoy.c_str());
}

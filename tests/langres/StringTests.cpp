// Strings as the dialogs read them: from the framework's current resource
// handle, cut to the loader's buffer.
#include "TestEnv.h"
#include "framework/CWinApp.h"
#include "langres/ResString.h"

#include <gtest/gtest.h>

namespace
{
    class ResourceHandle
    {
    public:
        explicit ResourceHandle(const std::string& built)
            : m_hModule(::LoadLibraryA(BinaryDirWindowsPath(built).c_str()))
        {
            AfxGetModuleState()->m_hCurrentResourceHandle = m_hModule;
        }
        ~ResourceHandle()
        {
            AfxGetModuleState()->m_hCurrentResourceHandle = nullptr;
            ::FreeLibrary(m_hModule);
        }
        HMODULE Handle() const { return m_hModule; }
    private:
        HMODULE m_hModule;
    };

    std::string Digits(int nCount)
    {
        std::string digits;
        for (int i = 0; i < nCount; ++i)
            digits += (char)('0' + i % 10);
        return digits;
    }
}

TEST(LoadResString, CutsLongTextsTo254CharactersAndGivesEmptyForMissingOnes)
{
    ResourceHandle module("tests/langres/langres_strings.dll");
    ASSERT_NE(nullptr, module.Handle());
    struct Case { UINT nID; std::string text; };
    const Case cases[] = {
        {1, Digits(254)},   // 300 characters stored
        {2, Digits(254)},   // exactly what fits
        {3, Digits(254)},   // one more than fits
        {4, "x"},
        {5, ""},            // in the same block, but empty
        {99, ""},           // no block at all
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, LoadResString(c.nID).Str()) << "string " << c.nID;
}

TEST(LoadResString, ReadsTheUSEnglishModule)
{
    ResourceHandle module("rdmodbcres/RDMODBCRes.US");
    ASSERT_NE(nullptr, module.Handle());
    EXPECT_EQ("Database Import", LoadResString(14).Str());
    EXPECT_EQ("contains (LIKE)", LoadResString(7).Str());
    EXPECT_EQ("equals", LoadResString(8).Str());
    EXPECT_EQ("between (excluding both ends)", LoadResString(9).Str());
}

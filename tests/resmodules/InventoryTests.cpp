// The two modules hold exactly the listed resources, in the listed languages,
// whether a host maps them as data files or as images.
#include "LoadedModule.h"
#include "ResourceInventory.h"

#include <gtest/gtest.h>

namespace
{
    const ModuleInventory* const kModules[] = {&TessikInventory(), &PeloriaInventory()};
    const DWORD kLoadFlags[] = {LOAD_LIBRARY_AS_DATAFILE, 0};
    constexpr WORD kEnglish = 1033;
    constexpr WORD kCzech = 1029;

    // The identifiers of the non-empty strings of one block of sixteen.
    std::set<WORD> StringsOfBlock(const std::string& block, WORD wBlockId)
    {
        std::set<WORD> ids;
        const WCHAR* p = (const WCHAR*)block.data();
        for (int i = 0; i < 16; ++i)
        {
            WORD wLength = *p++;
            if (wLength)
                ids.insert((WORD)((wBlockId - 1) * 16 + i));
            p += wLength;
        }
        return ids;
    }

    std::set<WORD> Keys(const std::map<WORD, std::set<WORD>>& byId)
    {
        std::set<WORD> ids;
        for (const auto& entry : byId)
            ids.insert(entry.first);
        return ids;
    }

    // The fixed part of VS_VERSIONINFO starts after its header and "VS_VERSION_INFO", DWORD-aligned.
    const VS_FIXEDFILEINFO* FixedInfo(const std::string& block)
    {
        return block.size() >= 40 + sizeof(VS_FIXEDFILEINFO) ? (const VS_FIXEDFILEINFO*)(block.data() + 40) : nullptr;
    }

    std::string Dotted(DWORD ms, DWORD ls)
    {
        return std::to_string(HIWORD(ms)) + "." + std::to_string(LOWORD(ms)) + "." + std::to_string(HIWORD(ls)) + "." +
               std::to_string(LOWORD(ls));
    }
}

TEST(ResourceInventory, EveryTypeHoldsExactlyTheListedIdentifiers)
{
    for (const ModuleInventory* pModule : kModules)
        for (DWORD dwFlags : kLoadFlags)
        {
            SCOPED_TRACE(std::string(pModule->file) + (dwFlags ? " as data file" : " as image"));
            CLoadedModule module(pModule->file, dwFlags);
            ResourceDirectory directory = EnumerateResources(module.Handle());
            std::set<WORD> expectedTypes = {6};
            for (const TypeInventory& type : pModule->types)
            {
                expectedTypes.insert(type.type);
                EXPECT_EQ(Expand(type.ids), Keys(directory[type.type])) << type.name;
            }
            std::set<WORD> types;
            for (const auto& entry : directory)
                types.insert(entry.first);
            EXPECT_EQ(expectedTypes, types);
        }
}

TEST(ResourceInventory, StringTablesHoldExactlyTheListedStrings)
{
    for (const ModuleInventory* pModule : kModules)
    {
        SCOPED_TRACE(pModule->file);
        CLoadedModule module(pModule->file, LOAD_LIBRARY_AS_DATAFILE);
        std::map<WORD, std::set<WORD>> blocks = EnumerateResources(module.Handle())[6];
        EXPECT_EQ(pModule->stringBlocks, blocks.size());
        std::set<WORD> ids;
        for (const auto& block : blocks)
        {
            std::set<WORD> inBlock = StringsOfBlock(module.Data(6, block.first, kEnglish), block.first);
            ids.insert(inBlock.begin(), inBlock.end());
        }
        EXPECT_EQ(Expand(pModule->strings), ids);
    }
}

TEST(ResourceInventory, EveryResourceCarriesItsListedLanguage)
{
    for (const ModuleInventory* pModule : kModules)
    {
        SCOPED_TRACE(pModule->file);
        CLoadedModule module(pModule->file, LOAD_LIBRARY_AS_DATAFILE);
        ResourceDirectory directory = EnumerateResources(module.Handle());
        for (const auto& type : directory)
            for (const auto& resource : type.second)
            {
                bool bCzech = false;
                for (const CzechResource& czech : pModule->czech)
                    bCzech |= czech.type == type.first && czech.id == resource.first;
                std::set<WORD> expected = {bCzech ? kCzech : kEnglish};
                if (type.first == 16)
                    expected = {kCzech, kEnglish};
                EXPECT_EQ(expected, resource.second) << "type " << type.first << " id " << resource.first;
            }
    }
}

TEST(ResourceInventory, BothVersionBlocksCarryTheirNumbersAndKeys)
{
    const char* const keys[] = {"Comments", "CompanyName", "FileDescription", "FileVersion", "LegalCopyright",
                                "LegalTrademarks", "ProductName", "ProductVersion"};
    for (const ModuleInventory* pModule : kModules)
        for (WORD wLanguage : {kCzech, kEnglish})
        {
            SCOPED_TRACE(std::string(pModule->file) + " language " + std::to_string(wLanguage));
            CLoadedModule module(pModule->file, LOAD_LIBRARY_AS_DATAFILE);
            std::string block = module.Data(16, 1, wLanguage);
            const VS_FIXEDFILEINFO* pInfo = FixedInfo(block);
            ASSERT_NE(pInfo, nullptr);
            EXPECT_EQ(VS_FFI_SIGNATURE, pInfo->dwSignature);
            std::string expected = wLanguage == kCzech ? "4.0.2480.4" : pModule->englishVersion;
            EXPECT_EQ(expected, Dotted(pInfo->dwFileVersionMS, pInfo->dwFileVersionLS));
            EXPECT_EQ(expected, Dotted(pInfo->dwProductVersionMS, pInfo->dwProductVersionLS));

            // VerQueryValue reads a copy with room for its ANSI conversions.
            std::string copy = block + std::string(block.size() * 2, '\0');
            for (const char* pszKey : keys)
            {
                std::string path = std::string("\\StringFileInfo\\040904b0\\") + pszKey;
                char* pszValue = nullptr;
                UINT nLength = 0;
                EXPECT_TRUE(::VerQueryValueA(&copy[0], path.c_str(), (void**)&pszValue, &nLength)) << pszKey;
                EXPECT_GT(nLength, 1u) << pszKey;
                if (std::string(pszKey) == "FileVersion" && pszValue)
                {
                    EXPECT_EQ(expected, std::string(pszValue));
                }
            }
        }
}

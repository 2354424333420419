// What a host sees of a module beyond its inventory: the one export, an
// entry point that can do nothing but turn off thread notifications, and
// menus, toolbars, icons and cursors that load and fit together.
#include "LoadedModule.h"
#include "ResourceInventory.h"

#include <gtest/gtest.h>
#include <vector>

namespace
{
    const ModuleInventory* const kModules[] = {&TessikInventory(), &PeloriaInventory()};

    template <class T>
    const T* At(HMODULE hModule, DWORD dwRva)
    {
        return (const T*)((const BYTE*)hModule + dwRva);
    }

    const IMAGE_DATA_DIRECTORY& Directory(HMODULE hModule, int nIndex)
    {
        const IMAGE_DOS_HEADER* pDos = At<IMAGE_DOS_HEADER>(hModule, 0);
        return At<IMAGE_NT_HEADERS>(hModule, pDos->e_lfanew)->OptionalHeader.DataDirectory[nIndex];
    }

    // "DLL!function" for every import of the mapped image.
    std::vector<std::string> Imports(HMODULE hModule)
    {
        std::vector<std::string> imports;
        const IMAGE_DATA_DIRECTORY& dir = Directory(hModule, IMAGE_DIRECTORY_ENTRY_IMPORT);
        for (auto pDesc = At<IMAGE_IMPORT_DESCRIPTOR>(hModule, dir.VirtualAddress); dir.Size && pDesc->Name; ++pDesc)
            for (auto pThunk = At<IMAGE_THUNK_DATA>(hModule, pDesc->OriginalFirstThunk); pThunk->u1.AddressOfData; ++pThunk)
                imports.push_back(std::string(At<char>(hModule, pDesc->Name)) + "!" +
                                  At<IMAGE_IMPORT_BY_NAME>(hModule, (DWORD)pThunk->u1.AddressOfData)->Name);
        return imports;
    }

    void CollectMenuCommands(HMENU hMenu, std::vector<UINT>& commands)
    {
        for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i)
        {
            if (HMENU hSub = ::GetSubMenu(hMenu, i))
                CollectMenuCommands(hSub, commands);
            else if (UINT id = ::GetMenuItemID(hMenu, i))
                commands.push_back(id);
        }
    }

    struct Toolbar
    {
        WORD version, width, height, count;
        std::vector<WORD> commands;
    };

    Toolbar ReadToolbar(const std::string& data)
    {
        const WORD* p = (const WORD*)data.data();
        Toolbar toolbar = {p[0], p[1], p[2], p[3], {}};
        toolbar.commands.assign(p + 4, p + 4 + std::min<size_t>(p[3], (data.size() - 8) / 2));
        return toolbar;
    }

    bool HasPrompt(HMODULE hModule, UINT id)
    {
        char sz[256];
        return ::LoadStringA(hModule, id, sz, sizeof(sz)) > 0;
    }
}

TEST(ResourceModule, ResUSLinkIsItsOnlyExportAndDoesNothing)
{
    for (const ModuleInventory* pModule : kModules)
    {
        SCOPED_TRACE(pModule->file);
        CLoadedModule module(pModule->file, 0);
        const IMAGE_DATA_DIRECTORY& dir = Directory(module.Handle(), IMAGE_DIRECTORY_ENTRY_EXPORT);
        const IMAGE_EXPORT_DIRECTORY* pExports = At<IMAGE_EXPORT_DIRECTORY>(module.Handle(), dir.VirtualAddress);
        std::string file = pModule->file;
        EXPECT_EQ(file.substr(file.rfind('/') + 1), At<char>(module.Handle(), pExports->Name));
        ASSERT_EQ(1u, pExports->NumberOfNames);
        EXPECT_STREQ("ResUSLink", At<char>(module.Handle(), *At<DWORD>(module.Handle(), pExports->AddressOfNames)));

        auto pLink = (void (*)(void))::GetProcAddress(module.Handle(), "ResUSLink");
        ASSERT_NE(pLink, nullptr);
        ::SetLastError(12345);
        pLink();
        EXPECT_EQ(12345u, ::GetLastError());
    }
}

TEST(ResourceModule, LoadingAndUnloadingRunNothingOfItsOwn)
{
    for (const ModuleInventory* pModule : kModules)
    {
        SCOPED_TRACE(pModule->file);
        HMODULE hModule = ::LoadLibraryA(ModulePath(pModule->file).c_str());
        ASSERT_NE(hModule, nullptr);
        // The entry point can reach no function but this one, and no TLS
        // callback or runtime start-up is there to run on load or unload.
        EXPECT_EQ(std::vector<std::string>{"KERNEL32.dll!DisableThreadLibraryCalls"}, Imports(hModule));
        EXPECT_EQ(0u, Directory(hModule, IMAGE_DIRECTORY_ENTRY_TLS).Size);
        EXPECT_TRUE(::FreeLibrary(hModule));
        EXPECT_EQ(nullptr, ::GetModuleHandleA(ModulePath(pModule->file).c_str())) << "unloaded";

        hModule = ::LoadLibraryA(ModulePath(pModule->file).c_str());
        EXPECT_NE(hModule, nullptr) << "loads again after unloading";
        EXPECT_TRUE(::FreeLibrary(hModule));
    }
}

TEST(ResourceModule, ToolbarsAreWellFormedWithBitmapsForTheirButtons)
{
    CLoadedModule module(PeloriaInventory().file, 0);
    std::map<WORD, std::set<WORD>> toolbars = EnumerateResources(module.Handle())[RT_TOOLBAR_TYPE];
    EXPECT_EQ(8u, toolbars.size());
    for (const auto& entry : toolbars)
    {
        SCOPED_TRACE("toolbar " + std::to_string(entry.first));
        std::string data = module.Data(RT_TOOLBAR_TYPE, entry.first);
        ASSERT_GE(data.size(), 8u);
        Toolbar toolbar = ReadToolbar(data);
        EXPECT_EQ(1, toolbar.version);
        EXPECT_EQ(16, toolbar.width);
        EXPECT_EQ(15, toolbar.height);
        EXPECT_EQ(data.size(), 8u + 2u * toolbar.count);
        int buttons = 0;
        for (WORD wCommand : toolbar.commands)
            if (wCommand)
            {
                ++buttons;
                EXPECT_TRUE(HasPrompt(module.Handle(), wCommand)) << "command " << wCommand << " has a prompt";
            }
        EXPECT_GT(buttons, 0);
        HBITMAP hBitmap = (HBITMAP)::LoadImageA(module.Handle(), MAKEINTRESOURCEA(entry.first), IMAGE_BITMAP, 0, 0, 0);
        ASSERT_NE(hBitmap, nullptr);
        BITMAP bitmap = {};
        ::GetObjectA(hBitmap, sizeof(bitmap), &bitmap);
        EXPECT_GE(bitmap.bmWidth, buttons * toolbar.width);
        EXPECT_GE(bitmap.bmHeight, toolbar.height);
        ::DeleteObject(hBitmap);
    }
}

TEST(ResourceModule, EveryMenuAndShortcutCommandHasAStatusBarPrompt)
{
    // The print preview's own menu and keys use the framework's preview
    // commands, whose prompts the preview bar shows itself.
    const std::set<WORD> previewOnly = {1891, 30997};
    for (const ModuleInventory* pModule : kModules)
    {
        SCOPED_TRACE(pModule->file);
        CLoadedModule module(pModule->file, 0);
        ResourceDirectory directory = EnumerateResources(module.Handle());
        for (const auto& menu : directory[4])
        {
            if (previewOnly.count(menu.first))
                continue;
            HMENU hMenu = ::LoadMenuA(module.Handle(), MAKEINTRESOURCEA(menu.first));
            ASSERT_NE(hMenu, nullptr);
            std::vector<UINT> commands;
            CollectMenuCommands(hMenu, commands);
            EXPECT_FALSE(commands.empty()) << "menu " << menu.first;
            for (UINT id : commands)
                EXPECT_TRUE(HasPrompt(module.Handle(), id)) << "menu " << menu.first << " command " << id;
            ::DestroyMenu(hMenu);
        }
        for (const auto& table : directory[9])
        {
            if (previewOnly.count(table.first))
                continue;
            HACCEL hAccel = ::LoadAcceleratorsA(module.Handle(), MAKEINTRESOURCEA(table.first));
            ASSERT_NE(hAccel, nullptr);
            ACCEL keys[64];
            int nKeys = ::CopyAcceleratorTableA(hAccel, keys, 64);
            EXPECT_GT(nKeys, 0);
            for (int i = 0; i < nKeys; ++i)
                EXPECT_TRUE(HasPrompt(module.Handle(), keys[i].cmd)) << "accelerators " << table.first << " command " << keys[i].cmd;
        }
    }
}

TEST(ResourceModule, IconsAndCursorsLoadWithHotSpotsInside)
{
    for (const ModuleInventory* pModule : kModules)
    {
        SCOPED_TRACE(pModule->file);
        CLoadedModule module(pModule->file, 0);
        ResourceDirectory directory = EnumerateResources(module.Handle());
        for (const auto& group : directory[14])
        {
            HICON hIcon = (HICON)::LoadImageA(module.Handle(), MAKEINTRESOURCEA(group.first), IMAGE_ICON, 32, 32, 0);
            EXPECT_NE(hIcon, nullptr) << "icon group " << group.first;
            if (hIcon)
                ::DestroyIcon(hIcon);
        }
        for (const auto& group : directory[12])
        {
            HCURSOR hCursor = (HCURSOR)::LoadImageA(module.Handle(), MAKEINTRESOURCEA(group.first), IMAGE_CURSOR, 0, 0,
                                                    LR_DEFAULTSIZE);
            ASSERT_NE(hCursor, nullptr) << "cursor group " << group.first;
            ICONINFO info = {};
            EXPECT_TRUE(::GetIconInfo(hCursor, &info));
            EXPECT_FALSE(info.fIcon);
            EXPECT_LT(info.xHotspot, 32u);
            EXPECT_LT(info.yHotspot, 32u);
            if (info.hbmMask)
                ::DeleteObject(info.hbmMask);
            if (info.hbmColor)
                ::DeleteObject(info.hbmColor);
            ::DestroyCursor(hCursor);
        }
    }
}

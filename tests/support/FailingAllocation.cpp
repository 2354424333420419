#include "FailingAllocation.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
    // The one armed failure; tests run on one thread.
    struct Armed
    {
        int nLeft = 0;
        int nFailures = 0;
        void* pfnOriginal = nullptr;
        std::vector<void**> entries;
    };
    Armed s_armed;

    bool Fails()
    {
        if (s_armed.nLeft > 0)
        {
            --s_armed.nLeft;
            return false;
        }
        ++s_armed.nFailures;
        return true;
    }

    void* __cdecl FailingCalloc(size_t nCount, size_t nSize)
    {
        return Fails() ? nullptr : ((void* (__cdecl*)(size_t, size_t))s_armed.pfnOriginal)(nCount, nSize);
    }

    char* __cdecl FailingStrdup(const char* psz)
    {
        return Fails() ? nullptr : ((char* (__cdecl*)(const char*))s_armed.pfnOriginal)(psz);
    }

    void Write(void** ppEntry, void* pValue)
    {
        DWORD dwOld = 0;
        ::VirtualProtect(ppEntry, sizeof(void*), PAGE_READWRITE, &dwOld);
        *ppEntry = pValue;
        ::VirtualProtect(ppEntry, sizeof(void*), dwOld, &dwOld);
    }

    // The program's import address table entries of the runtime function.
    std::vector<void**> ImportEntries(const char* pszFunction)
    {
        std::vector<void**> entries;
        BYTE* pBase = (BYTE*)::GetModuleHandleA(nullptr);
        auto* pDos = (IMAGE_DOS_HEADER*)pBase;
        auto* pNt = (IMAGE_NT_HEADERS*)(pBase + pDos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* pImport = (IMAGE_IMPORT_DESCRIPTOR*)(pBase + imports.VirtualAddress); pImport->Name; ++pImport)
        {
            if (_stricmp((const char*)(pBase + pImport->Name), "msvcrt.dll") != 0)
                continue;
            auto* pNames = (IMAGE_THUNK_DATA*)(pBase + pImport->OriginalFirstThunk);
            auto* pAddresses = (IMAGE_THUNK_DATA*)(pBase + pImport->FirstThunk);
            for (; pNames->u1.AddressOfData; ++pNames, ++pAddresses)
            {
                if (IMAGE_SNAP_BY_ORDINAL(pNames->u1.Ordinal))
                    continue;
                auto* pName = (IMAGE_IMPORT_BY_NAME*)(pBase + pNames->u1.AddressOfData);
                if (std::strcmp((const char*)pName->Name, pszFunction) == 0)
                    entries.push_back((void**)&pAddresses->u1.Function);
            }
        }
        return entries;
    }
}

CFailingAllocation::CFailingAllocation(const char* pszFunction, int nSucceeding)
{
    void* pfnStandIn = std::strcmp(pszFunction, "calloc") == 0 ? (void*)FailingCalloc
                     : std::strcmp(pszFunction, "_strdup") == 0 ? (void*)FailingStrdup
                                                                 : nullptr;
    s_armed = Armed();
    s_armed.nLeft = nSucceeding;
    s_armed.entries = ImportEntries(pszFunction);
    if (pfnStandIn == nullptr || s_armed.entries.empty())
        return;
    s_armed.pfnOriginal = *s_armed.entries[0];
    for (void** ppEntry : s_armed.entries)
        Write(ppEntry, pfnStandIn);
    m_nPatched = (int)s_armed.entries.size();
}

CFailingAllocation::~CFailingAllocation()
{
    for (void** ppEntry : s_armed.entries)
        Write(ppEntry, s_armed.pfnOriginal);
    s_armed.entries.clear();
}

int CFailingAllocation::Failures() const
{
    return s_armed.nFailures;
}

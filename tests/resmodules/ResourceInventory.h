#pragma once
// What each resource module must hold: every type with its identifiers, the
// string identifiers, and the resources tagged Czech instead of US English.
#include <windows.h>
#include <set>
#include <string>
#include <vector>

struct IdSpan
{
    WORD first;
    WORD last;
};

struct TypeInventory
{
    WORD type;
    const char* name;
    std::vector<IdSpan> ids;
};

struct CzechResource
{
    WORD type;
    WORD id;
};

struct ModuleInventory
{
    const char* file;                   // relative to the build directory
    std::vector<TypeInventory> types;   // every type but strings
    std::vector<IdSpan> strings;
    size_t stringBlocks;
    std::vector<CzechResource> czech;   // tagged 1029; everything else 1033
    const char* englishVersion;         // of the 1033 version block; the 1029 one is 4.0.2480.4
};

const ModuleInventory& TessikInventory();
const ModuleInventory& PeloriaInventory();
std::set<WORD> Expand(const std::vector<IdSpan>& spans);

// Custom types of the framework.
constexpr WORD RT_DLGINIT_TYPE = 240;
constexpr WORD RT_TOOLBAR_TYPE = 241;

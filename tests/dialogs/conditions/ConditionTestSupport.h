#pragma once
// What the condition dialog tests share: the module's application, and
// column and condition arrays built as the field-mapping dialog hands them.
#include "DialogTest.h"
#include "HeapUse.h"
#include "dialogs/CConditionDlg.h"
#include "dialogs/CConditionListDlg.h"
#include "framework/CWinApp.h"
#include "query/ColumnInfo.h"

#include <initializer_list>
#include <string>
#include <vector>

// The operator texts of the US-English language module.
extern const char* const kLike;
extern const char* const kEqual;
extern const char* const kBetweenExcluding;
extern const char* const kFromIncludingToExcluding;
extern const char* const kFromExcludingToIncluding;
extern const char* const kBetweenIncluding;
extern const char* const kTrue;
extern const char* const kFalse;
extern const char* const kIsNull;

struct ColumnSpec
{
    const char* name;
    const char* typeName;
    int searchable;
    int sqlDataType;
    int nullable;
};

// A column array of the columns given, owned as the module owns one.
struct ColumnArray : CColumnArray
{
    ColumnArray() = default;
    ColumnArray(std::initializer_list<ColumnSpec> columns);
};

// A condition array as the list hands it back: display and filter texts,
// the display texts given; the caller frees it.
void AppendCondition(ColumnInfo*& pConditions, int& nConditions, const char* pszDisplay, const char* pszFilter);
std::vector<std::string> DisplayTexts(const ColumnInfo* pConditions, int nConditions);
std::vector<std::string> FilterTexts(const ColumnInfo* pConditions, int nConditions);

// The condition editor over the columns, as the list opens it.
class CEditorOver : public CConditionDlg
{
public:
    explicit CEditorOver(const CColumnArray& columns)
    {
        m_pColumns = columns.p;
        m_nColumns = columns.n;
    }
};

// The caller's condition state, as the field-mapping dialog holds it, and
// its hand-over to the condition list and back.
struct CallerState
{
    // A table of a text, a number and a bit column.
    CallerState();
    explicit CallerState(std::initializer_list<ColumnSpec> columnSpecs) : columns(columnSpecs) {}
    ~CallerState() { FreeColumnArray(pConditions, nConditions); }
    CallerState(const CallerState&) = delete;
    CallerState& operator=(const CallerState&) = delete;

    void Add(const char* pszDisplay, const char* pszFilter);
    void HandTo(CConditionListDlg& dlg);
    // What the caller does with the dialog's result.
    void TakeFrom(const CConditionListDlg& dlg, INT_PTR nResult);

    ColumnArray columns;
    ColumnInfo* pConditions = nullptr;
    int nConditions = 0;
    BOOL bUseConditions = TRUE;
};

class ConditionDialogs : public DialogTest
{
protected:
    CWinApp m_app{"Database Import"};
    AFX_MAINTAIN_STATE2 m_moduleState{AfxGetStaticModuleState()};
};

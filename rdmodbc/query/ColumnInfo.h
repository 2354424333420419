#pragma once
// One column of the chosen table, or one filter condition made from such a
// column. Arrays of it are a malloc block plus a separate count, and the
// array owns every string of its records.
#include <windows.h>
#include <optional>

struct ColumnInfo
{
    char* name = nullptr;           // null in a typed condition
    char* typeName = nullptr;       // the data source's name of the type; null when it has none
    char* displayText = nullptr;    // the condition as the condition list shows it
    char* filterText = nullptr;     // the condition as it goes into the filter
    int   searchable = 0;           // SQL_PRED_*: 0 none, 1 LIKE only, 2 all but LIKE, 3 all
    int   nullable = 0;             // 1 when the column's type admits NULL
    int   dataType = 0;             // concise SQL data type
    int   sqlDataType = 0;          // verbose SQL data type; chooses how values are written
    int   datetimeSub = 0;
    int   reserved = 0;
    // What the condition editor made the condition of, so that it can be
    // composed anew for another connection: the operator (a ConditionOperator;
    // 0 in a column record and in a typed condition), the negation, and the
    // two values as typed, null when empty.
    int   conditionOperator = 0;
    int   negated = 0;
    char* value1 = nullptr;
    char* value2 = nullptr;
    // 1 when the values are asked for at each import: the two values are
    // then the ones offered, and may be empty until they are given.
    int   asked = 0;
};

// The first record of the array whose name is that one, byte for byte (a
// column's name is case-sensitive); null for none and for a null name.
const ColumnInfo* FindColumnInfo(const ColumnInfo* pArray, int nCount, LPCSTR pszName);
// Frees the strings of the nCount records and the block; pArray becomes null
// and nCount 0, also when there was no block.
void FreeColumnArray(ColumnInfo*& pArray, int& nCount);
// A new block with every record and every string duplicated; null when there
// is nothing to copy or not memory enough for all of it.
ColumnInfo* CopyColumnArray(const ColumnInfo* pArray, int nCount);
// Moves the record to the end of the array: a new block one record larger,
// the old records moved over, the old block freed. The array owns the
// record's strings afterwards and the record itself is left without any.
// FALSE (and nothing moved) when there is no memory.
BOOL AppendColumnInfo(ColumnInfo*& pArray, int& nCount, ColumnInfo& info);
// Appends a condition typed by the user: every member null or 0 except the
// display and filter texts, both the text as typed.
BOOL AppendTypedCondition(ColumnInfo*& pArray, int& nCount, LPCSTR pszText);
// Removes record nIndex: its strings are freed and the records after it move
// down one place. When none is left the block is freed and pArray is null.
void RemoveColumnInfo(ColumnInfo*& pArray, int& nCount, int nIndex);
// Frees the record's strings and leaves them null; for a record that no
// array owns, such as the condition editor's result.
void FreeColumnInfo(ColumnInfo& info);
// Makes the condition the column's: copies of its name and type name (in
// place of any earlier copies) and its type data. Whether the column admits
// NULL is not carried into a condition.
void SetConditionColumn(ColumnInfo& condition, const ColumnInfo& column);
// What the data source tells of the column's type, in place of what the
// catalog pass took, where it tells it: a searchable or nullable it leaves
// empty (a NULL from the driver), and a verbose type or subcode of 0, keep
// the column's own.
void SetColumnTypeInfo(ColumnInfo& column, const std::optional<int>& nSearchable, const std::optional<int>& nNullable,
                       int nSqlDataType, int nDatetimeSub);
// Replaces the condition's display and filter texts by owned copies; an
// empty text leaves its member null.
void SetConditionTexts(ColumnInfo& condition, LPCSTR pszDisplay, LPCSTR pszFilter);
// Replaces what the condition is made of: the operator, the negation and
// owned copies of the two values (an empty value leaves its member null).
void SetConditionMakeup(ColumnInfo& condition, int nOperator, BOOL bNegated, LPCSTR pszValue1, LPCSTR pszValue2);

// An array with an owner: the block is freed when the owner goes, on every
// path. A copy is a block of its own with every string duplicated (empty
// when the heap gave out); a move hands the block over. p and n are what
// the C-style functions above take.
class CColumnArray
{
public:
    CColumnArray() = default;
    ~CColumnArray()                                 { FreeColumnArray(p, n); }
    CColumnArray(const CColumnArray& other);
    CColumnArray(CColumnArray&& other) noexcept;
    CColumnArray& operator=(const CColumnArray& other);
    CColumnArray& operator=(CColumnArray&& other) noexcept;
    // The records of a block held elsewhere, copied into an owner.
    static CColumnArray CopyOf(const ColumnInfo* pArray, int nCount);

    ColumnInfo* p = nullptr;
    int n = 0;
};

// The owner of an array that is held as a block and a count elsewhere (a
// dialog's members, which its caller reads after the dialog has run): frees
// it when the owner goes.
class CColumnArrayOwner
{
public:
    CColumnArrayOwner(ColumnInfo*& pArray, int& nCount) : m_pArray(pArray), m_nCount(nCount) {}
    ~CColumnArrayOwner()                            { FreeColumnArray(m_pArray, m_nCount); }
    CColumnArrayOwner(const CColumnArrayOwner&) = delete;
    CColumnArrayOwner& operator=(const CColumnArrayOwner&) = delete;

private:
    ColumnInfo*& m_pArray;
    int& m_nCount;
};

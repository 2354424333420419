#include "LastImport.h"

#include "query/Operator.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace
{
    const char szKey[] = "SOFTWARE\\KAVEX\\RDMODBC";
    const char szValue[] = "LastImport";
    const char szVersion[] = "2";
    // Its conditions are their filter texts, written for the engine of
    // their day.
    const char szFirstVersion[] = "1";
    // More than any import writes: four fields, and conditions of at most
    // a few hundred bytes each. A longer value is not read at all.
    const DWORD MAX_STORED_BYTES = 256 * 1024;

    class CEntryWriter
    {
    public:
        void Put(const std::string& name, const CString& strValue)
        {
            if ((int)strlen(strValue) != strValue.GetLength())
                m_bWhole = false;
            m_list += name;
            m_list += '=';
            m_list += strValue.Str();
            m_list += '\0';
        }
        void PutNumbers(const std::string& name, const std::vector<int>& numbers)
        {
            CString strNumbers;
            for (int nNumber : numbers)
            {
                CString strNumber;
                strNumber.Format(strNumbers.IsEmpty() ? "%d" : " %d", nNumber);
                strNumbers += strNumber;
            }
            Put(name, strNumbers);
        }
        std::string List() const    { return m_bWhole ? m_list + '\0' : std::string(); }

    private:
        std::string m_list;
        bool m_bWhole = true;
    };

    // The entries of the list in their order; every one must be "name=value".
    class CEntryReader
    {
    public:
        explicit CEntryReader(const std::string& list) : m_list(list) {}

        // The next entry, which must have that name.
        bool Take(const std::string& name, CString& strValue)
        {
            size_t nNext = 0;
            if (!NextIs(name, strValue, nNext))
                return false;
            m_nAt = nNext;
            return true;
        }
        // The next entry of that name holding exactly nCount numbers, each
        // from nMin to nMax.
        bool Take(const std::string& name, int nCount, int nMin, int nMax, std::vector<int>& numbers)
        {
            CString strValue;
            return Take(name, strValue) && ReadNumbers(strValue, nMin, nMax, numbers) && (int)numbers.size() == nCount;
        }
        bool NextIs(const std::string& name) const
        {
            CString strValue;
            size_t nNext = 0;
            return NextIs(name, strValue, nNext);
        }
        // Only the list's closing NUL is left.
        bool AtEnd() const              { return m_nAt + 1 == m_list.size() && m_list[m_nAt] == '\0'; }

    private:
        bool NextIs(const std::string& name, CString& strValue, size_t& nNext) const
        {
            const size_t nEnd = m_list.find('\0', m_nAt);
            if (nEnd == std::string::npos || m_list.compare(m_nAt, name.size(), name) != 0
                || m_nAt + name.size() >= nEnd || m_list[m_nAt + name.size()] != '=')
                return false;
            const size_t nValue = m_nAt + name.size() + 1;
            strValue = CString(m_list.data() + nValue, (int)(nEnd - nValue));
            nNext = nEnd + 1;
            return true;
        }

        static bool ReadNumbers(const CString& strValue, int nMin, int nMax, std::vector<int>& numbers)
        {
            numbers.clear();
            for (const char* psz = strValue; *psz != '\0';)
            {
                char* pszEnd = nullptr;
                errno = 0;
                const long nNumber = std::strtol(psz, &pszEnd, 10);
                if (pszEnd == psz || errno != 0 || nNumber < nMin || nNumber > nMax || (*pszEnd != ' ' && *pszEnd != '\0'))
                    return false;
                numbers.push_back((int)nNumber);
                psz = *pszEnd == ' ' ? pszEnd + 1 : pszEnd;
            }
            return true;
        }

        const std::string& m_list;
        size_t m_nAt = 0;
    };

    std::string FieldName(int k, const char* pszPart)
    {
        return "field" + std::to_string(k + 1) + "." + pszPart;
    }

    std::vector<int> FieldFormat(const FieldMapping& field)
    {
        return {field.m_bPad != 0, field.m_nPadWidth, (unsigned char)field.m_chPad, field.m_bPadRight != 0,
                field.m_bInteger != 0, field.m_bDate ? 1 : field.m_bTime ? 2 : 0, field.m_bOnlyWithValue != 0};
    }

    bool TakeField(CEntryReader& reader, int k, FieldMapping& field)
    {
        std::vector<int> format;
        if (!reader.Take(FieldName(k, "column"), field.m_strColumn) || !reader.Take(FieldName(k, "prefix"), field.m_strPrefix)
            || !reader.Take(FieldName(k, "suffix"), field.m_strSuffix)
            || !reader.Take(FieldName(k, "format"), 7, 0, 255, format) || format[5] > 2)
            return false;
        field.m_bPad = format[0] != 0;
        field.m_nPadWidth = format[1];
        field.m_chPad = (char)format[2];
        field.m_bPadRight = format[3] != 0;
        field.m_bInteger = format[4] != 0;
        field.m_bDate = format[5] == 1;
        field.m_bTime = format[5] == 2;
        field.m_bOnlyWithValue = format[6] != 0;
        return true;
    }

    bool TakeCondition(CEntryReader& reader, bool bFirstVersion, RememberedCondition& condition)
    {
        std::vector<int> types;
        if (!reader.Take("condition", 4, -32768, 32767, types))
            return false;
        condition.nSearchable = types[0];
        condition.nDataType = types[1];
        condition.nSqlDataType = types[2];
        condition.nDatetimeSub = types[3];
        if (!reader.Take("condition.column", condition.strName) || !reader.Take("condition.type", condition.strTypeName)
            || !reader.Take("condition.display", condition.strDisplay))
            return false;
        if (bFirstVersion)
            return reader.Take("condition.filter", condition.strFilter);
        std::vector<int> makeup;
        if (!reader.Take("condition.makeup", 2, opNone, opIsNull, makeup) || makeup[1] > 1
            || !reader.Take("condition.value1", condition.strValue1) || !reader.Take("condition.value2", condition.strValue2)
            || !reader.Take("condition.text", condition.strFilter))
            return false;
        condition.nOperator = makeup[0];
        condition.bNegated = makeup[1];
        // A typed condition is its text; one of the editor's, what it is made of.
        return condition.strName.IsEmpty() ? condition.nOperator == opNone : condition.strFilter.IsEmpty();
    }

    bool TakeReading(CEntryReader& reader, SqlDialect& reading)
    {
        std::vector<int> numbers;
        if (!reader.Take("reading", 3, sqlOtherFamily, sqlSQLiteFamily, numbers) || numbers[1] > 1 || numbers[2] > 1
            || !reader.Take("reading.quote", reading.strIdentifierQuote))
            return false;
        reading.family = (SqlFamily)numbers[0];
        reading.bBackslashEscapes = numbers[1];
        reading.bReadingMeasured = numbers[2];
        return true;
    }

    class CRegistryKey
    {
    public:
        ~CRegistryKey()                 { if (m_hKey) ::RegCloseKey(m_hKey); }
        bool Open(REGSAM access)        { return ::RegOpenKeyExA(HKEY_CURRENT_USER, szKey, 0, access, &m_hKey) == ERROR_SUCCESS; }
        bool Create()
        {
            return ::RegCreateKeyExA(HKEY_CURRENT_USER, szKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                     nullptr, &m_hKey, nullptr) == ERROR_SUCCESS;
        }
        HKEY m_hKey = nullptr;
    };
}

std::vector<RememberedCondition> RememberConditions(const ColumnInfo* pConditions, int nConditions)
{
    auto text = [](const char* psz) { return CString(psz); };
    std::vector<RememberedCondition> conditions;
    for (int i = 0; i < nConditions; ++i)
    {
        const ColumnInfo& info = pConditions[i];
        // Only a typed condition's text is kept; the editor's are made anew.
        const bool bTyped = info.name == nullptr;
        conditions.push_back({text(info.name), text(info.typeName), text(info.displayText),
                              bTyped ? text(info.filterText) : CString(), info.searchable, info.dataType,
                              info.sqlDataType, info.datetimeSub, bTyped ? 0 : info.conditionOperator,
                              bTyped ? FALSE : info.negated, text(info.value1), text(info.value2)});
    }
    return conditions;
}

BOOL RecallConditions(const std::vector<RememberedCondition>& conditions, ColumnInfo*& pConditions, int& nConditions)
{
    for (const RememberedCondition& condition : conditions)
    {
        // The column as the condition was made from it, its texts borrowed
        // for the copy the condition takes.
        ColumnInfo column;
        column.name = condition.strName.IsEmpty() ? nullptr : (char*)(LPCSTR)condition.strName;
        column.typeName = condition.strTypeName.IsEmpty() ? nullptr : (char*)(LPCSTR)condition.strTypeName;
        column.searchable = condition.nSearchable;
        column.dataType = condition.nDataType;
        column.sqlDataType = condition.nSqlDataType;
        column.datetimeSub = condition.nDatetimeSub;
        ColumnInfo info;
        SetConditionColumn(info, column);
        SetConditionTexts(info, condition.strDisplay, condition.strFilter);
        SetConditionMakeup(info, condition.nOperator, condition.bNegated, condition.strValue1, condition.strValue2);
        if (!AppendColumnInfo(pConditions, nConditions, info))
        {
            FreeColumnInfo(info);
            return FALSE;
        }
    }
    return TRUE;
}

std::string EncodeLastImport(const LastImport& last)
{
    CEntryWriter writer;
    writer.Put("version", szVersion);
    writer.Put("source", last.table.strDataSource);
    writer.PutNumbers("kind", {(int)last.table.nDsnType});
    writer.Put("schema", last.table.strSchema);
    writer.Put("table", last.table.strTable);
    writer.PutNumbers("views", {last.table.nIncludeViews != 0});
    for (int k = 0; k < OUTPUT_FIELDS; ++k)
    {
        const FieldMapping& field = last.aFields[k];
        writer.Put(FieldName(k, "column"), field.m_strColumn);
        writer.Put(FieldName(k, "prefix"), field.m_strPrefix);
        writer.Put(FieldName(k, "suffix"), field.m_strSuffix);
        writer.PutNumbers(FieldName(k, "format"), FieldFormat(field));
    }
    writer.PutNumbers("conditions", {last.bUseConditions != 0});
    writer.PutNumbers("reading", {(int)last.reading.family, last.reading.bBackslashEscapes != 0,
                                  last.reading.bReadingMeasured != 0});
    writer.Put("reading.quote", last.reading.strIdentifierQuote);
    for (const RememberedCondition& condition : last.conditions)
    {
        writer.PutNumbers("condition", {condition.nSearchable, condition.nDataType, condition.nSqlDataType,
                                 condition.nDatetimeSub});
        writer.Put("condition.column", condition.strName);
        writer.Put("condition.type", condition.strTypeName);
        writer.Put("condition.display", condition.strDisplay);
        writer.PutNumbers("condition.makeup", {condition.nOperator, condition.bNegated != 0});
        writer.Put("condition.value1", condition.strValue1);
        writer.Put("condition.value2", condition.strValue2);
        writer.Put("condition.text", condition.strFilter);
    }
    for (int i = 0; i < SORT_KEYS; ++i)
        writer.PutNumbers("sort", {last.aSortKeys[i].nField, last.aSortKeys[i].bDescending != 0});
    return writer.List();
}

BOOL DecodeLastImport(const std::string& list, LastImport& last)
{
    CEntryReader reader(list);
    CString strVersion;
    std::vector<int> kind, views, useConditions;
    if (!reader.Take("version", strVersion) || (strVersion != szVersion && strVersion != szFirstVersion)
        || !reader.Take("source", last.table.strDataSource) || !reader.Take("kind", 1, dsnSystem, dsnUser, kind)
        || !reader.Take("schema", last.table.strSchema) || !reader.Take("table", last.table.strTable)
        || !reader.Take("views", 1, 0, 1, views))
        return FALSE;
    last.table.nDsnType = (DsnType)kind[0];
    last.table.nIncludeViews = views[0];
    for (int k = 0; k < OUTPUT_FIELDS; ++k)
    {
        if (!TakeField(reader, k, last.aFields[k]))
            return FALSE;
    }
    if (!reader.Take("conditions", 1, 0, 1, useConditions))
        return FALSE;
    last.bUseConditions = useConditions[0];
    const bool bFirstVersion = strVersion == szFirstVersion;
    last.bReadingKnown = !bFirstVersion;
    if (!bFirstVersion && !TakeReading(reader, last.reading))
        return FALSE;
    last.conditions.clear();
    while (reader.NextIs("condition"))
    {
        RememberedCondition condition;
        if (!TakeCondition(reader, bFirstVersion, condition))
            return FALSE;
        last.conditions.push_back(condition);
    }
    for (int i = 0; i < SORT_KEYS; ++i)
    {
        std::vector<int> key;
        if (!reader.Take("sort", 2, -1, OUTPUT_FIELDS - 1, key) || key[1] > 1)
            return FALSE;
        last.aSortKeys[i].nField = key[0];
        last.aSortKeys[i].bDescending = key[1];
    }
    return reader.AtEnd();
}

void SaveLastImport(const LastImport& last)
{
    const std::string list = EncodeLastImport(last);
    CRegistryKey key;
    if (list.empty() || list.size() > MAX_STORED_BYTES || !key.Create())
        return;
    ::RegSetValueExA(key.m_hKey, szValue, 0, REG_MULTI_SZ, (const BYTE*)list.data(), (DWORD)list.size());
}

BOOL LoadLastImport(LastImport& last)
{
    CRegistryKey key;
    DWORD dwType = 0;
    DWORD cbData = 0;
    if (!key.Open(KEY_READ) || ::RegQueryValueExA(key.m_hKey, szValue, nullptr, &dwType, nullptr, &cbData) != ERROR_SUCCESS
        || dwType != REG_MULTI_SZ || cbData == 0 || cbData > MAX_STORED_BYTES)
        return FALSE;
    std::string list(cbData, '\0');
    if (::RegQueryValueExA(key.m_hKey, szValue, nullptr, &dwType, (LPBYTE)&list[0], &cbData) != ERROR_SUCCESS
        || dwType != REG_MULTI_SZ)
        return FALSE;
    list.resize(cbData);
    return DecodeLastImport(list, last);
}

#include "LastImport.h"

#include "query/Operator.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace
{
    const char szKey[] = "SOFTWARE\\KAVEX\\RDMODBC";
    const char szValue[] = "LastImport";
    const char szVersion[] = "3";
    // Its conditions are what they were made of, none of them asked.
    const char szSecondVersion[] = "2";
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

    // The next condition, appended to the array: the column record it was
    // made from, its display text, and what it is made of (an older value:
    // its written SQL).
    bool TakeCondition(CEntryReader& reader, const CString& strVersion, CColumnArray& conditions)
    {
        const bool bFirstVersion = strVersion == szFirstVersion;
        const int nMakeup = strVersion == szSecondVersion ? 2 : 3;
        std::vector<int> types, makeup{opNone, 0, 0};
        CString strName, strTypeName, strDisplay, strValue1, strValue2, strText;
        if (!reader.Take("condition", 4, -32768, 32767, types) || !reader.Take("condition.column", strName)
            || !reader.Take("condition.type", strTypeName) || !reader.Take("condition.display", strDisplay))
            return false;
        if (bFirstVersion ? !reader.Take("condition.filter", strText)
                          : !reader.Take("condition.makeup", nMakeup, opNone, opIsNull, makeup) || makeup[1] > 1
                                || (nMakeup == 3 && makeup[2] > 1)
                                || !reader.Take("condition.value1", strValue1)
                                || !reader.Take("condition.value2", strValue2) || !reader.Take("condition.text", strText))
            return false;
        // A typed condition is its text; one of the editor's, what it is made of.
        makeup.resize(3);
        if (!bFirstVersion && (strName.IsEmpty() ? makeup[0] != opNone || makeup[2] : !strText.IsEmpty()))
            return false;
        // The column as the condition was made from it, its texts borrowed
        // for the copy the condition takes.
        ColumnInfo column;
        column.name = strName.IsEmpty() ? nullptr : (char*)(LPCSTR)strName;
        column.typeName = strTypeName.IsEmpty() ? nullptr : (char*)(LPCSTR)strTypeName;
        column.searchable = types[0];
        column.dataType = types[1];
        column.sqlDataType = types[2];
        column.datetimeSub = types[3];
        ColumnInfo info;
        SetConditionColumn(info, column);
        SetConditionTexts(info, strDisplay, strText);
        SetConditionMakeup(info, makeup[0], makeup[1], strValue1, strValue2);
        info.asked = makeup[2];
        if (AppendColumnInfo(conditions.p, conditions.n, info))
            return true;
        FreeColumnInfo(info);
        return false;
    }

    void PutCondition(CEntryWriter& writer, const ColumnInfo& info)
    {
        auto text = [](const char* psz) { return CString(psz); };
        // Only a typed condition's text is kept; the editor's are made anew.
        const bool bTyped = info.name == nullptr;
        writer.PutNumbers("condition", {info.searchable, info.dataType, info.sqlDataType, info.datetimeSub});
        writer.Put("condition.column", text(info.name));
        writer.Put("condition.type", text(info.typeName));
        writer.Put("condition.display", text(info.displayText));
        writer.PutNumbers("condition.makeup",
                          {bTyped ? 0 : info.conditionOperator, !bTyped && info.negated != 0, !bTyped && info.asked != 0});
        writer.Put("condition.value1", text(info.value1));
        writer.Put("condition.value2", text(info.value2));
        writer.Put("condition.text", bTyped ? text(info.filterText) : CString());
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

std::string EncodeLastImport(const LastImport& last)
{
    const ImportChoices& choices = last.choices;
    CEntryWriter writer;
    writer.Put("version", szVersion);
    writer.Put("source", choices.table.strDataSource);
    writer.PutNumbers("kind", {(int)choices.table.nDsnType});
    writer.Put("schema", choices.table.strSchema);
    writer.Put("table", choices.table.strTable);
    writer.PutNumbers("views", {choices.table.nIncludeViews != 0});
    for (int k = 0; k < OUTPUT_FIELDS; ++k)
    {
        const FieldMapping& field = choices.aFields[k];
        writer.Put(FieldName(k, "column"), field.m_strColumn);
        writer.Put(FieldName(k, "prefix"), field.m_strPrefix);
        writer.Put(FieldName(k, "suffix"), field.m_strSuffix);
        writer.PutNumbers(FieldName(k, "format"), FieldFormat(field));
    }
    writer.PutNumbers("conditions", {choices.bUseConditions != 0});
    writer.PutNumbers("reading", {(int)last.reading.family, last.reading.bBackslashEscapes != 0,
                                  last.reading.bReadingMeasured != 0});
    writer.Put("reading.quote", last.reading.strIdentifierQuote);
    for (int i = 0; i < choices.conditions.n; ++i)
        PutCondition(writer, choices.conditions.p[i]);
    for (int i = 0; i < SORT_KEYS; ++i)
        writer.PutNumbers("sort", {choices.aSortKeys[i].nField, choices.aSortKeys[i].bDescending != 0});
    return writer.List();
}

BOOL DecodeLastImport(const std::string& list, LastImport& last)
{
    ImportChoices& choices = last.choices;
    CEntryReader reader(list);
    CString strVersion;
    std::vector<int> kind, views, useConditions;
    if (!reader.Take("version", strVersion) || (strVersion != szVersion && strVersion != szSecondVersion && strVersion != szFirstVersion)
        || !reader.Take("source", choices.table.strDataSource) || !reader.Take("kind", 1, dsnSystem, dsnUser, kind)
        || !reader.Take("schema", choices.table.strSchema) || !reader.Take("table", choices.table.strTable)
        || !reader.Take("views", 1, 0, 1, views))
        return FALSE;
    choices.table.nDsnType = (DsnType)kind[0];
    choices.table.nIncludeViews = views[0];
    for (int k = 0; k < OUTPUT_FIELDS; ++k)
    {
        if (!TakeField(reader, k, choices.aFields[k]))
            return FALSE;
    }
    if (!reader.Take("conditions", 1, 0, 1, useConditions))
        return FALSE;
    choices.bUseConditions = useConditions[0];
    const bool bFirstVersion = strVersion == szFirstVersion;
    last.bReadingKnown = !bFirstVersion;
    if (!bFirstVersion && !TakeReading(reader, last.reading))
        return FALSE;
    choices.conditions = CColumnArray();
    while (reader.NextIs("condition"))
    {
        if (!TakeCondition(reader, strVersion, choices.conditions))
            return FALSE;
    }
    for (int i = 0; i < SORT_KEYS; ++i)
    {
        std::vector<int> key;
        if (!reader.Take("sort", 2, -1, OUTPUT_FIELDS - 1, key) || key[1] > 1)
            return FALSE;
        choices.aSortKeys[i].nField = key[0];
        choices.aSortKeys[i].bDescending = key[1];
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

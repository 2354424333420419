#include "session/LastImport.h"

#include "query/Condition.h"

#include <gtest/gtest.h>

namespace
{
    LastImport Example()
    {
        LastImport last;
        last.choices.table.strDataSource = "Customers = main";
        last.choices.table.nDsnType = dsnSystem;
        last.choices.table.strSchema = "archive";
        last.choices.table.strTable = "Orders 2024";
        last.choices.table.nIncludeViews = FALSE;
        last.choices.aFields[1].m_strColumn = "Code";
        last.choices.aFields[1].m_bPad = TRUE;
        last.choices.aFields[1].m_nPadWidth = 8;
        last.choices.aFields[1].m_chPad = '\xE9';
        last.choices.aFields[0].m_strColumn = "name";
        last.choices.aFields[0].m_strPrefix = "Tel: ";
        last.choices.aFields[0].m_strSuffix = ", =;";
        last.choices.aFields[0].m_bOnlyWithValue = TRUE;
        last.choices.aFields[3].m_strColumn = "born";
        last.choices.aFields[3].m_bDate = TRUE;
        ColumnInfo city;
        city.name = (char*)"city";
        city.typeName = (char*)"VARCHAR";
        city.searchable = 3;
        city.dataType = city.sqlDataType = 12;
        ColumnInfo condition;
        SetConditionColumn(condition, city);
        SetConditionTexts(condition, "(\"city\"='Oslo')", "");
        SetConditionMakeup(condition, opBetweenInclusive, TRUE, "Oslo", "Stavanger");
        condition.asked = 1;
        EXPECT_TRUE(AppendColumnInfo(last.choices.conditions.p, last.choices.conditions.n, condition));
        EXPECT_TRUE(AppendTypedCondition(last.choices.conditions.p, last.choices.conditions.n, "visits > 5 -- often"));
        last.choices.bUseConditions = TRUE;
        last.bReadingKnown = TRUE;
        last.reading.strIdentifierQuote = "\"";
        last.reading.family = sqlPostgreSqlFamily;
        last.choices.aSortKeys[0] = {1, TRUE};
        last.choices.aSortKeys[1] = {0, FALSE};
        return last;
    }

    // Writes the value as a user's registry may hold it.
    void StoreValue(DWORD dwType, const std::string& data)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\KAVEX\\RDMODBC", 0, nullptr, 0,
                                                   KEY_SET_VALUE, nullptr, &hKey, nullptr));
        ::RegSetValueExA(hKey, "LastImport", 0, dwType, (const BYTE*)data.data(), (DWORD)data.size());
        ::RegCloseKey(hKey);
    }
}

TEST(LastImport, KeepsEveryChoiceOfTheImport)
{
    const std::string list = EncodeLastImport(Example());
    ASSERT_FALSE(list.empty());
    LastImport last;
    ASSERT_TRUE(DecodeLastImport(list, last));
    EXPECT_EQ(list, EncodeLastImport(last));
    EXPECT_STREQ("Customers = main", last.choices.table.strDataSource);
    EXPECT_EQ(dsnSystem, last.choices.table.nDsnType);
    EXPECT_STREQ(", =;", last.choices.aFields[0].m_strSuffix);
    EXPECT_EQ('\xE9', last.choices.aFields[1].m_chPad);
    EXPECT_TRUE(last.choices.aFields[3].m_bDate);
    ASSERT_EQ(2, last.choices.conditions.n);
    EXPECT_STREQ("visits > 5 -- often", last.choices.conditions.p[1].filterText);
    EXPECT_EQ(-1, last.choices.aSortKeys[2].nField);

    EXPECT_EQ(1, last.choices.conditions.p[0].asked);
    EXPECT_STREQ("Stavanger", last.choices.conditions.p[0].value2) << "the value last given is offered again";

    // The value of before asked conditions came: none is asked.
    std::string older = list;
    for (const auto& change : {std::pair<std::string, std::string>{"version=3", "version=2"},
                               {"condition.makeup=6 1 1", "condition.makeup=6 1"},
                               {"condition.makeup=0 0 0", "condition.makeup=0 0"}})
        older.replace(older.find(change.first), change.first.size(), change.second);
    ASSERT_TRUE(DecodeLastImport(older, last));
    EXPECT_EQ(0, last.choices.conditions.p[0].asked);
    EXPECT_STREQ("Stavanger", last.choices.conditions.p[0].value2);

    LastImport none;
    ASSERT_TRUE(DecodeLastImport(EncodeLastImport(none), last));
    EXPECT_EQ(0, last.choices.conditions.n) << "no conditions left from before";
}

TEST(LastImport, IsNothingWhenItsValueIsCutDamagedOrOfALaterVersion)
{
    const std::string list = EncodeLastImport(Example());
    LastImport last;
    for (size_t nLength = 0; nLength < list.size(); ++nLength)
        EXPECT_FALSE(DecodeLastImport(list.substr(0, nLength), last)) << "cut to " << nLength;

    auto replaced = [&list](const std::string& from, const std::string& to) {
        std::string damaged = list;
        damaged.replace(damaged.find(from), from.size(), to);
        return damaged;
    };
    const std::string damaged[] = {
        replaced("version=3", "version=4"),
        replaced("condition.makeup=6 1 1", "condition.makeup=10 1 1"),
        replaced("condition.makeup=6 1 1", "condition.makeup=6 1 2"),
        replaced("condition.makeup=6 1 1", "condition.makeup=6 1"),
        replaced("condition.makeup=0 0 0", "condition.makeup=0 0 1"),   // a typed condition asks nothing
        replaced(std::string("condition.text=\0", 16), std::string("condition.text=x\0", 17)),   // the editor's SQL
        replaced("reading=2 0 1", "reading=4 0 1"),
        replaced("kind=1", "kind=3"),
        replaced("kind=1", "kind=1x"),
        replaced("views=0", "views=0 1"),
        replaced("field2.format=1 8", "field2.format=1 256"),
        replaced("field2.format=1 8", "field2.format=1 -8"),
        replaced("sort=1 1", "sort=4 1"),
        replaced("table=", "table"),
        replaced("source=", "origin="),
        list.substr(0, list.size() - 1) + "extra=1" + std::string(2, '\0'),
        std::string(list.size(), '\xFF'),
    };
    for (const std::string& text : damaged)
        EXPECT_FALSE(DecodeLastImport(text, last)) << text.substr(0, 60);
    EXPECT_TRUE(EncodeLastImport([] { LastImport l; l.choices.table.strTable = CString("a\0b", 3); return l; }()).empty())
        << "a text the list cannot carry is not kept";
}

// The value an older module stored holds each condition's SQL as it was
// written then: a typed condition is read as the engine reads it now, one
// of the editor's, whose makings are not there, is left out with its
// display text; a condition on a column the table lost, with its name.
TEST(LastImport, AnOlderValueIsReadAndItsConditionsWrittenAnewWhereTheyCanBe)
{
    std::string list;
    auto put = [&list](const std::string& entry) { list += entry + '\0'; };
    for (const char* psz : {"version=1", "source=S", "kind=1", "schema=", "table=T", "views=0"})
        put(psz);
    for (int k = 1; k <= 4; ++k)
    {
        const std::string field = "field" + std::to_string(k) + ".";
        put(field + "column=" + (k == 2 ? "Code" : ""));
        put(field + "prefix=");
        put(field + "suffix=");
        put(field + "format=0 0 48 0 0 0 0");
    }
    put("conditions=1");
    const char* conditions[][3] = {{"city", "(`city`='Oslo')", "(`city`='Oslo')"},
                                   {"", "Code > 1001", "Code > 1001"},
                                   {"", "x = 'open", "x = 'open"},
                                   {"gone", "(`gone`=1)", "(`gone`=1)"}};
    for (const auto& condition : conditions)
    {
        put("condition=3 12 12 0");
        put(std::string("condition.column=") + condition[0]);
        put("condition.type=VARCHAR");
        put(std::string("condition.display=") + condition[1]);
        put(std::string("condition.filter=") + condition[2]);
    }
    for (int i = 0; i < SORT_KEYS; ++i)
        put("sort=-1 0");
    list += '\0';

    LastImport last;
    ASSERT_TRUE(DecodeLastImport(list, last));
    EXPECT_FALSE(last.bReadingKnown);
    ASSERT_EQ(4, last.choices.conditions.n);
    EXPECT_EQ(opNone, last.choices.conditions.p[0].conditionOperator);

    CColumnArray columns;
    for (const char* pszName : {"Code", "city"})
    {
        ColumnInfo column;
        column.name = _strdup(pszName);
        column.sqlDataType = 12;
        ASSERT_TRUE(AppendColumnInfo(columns.p, columns.n, column));
    }
    CColumnArray conditionsNow = last.choices.conditions;
    SqlDialect dialect;
    dialect.family = sqlMySqlFamily;
    std::vector<CString> gone, unwritten;
    RecomposeConditions(conditionsNow.p, conditionsNow.n, columns.p, columns.n, dialect, TRUE, gone, unwritten);
    ASSERT_EQ(1, conditionsNow.n);
    EXPECT_STREQ("Code > 1001", conditionsNow.p[0].filterText);
    EXPECT_EQ((std::vector<CString>{"gone"}), gone);
    EXPECT_EQ((std::vector<CString>{"(`city`='Oslo')", "x = 'open"}), unwritten);
}

// A condition of the editor is stored as what it is made of, and written
// anew by the rules of the engine as it reads SQL at the next Open: a
// backslash doubled where it escapes, names in the quotes of the driver. A
// typed condition stays where the engine reads text as it did, and goes
// where it does not.
TEST(LastImport, TheEditorsConditionsAreWrittenForTheEngineOfTheDay)
{
    ColumnInfo note;
    note.name = (char*)"note";
    note.sqlDataType = 12;
    SqlDialect standard;
    standard.strIdentifierQuote = "\"";
    standard.family = sqlPostgreSqlFamily;
    ColumnInfo condition;
    SetConditionColumn(condition, note);
    SetConditionMakeup(condition, opEqual, FALSE, "\\') OR (1=1) --", "");
    ASSERT_EQ(conditionComposed, RecomposeCondition(condition, standard));
    EXPECT_STREQ("(\"note\"='\\'') OR (1=1) --')", condition.filterText);
    CColumnArray made;
    ASSERT_TRUE(AppendColumnInfo(made.p, made.n, condition));
    ASSERT_TRUE(AppendTypedCondition(made.p, made.n, "note <> 'x'"));

    LastImport stored;
    stored.choices.conditions = std::move(made);
    LastImport last;
    ASSERT_TRUE(DecodeLastImport(EncodeLastImport(stored), last));
    EXPECT_EQ(nullptr, last.choices.conditions.p[0].filterText) << "no SQL of the editor's is kept";

    struct Case { SqlFamily family; const char* quote; BOOL bBackslashEscapes; BOOL bTypedRead; const char* filter; };
    const Case cases[] = {
        {sqlPostgreSqlFamily, "\"", TRUE, FALSE, "(\"note\"='\\\\'') OR (1=1) --')"},
        {sqlMySqlFamily, "`", FALSE, FALSE, "(`note`='\\'') OR (1=1) --')"},
        {sqlPostgreSqlFamily, "\"", FALSE, TRUE, "(\"note\"='\\'') OR (1=1) --')"},
    };
    for (const Case& c : cases)
    {
        SqlDialect dialect;
        dialect.family = c.family;
        dialect.strIdentifierQuote = c.quote;
        dialect.bBackslashEscapes = c.bBackslashEscapes;
        CColumnArray columns = CColumnArray::CopyOf(&note, 1);
        CColumnArray conditions = last.choices.conditions;
        std::vector<CString> gone, unwritten;
        RecomposeConditions(conditions.p, conditions.n, columns.p, columns.n, dialect, c.bTypedRead, gone, unwritten);
        ASSERT_LE(1, conditions.n) << c.filter;
        EXPECT_STREQ(c.filter, conditions.p[0].filterText);
        EXPECT_EQ(c.bTypedRead ? 2 : 1, conditions.n) << c.filter;
        EXPECT_EQ(c.bTypedRead ? 0u : 1u, unwritten.size()) << c.filter;
    }
}

TEST(LastImport, AStoredValueThatIsNotOneStartsAfresh)
{
    const LastImport example = Example();
    SaveLastImport(example);
    LastImport last;
    ASSERT_TRUE(LoadLastImport(last));
    EXPECT_EQ(EncodeLastImport(example), EncodeLastImport(last));

    const std::string list = EncodeLastImport(example);
    struct Case { const char* what; DWORD dwType; std::string data; };
    const Case cases[] = {
        {"truncated", REG_MULTI_SZ, list.substr(0, list.size() / 2)},
        {"of another type", REG_SZ, "version=1"},
        {"binary", REG_BINARY, list},
        {"huge", REG_MULTI_SZ, std::string(300 * 1024, 'x') + std::string(2, '\0')},
        {"of a later version", REG_MULTI_SZ, "version=4" + std::string(2, '\0')},
        {"empty", REG_MULTI_SZ, ""},
    };
    for (const Case& c : cases)
    {
        StoreValue(c.dwType, c.data);
        EXPECT_FALSE(LoadLastImport(last)) << c.what;
    }
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\KAVEX\\RDMODBC");
    EXPECT_FALSE(LoadLastImport(last)) << "missing";
}

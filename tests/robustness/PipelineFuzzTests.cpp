// Random values, types, options and operators through the field pipeline and
// the condition texts, checked against what must hold whatever the input.
// A fixed number of cases runs with the tests; RDM_FUZZ_CASES=N runs N per
// test and RDM_FUZZ_SEED=S another sequence.
#include "query/Condition.h"
#include "query/Identifier.h"
#include "resource.h"
#include "session/FieldFormat.h"
#include "session/Statement.h"

#include <gtest/gtest.h>
#include <sqlext.h>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace
{
    int FuzzCases()
    {
        const char* pszCases = std::getenv("RDM_FUZZ_CASES");
        return pszCases ? std::atoi(pszCases) : 3000;
    }

    // The figures of the fuzz, printed once the four fuzz tests have run.
    class CFuzzFigures : public ::testing::Environment
    {
    public:
        void TearDown() override
        {
            const char* pszSeed = std::getenv("RDM_FUZZ_SEED");
            std::printf("fuzz: %d cases in each of 4 tests, %d in all (seed %s)\n", FuzzCases(), 4 * FuzzCases(),
                        pszSeed ? pszSeed : "20261208");
        }
    };
    ::testing::Environment* const g_pFuzzFigures = ::testing::AddGlobalTestEnvironment(new CFuzzFigures);

    class CFuzz
    {
    public:
        CFuzz()
        {
            const char* pszSeed = std::getenv("RDM_FUZZ_SEED");
            m_engine.seed(pszSeed ? (unsigned)std::strtoul(pszSeed, nullptr, 10) : 20261208u);
        }
        int Between(int nLow, int nHigh)    { return std::uniform_int_distribution<int>(nLow, nHigh)(m_engine); }
        bool Chance(int nPercent)           { return Between(1, 100) <= nPercent; }
        template <class T> const T& Pick(const std::vector<T>& items) { return items[Between(0, (int)items.size() - 1)]; }

        // Bytes a user or a driver may bring: digits, signs, points, quotes
        // of all three kinds, blanks, letters and high bytes; no NUL.
        std::string Text(int nMaxLength)
        {
            static const std::string alphabet = "0123456789-+.eE:/ '`\"()%_aZ\t\xE9\xFF";
            std::string text;
            for (int i = Between(0, nMaxLength); i > 0; --i)
                text += Chance(90) ? alphabet[Between(0, (int)alphabet.size() - 1)] : (char)Between(1, 255);
            return text;
        }
        // A text of what quotes, escapes, ends or comments SQL.
        std::string SqlText(int nMaxLength)
        {
            static const std::string alphabet = "'\"`\\;#$[]!%_-/*E aZ09\xE9";
            std::string text;
            for (int i = Between(0, nMaxLength); i > 0; --i)
                text += alphabet[Between(0, (int)alphabet.size() - 1)];
            return text;
        }
        // A value as a driver would deliver it as text.
        std::string Value()
        {
            switch (Between(0, 5))
            {
            case 0: return std::to_string(Between(-100000, 100000)) + "." + std::to_string(Between(0, 999));
            case 1: return std::string(Between(1, 400), '9') + (Chance(50) ? ".25" : "");
            case 2: return std::to_string(Between(1, 9999)) + "-" + std::to_string(Between(1, 12)) + "-"
                           + std::to_string(Between(1, 31)) + (Chance(50) ? " 13:45:00" : "");
            case 3: return std::to_string(Between(0, 30)) + ":" + std::to_string(Between(0, 70)) + ":"
                           + std::to_string(Between(0, 70));
            default: return Text(40);
            }
        }

    private:
        std::mt19937 m_engine;
    };

    bool IsWholeNumber(const std::string& text)
    {
        size_t nStart = !text.empty() && text[0] == '-' ? 1 : 0;
        return text.size() > nStart && text.find_first_not_of("0123456789", nStart) == std::string::npos;
    }

    bool HasShape(const std::string& text, const char* pszShape)
    {
        if (text.size() != strlen(pszShape))
            return false;
        for (size_t i = 0; i < text.size(); ++i)
            if (pszShape[i] == '9' ? !isdigit((unsigned char)text[i]) : text[i] != pszShape[i])
                return false;
        return true;
    }

    // Reads the SQL text as a driver's parser would: string literals in
    // single quotes and names in grave accents, each closing quote doubled
    // inside, and parentheses outside them. True when every literal and name
    // is closed and the parentheses pair up.
    // Every literal and every name (quoted with chQuote) ends where it
    // should, and the parentheses balance outside them.
    bool IsWellQuoted(const std::string& sql, char chQuote)
    {
        int nDepth = 0;
        for (size_t i = 0; i < sql.size(); ++i)
        {
            char ch = sql[i];
            if (ch == '\'' || ch == chQuote)
            {
                for (++i;; ++i)
                {
                    if (i >= sql.size())
                        return false;
                    if (sql[i] == ch)
                    {
                        if (i + 1 < sql.size() && sql[i + 1] == ch)
                            ++i;
                        else
                            break;
                    }
                }
            }
            else if (ch == '(')
                ++nDepth;
            else if (ch == ')' && --nDepth < 0)
                return false;
        }
        return nDepth == 0;
    }
}

TEST(PipelineFuzz, FieldTextsKeepToTheLimitThePadAndTheRules)
{
    CFuzz fuzz;
    for (int nCase = 0, nCases = FuzzCases(); nCase < nCases; ++nCase)
    {
        OutputField field;
        field.m_strPrefix = fuzz.Text(6).c_str();
        field.m_strSuffix = fuzz.Text(6).c_str();
        field.m_bInteger = fuzz.Chance(30);
        int nDateTime = fuzz.Between(0, 2);
        field.m_bDate = nDateTime == 1;
        field.m_bTime = nDateTime == 2;
        field.m_bPad = fuzz.Chance(50);
        field.m_nPadWidth = fuzz.Between(0, 255);
        field.m_chPad = fuzz.Chance(10) ? '\0' : (char)fuzz.Between(1, 255);
        field.m_bPadRight = fuzz.Chance(50);
        const std::string value = fuzz.Value();
        const int nLimit = fuzz.Chance(10) ? fuzz.Between(-3, 0) : fuzz.Between(1, 600);
        SCOPED_TRACE("case " + std::to_string(nCase) + " value [" + value + "] limit " + std::to_string(nLimit));

        CString strFormatted = value.c_str();
        if (field.m_bInteger)
            FormatAsInteger(strFormatted);
        std::string formatted = strFormatted.Str();
        if (field.m_bInteger)
        {
            // A whole number, or a number too large for one cut at its last point.
            size_t nPoint = value.rfind('.');
            ASSERT_TRUE(IsWholeNumber(formatted) || formatted == value.substr(0, nPoint)) << formatted;
        }
        if (field.m_bDate || field.m_bTime)
        {
            FormatAsDateTime(strFormatted, field.m_bDate);
            std::string dated = strFormatted.Str();
            ASSERT_TRUE(dated == formatted || HasShape(dated, field.m_bDate ? "9999-99-99" : "99:99:99")) << dated;
        }

        CString strValue = value.c_str();
        ApplyValueRules(field, strValue);
        ASSERT_EQ(strFormatted.Str(), strValue.Str()) << "the rules apply in their order";
        std::vector<char> whole(strValue.GetLength() + 600);
        DeliverFieldText(field, strValue, whole.data(), (int)whole.size() - 1);
        const std::string text = whole.data();
        ASSERT_EQ(field.m_strPrefix.Str(), text.substr(0, field.m_strPrefix.GetLength()));
        ASSERT_EQ(field.m_strSuffix.Str(), text.substr(text.size() - field.m_strSuffix.GetLength()));
        size_t nValueLength = text.size() - field.m_strPrefix.GetLength() - field.m_strSuffix.GetLength();
        if (field.m_bPad && field.m_chPad != '\0')
        {
            ASSERT_GE(nValueLength, (size_t)field.m_nPadWidth);
        }
        else
        {
            ASSERT_EQ(strFormatted.Str().size(), nValueLength);
        }

        std::vector<char> buffer((nLimit > 0 ? nLimit : 0) + 1 + 16, '\x5A');
        DeliverFieldText(field, strValue, buffer.data(), nLimit);
        size_t nAllowed = nLimit > 0 ? (size_t)nLimit : 0;
        std::string delivered = buffer.data();
        ASSERT_LE(delivered.size(), nAllowed);
        ASSERT_EQ(text.substr(0, std::min(nAllowed, text.size())), std::string(buffer.data(), std::min(nAllowed, text.size())))
            << "whatever fits arrives";
        for (size_t i = nAllowed + 1; i < buffer.size(); ++i)
            ASSERT_EQ('\x5A', buffer[i]) << "written past the limit + 1 at " << i;
    }
}

TEST(PipelineFuzz, WholeNumbersAreThoseOfTheNearestDouble)
{
    // Plain decimals of every length around 15 digits, their fractions often
    // close to 1: the integer rule must give the whole part of the nearest
    // double, cut toward zero, however it reads the text.
    CFuzz fuzz;
    for (int nCase = 0, nCases = FuzzCases(); nCase < nCases; ++nCase)
    {
        const std::string sign = fuzz.Pick(std::vector<std::string>{"", "-", "+", " "});
        std::string number;
        for (int i = fuzz.Between(0, 18); i > 0; --i)
            number += (char)('0' + fuzz.Between(0, 9));
        if (fuzz.Chance(80))
        {
            number += '.';
            const char chFraction = fuzz.Chance(50) ? '9' : (char)('0' + fuzz.Between(0, 9));
            for (int i = fuzz.Between(0, 22); i > 0; --i)
                number += fuzz.Chance(80) ? chFraction : (char)('0' + fuzz.Between(0, 9));
        }
        if (number.find_first_of("0123456789") == std::string::npos)
            continue;
        double value = 0;
        std::from_chars(number.data(), number.data() + number.size(), value);
        CString strText = (sign + number).c_str();
        FormatAsInteger(strText);
        ASSERT_EQ(std::to_string((long long)(sign == "-" ? -value : value)), strText.Str()) << "[" << sign + number << "]";
    }
}

TEST(PipelineFuzz, ConditionTextsQuoteTheirNamesAndValues)
{
    CFuzz fuzz;
    const std::vector<ConditionOperator> operators = {opLike, opEqual, opBetweenExclusive, opFromInclToExcl,
                                         opFromExclToIncl, opBetweenInclusive, opTrue, opFalse,
                                         opIsNull};
    // Text, date and bit columns, whose values the module writes itself, and
    // number columns, which take a value as typed unless it could change
    // the statement; each on every engine's reading of SQL.
    const std::vector<int> types = {SQL_CHAR, SQL_VARCHAR, SQL_LONGVARCHAR, SQL_WCHAR, SQL_WVARCHAR,
                                    SQL_WLONGVARCHAR, SQL_TYPE_DATE, SQL_DATETIME, SQL_BIT, SQL_UNKNOWN_TYPE, 99,
                                    SQL_INTEGER, SQL_DOUBLE};
    const std::vector<SqlFamily> families = {sqlOtherFamily, sqlMySqlFamily, sqlPostgreSqlFamily, sqlSQLiteFamily};
    for (int nCase = 0, nCases = FuzzCases(); nCase < nCases; ++nCase)
    {
        std::string name = fuzz.Text(12);
        if (name.empty())
            name = "c";
        const int nType = fuzz.Pick(types);
        const ConditionOperator nOperator = fuzz.Pick(operators);
        const std::string value1 = fuzz.Chance(15) ? "" : fuzz.Chance(50) ? fuzz.SqlText(20) : fuzz.Value();
        const std::string value2 = fuzz.Chance(30) ? "" : fuzz.Chance(50) ? fuzz.SqlText(20) : fuzz.Value();
        const BOOL bNegate = fuzz.Chance(30);
        SqlDialect dialect;
        dialect.family = fuzz.Pick(families);
        // MySQL's drivers quote names with the grave accent.
        const char chQuote = fuzz.Chance(50) || dialect.family == sqlMySqlFamily ? '`' : '"';
        dialect.strIdentifierQuote = CString(chQuote);
        dialect.bBackslashEscapes = fuzz.Chance(50);
        SCOPED_TRACE("case " + std::to_string(nCase) + " name [" + name + "] type " + std::to_string(nType) + " op "
                     + std::to_string(nOperator) + " values [" + value1 + "] [" + value2 + "] quote " + chQuote
                     + " family " + std::to_string(dialect.family) + " backslash "
                     + std::to_string(dialect.bBackslashEscapes));

        ColumnInfo column;
        column.name = (char*)name.c_str();
        column.sqlDataType = nType;
        column.datetimeSub = fuzz.Between(0, 3);
        CString strDisplay = "old", strFilter = "old";
        ConditionResult result = ComposeCondition(column, dialect, nOperator, value1.c_str(), value2.c_str(),
                                                  bNegate, strDisplay, strFilter);
        if (result != conditionComposed)
        {
            ASSERT_TRUE(strDisplay.IsEmpty() && strFilter.IsEmpty());
            continue;
        }
        const std::string filter = strFilter.Str();
        // What the module writes is one condition on every engine.
        ASSERT_EQ(sqlTextSound, CheckSqlCondition(strFilter, dialect)) << filter;
        // A number's value is the user's own SQL, parentheses and all.
        if (nType == SQL_INTEGER || nType == SQL_DOUBLE)
            continue;
        ASSERT_TRUE(IsWellQuoted(filter, chQuote) || dialect.bBackslashEscapes) << filter;
        ASSERT_TRUE(IsWellQuoted(strDisplay.Str(), chQuote) || nType == SQL_DATETIME) << strDisplay.Str();
        // A bit column compared builds no text at all.
        if (filter.empty())
            continue;
        ASSERT_NE(std::string::npos, filter.find(QuoteIdentifier(name.c_str(), CString(chQuote)).Str())) << filter;
        ASSERT_TRUE(!bNegate || filter.substr(0, 5) == "NOT (") << filter;
    }
}

TEST(PipelineFuzz, FiltersJoinTheirTextsWithOneAndBetweenEach)
{
    CFuzz fuzz;
    for (int nCase = 0, nCases = FuzzCases(); nCase < nCases; ++nCase)
    {
        std::vector<std::string> texts;
        std::vector<const char*> filters;
        std::string expected;
        for (int i = fuzz.Between(0, 6); i > 0; --i)
        {
            int nKind = fuzz.Between(0, 3);
            texts.push_back(nKind == 0 ? "" : "(`c" + std::to_string(i) + "`=" + std::to_string(nKind) + ")");
        }
        for (const std::string& text : texts)
        {
            bool bAbsent = fuzz.Chance(20);
            filters.push_back(bAbsent ? nullptr : text.c_str());
            if (bAbsent || text.empty())
                continue;
            expected += (expected.empty() ? "" : "\nAND ") + ("(" + text + "\n)");
        }
        const std::string filter = ComposeFilter(filters.data(), (int)filters.size()).Str();
        ASSERT_EQ(expected, filter) << "case " << nCase;
    }
}

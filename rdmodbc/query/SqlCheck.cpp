#include "SqlCheck.h"

namespace
{
    bool IsLetter(unsigned char ch)
    {
        return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '_' || ch >= 0x80;
    }

    bool IsDigit(unsigned char ch)
    {
        return ch >= '0' && ch <= '9';
    }

    // What may continue a word (a name or a number) of the engines read here.
    bool IsWordByte(unsigned char ch)
    {
        return IsLetter(ch) || IsDigit(ch) || ch == '$';
    }

    enum BackslashRule
    {
        backslashPlain,         // a character like any other
        backslashEscapes,       // escapes the character after it
        backslashAmbiguous,     // read either way, depending on the engine's mode: refused
    };

    // Reads the text as the engine of the dialect reads it, front to back,
    // and stops at the first thing that would take the statement anywhere
    // but where the text appears to take it. Multi-byte characters of the
    // ANSI code page are stepped over whole: a trail byte may look like a
    // backslash or a bracket, and is neither.
    class CSqlScanner
    {
    public:
        CSqlScanner(const CString& strText, const SqlDialect& dialect, bool bValue)
            : m_psz(strText), m_nLength(strText.GetLength()), m_dialect(dialect), m_bValue(bValue)
        {
        }

        SqlTextFault Scan()
        {
            if (!m_dialect.bReadingMeasured && HasUnsureByteBesideQuote())
                return sqlTextUnsureReading;
            int i = 0;
            while (i < m_nLength)
            {
                SqlTextFault fault = Step(i);
                if (fault != sqlTextSound)
                    return fault;
            }
            return sqlTextSound;
        }

    private:
        unsigned char Byte(int i) const     { return i >= 0 && i < m_nLength ? (unsigned char)m_psz[i] : 0; }

        // A backslash may escape or not, and a byte from 0x80 may take the
        // byte after it into one character or not: beside a quote, either
        // could end a quoted text or name where the other reading does not.
        bool HasUnsureByteBesideQuote() const
        {
            auto isQuote = [this](unsigned char ch) {
                return ch == '\'' || ch == '"' || ch == '`' || IsIdentifierQuote((char)ch);
            };
            for (int i = 0; i < m_nLength; ++i)
            {
                const unsigned char ch = Byte(i);
                if ((ch == '\\' || ch >= 0x80) && (isQuote(Byte(i - 1)) || isQuote(Byte(i + 1))))
                    return true;
            }
            return false;
        }
        // 2 for a character of a double-byte code page; its second byte is
        // never below 0x40, and a first byte without one is no character
        // that a driver would convert as it stands.
        int CharLength(int i) const         { return ::IsDBCSLeadByte(Byte(i)) && Byte(i + 1) >= 0x40 ? 2 : 1; }
        bool IsStrayLeadByte(int i) const   { return ::IsDBCSLeadByte(Byte(i)) && Byte(i + 1) < 0x40; }
        // Outside quotes, a line break would end a line comment wherever
        // each engine thinks a line ends; without one, a comment runs to the
        // end of the text, and the text ends its own line in the statement.
        bool IsLineBreak(int i) const       { return Byte(i) < 0x20 && Byte(i) != '\t'; }
        SqlFamily Family() const            { return m_dialect.family; }
        bool IsIdentifierQuote(char ch) const
        {
            return m_dialect.strIdentifierQuote.GetLength() == 1 && m_dialect.strIdentifierQuote.GetAt(0) == ch
                && ch != '\'';
        }

        // One token from i on; i is left behind it.
        SqlTextFault Step(int& i)
        {
            const unsigned char ch = Byte(i);
            const unsigned char chNext = Byte(i + 1);
            if (IsLineBreak(i))
                return sqlTextLineBreak;
            if (IsStrayLeadByte(i))
                return sqlTextAmbiguous;
            if (CharLength(i) == 2)
            {
                i += 2;
                return sqlTextSound;
            }
            switch (ch)
            {
            case ';':
                return sqlTextSeparator;
            case '\'':
                return SkipQuoted(i, '\'', m_dialect.bBackslashEscapes ? backslashEscapes : backslashPlain, true,
                                  sqlTextOpenText);
            case '"':
                // Where it does not quote names for the driver, MySQL reads
                // "..." as a text, with the escapes of one, or as a name
                // under ANSI_QUOTES, without them: the same where no
                // backslash is inside.
                if ((Family() == sqlMySqlFamily || Family() == sqlOtherFamily) && !IsIdentifierQuote('"'))
                    return SkipQuoted(i, '"', m_dialect.bBackslashEscapes ? backslashAmbiguous : backslashPlain, true,
                                      sqlTextOpenText);
                return SkipQuoted(i, '"', backslashPlain, true, sqlTextOpenName);
            case '`':
                if (Family() == sqlMySqlFamily || Family() == sqlSQLiteFamily || IsIdentifierQuote('`'))
                    return SkipQuoted(i, '`', backslashPlain, true, sqlTextOpenName);
                return Family() == sqlOtherFamily ? sqlTextAmbiguous : Plain(i);
            case '[':
                // MySQL quotes names so in its MSSQL mode.
                if (Family() == sqlSQLiteFamily)
                    return SkipQuoted(i, ']', backslashPlain, false, sqlTextOpenName);
                return Family() == sqlPostgreSqlFamily ? Plain(i) : sqlTextAmbiguous;
            case '-':
                return chNext == '-' ? DashDash(i) : Plain(i);
            case '/':
                return chNext == '*' ? BlockComment(i) : Plain(i);
            case '#':
                if (Family() == sqlMySqlFamily)
                    return LineComment(i);
                return Family() == sqlPostgreSqlFamily ? Plain(i) : sqlTextAmbiguous;
            case '$':
                if (Family() == sqlPostgreSqlFamily)
                    return Dollar(i);
                return Family() == sqlMySqlFamily ? Plain(i) : sqlTextAmbiguous;
            case '@':
            case ':':
                // SQLite's parameters, which may swallow quotes: "$a(')".
                return Family() == sqlSQLiteFamily && IsWordByte(chNext) ? sqlTextAmbiguous : Plain(i);
            case 'E':
            case 'e':
                if (Family() == sqlPostgreSqlFamily && chNext == '\'')
                    return EscapeString(i);
                return Family() == sqlOtherFamily && chNext == '\'' ? UnknownPrefixedText(i) : Plain(i);
            case 'Q':
            case 'q':
                // Oracle's q'[...]', a text that ends where its bracket does.
                return Family() == sqlOtherFamily && chNext == '\'' ? UnknownPrefixedText(i) : Plain(i);
            }
            if (IsIdentifierQuote((char)ch))
                return SkipQuoted(i, (char)ch, backslashPlain, true, sqlTextOpenName);
            return Plain(i);
        }

        SqlTextFault Plain(int& i)
        {
            i += CharLength(i);
            return sqlTextSound;
        }

        // From the opening quote at i to behind the closing one; a doubled
        // closing quote stands for itself where bDoubling.
        SqlTextFault SkipQuoted(int& i, char chClose, BackslashRule backslash, bool bDoubling, SqlTextFault openFault)
        {
            for (++i; i < m_nLength; i += CharLength(i))
            {
                if (IsStrayLeadByte(i))
                    return sqlTextAmbiguous;
                if (CharLength(i) == 2)
                    continue;
                const char ch = (char)Byte(i);
                if (ch == '\\' && backslash == backslashAmbiguous)
                    return sqlTextAmbiguous;
                if (ch == '\\' && backslash == backslashEscapes)
                {
                    ++i;
                    if (i >= m_nLength)
                        break;
                    continue;
                }
                if (ch != chClose)
                    continue;
                if (bDoubling && Byte(i + 1) == (unsigned char)chClose)
                {
                    ++i;
                    continue;
                }
                ++i;
                return sqlTextSound;
            }
            return openFault;
        }

        SqlTextFault DashDash(int& i)
        {
            // MySQL takes "--" for a comment only before a blank or a
            // control character; the end of the text is a line end in the
            // statement.
            if (Family() == sqlMySqlFamily)
            {
                const unsigned char chAfter = Byte(i + 2);
                if (i + 2 < m_nLength && chAfter != ' ' && chAfter != '\t')
                {
                    i += 2;
                    return sqlTextSound;
                }
            }
            return LineComment(i);
        }

        SqlTextFault LineComment(int& i)
        {
            if (m_bValue)
                return sqlTextComment;
            // A driver that splits statements itself may not know the comment.
            for (; i < m_nLength; i += CharLength(i))
            {
                if (IsLineBreak(i))
                    return sqlTextLineBreak;
                if (IsStrayLeadByte(i))
                    return sqlTextAmbiguous;
                if (CharLength(i) == 1 && Byte(i) == ';')
                    return sqlTextSeparator;
            }
            return sqlTextSound;
        }

        SqlTextFault BlockComment(int& i)
        {
            if (m_bValue)
                return sqlTextComment;
            // MySQL runs what "/*!" and "/*M!" hold.
            if (Family() == sqlMySqlFamily && (Byte(i + 2) == '!' || (Byte(i + 2) == 'M' && Byte(i + 3) == '!')))
                return sqlTextAmbiguous;
            int nDepth = 1;
            for (i += 2; i < m_nLength; i += CharLength(i))
            {
                if (IsStrayLeadByte(i))
                    return sqlTextAmbiguous;
                if (CharLength(i) == 2)
                    continue;
                const char ch = (char)Byte(i);
                if (ch == ';')
                    return sqlTextSeparator;
                if (ch == '*' && Byte(i + 1) == '/')
                {
                    ++i;
                    if (--nDepth == 0)
                    {
                        ++i;
                        return sqlTextSound;
                    }
                }
                else if (ch == '/' && Byte(i + 1) == '*')
                {
                    // PostgreSQL nests comments, the others end at the first
                    // "*/"; an engine not known may do either.
                    if (Family() == sqlOtherFamily)
                        return sqlTextAmbiguous;
                    if (Family() == sqlPostgreSqlFamily)
                        ++nDepth;
                    ++i;
                }
            }
            return sqlTextOpenComment;
        }

        // What ends just before position i: no word, a name (which the
        // character at i continues), or a number or a parameter ($1),
        // behind which servers of different versions read on differently.
        enum WordBefore { noWord, nameBefore, numberBefore };
        WordBefore WordBeforePosition(int i) const
        {
            int nStart = i;
            while (nStart > 0 && IsWordByte(Byte(nStart - 1)))
                --nStart;
            if (nStart == i)
                return noWord;
            return IsDigit(Byte(nStart)) || Byte(nStart) == '$' ? numberBefore : nameBefore;
        }

        // PostgreSQL's E'...' has the escapes of C whatever the server's
        // setting; behind a name it is the name's last letter and a plain
        // text, behind a number an old server reads an escape string and a
        // new one an error.
        SqlTextFault EscapeString(int& i)
        {
            const WordBefore before = WordBeforePosition(i);
            if (before != noWord)
                return before == numberBefore ? sqlTextAmbiguous : Plain(i);
            ++i;
            return SkipQuoted(i, '\'', backslashEscapes, true, sqlTextOpenText);
        }

        // A letter that opens a text of other rules on some engine (E'...'
        // with escapes, q'[...]'); behind a name it is the name's last letter.
        SqlTextFault UnknownPrefixedText(int& i)
        {
            return WordBeforePosition(i) == nameBefore ? Plain(i) : sqlTextAmbiguous;
        }

        // PostgreSQL's $tag$...$tag$, a text without escapes. A "$" inside a
        // name belongs to the name; behind a number it could open a quote.
        SqlTextFault Dollar(int& i)
        {
            const WordBefore before = WordBeforePosition(i);
            if (before != noWord)
                return before == numberBefore ? sqlTextAmbiguous : Plain(i);
            int nTagEnd = i + 1;
            if (IsLetter(Byte(nTagEnd)))
            {
                while (IsLetter(Byte(nTagEnd)) || IsDigit(Byte(nTagEnd)))
                    ++nTagEnd;
            }
            if (Byte(nTagEnd) != '$')
                return Plain(i);
            const CString strDelimiter(m_psz + i, nTagEnd + 1 - i);
            const int nClose = CString(m_psz).Find(strDelimiter, nTagEnd + 1);
            if (nClose < 0)
                return sqlTextOpenText;
            i = nClose + strDelimiter.GetLength();
            return sqlTextSound;
        }

        LPCSTR m_psz;
        int m_nLength;
        const SqlDialect& m_dialect;
        bool m_bValue;
    };
}

SqlTextFault CheckSqlCondition(const CString& strText, const SqlDialect& dialect)
{
    return CSqlScanner(strText, dialect, false).Scan();
}

SqlTextFault CheckSqlValue(const CString& strValue, const SqlDialect& dialect)
{
    return CSqlScanner(strValue, dialect, true).Scan();
}

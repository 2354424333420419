#include "CString.h"

#include <cstdio>
#include <cstring>
#include <vector>

int CString::Find(LPCSTR pszSub, int nStart) const
{
    if (nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(pszSub, nStart);
    return pos == std::string::npos ? -1 : (int)pos;
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(ch, nStart);
    return pos == std::string::npos ? -1 : (int)pos;
}

int CString::ReverseFind(char ch) const
{
    size_t pos = m_str.rfind(ch);
    return pos == std::string::npos ? -1 : (int)pos;
}

CString CString::Left(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    return CString(m_str.substr(0, nCount));
}

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nFirst >= GetLength())
        return CString();
    return CString(nCount < 0 ? m_str.substr(nFirst) : m_str.substr(nFirst, nCount));
}

int CString::Delete(int nIndex, int nCount)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex < GetLength() && nCount > 0)
        m_str.erase(nIndex, nCount);
    return GetLength();
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew)
{
    size_t oldLen = pszOld ? strlen(pszOld) : 0;
    if (oldLen == 0)
        return 0;
    std::string replacement = pszNew ? pszNew : "";
    int nCount = 0;
    for (size_t pos = m_str.find(pszOld); pos != std::string::npos;
         pos = m_str.find(pszOld, pos + replacement.size()))
    {
        m_str.replace(pos, oldLen, replacement);
        ++nCount;
    }
    return nCount;
}

void CString::Format(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(LPCSTR pszFormat, va_list args)
{
    va_list probe;
    va_copy(probe, args);
    int nLength = vsnprintf(nullptr, 0, pszFormat, probe);
    va_end(probe);
    if (nLength < 0)
    {
        m_str.clear();
        return;
    }
    std::vector<char> buffer(nLength + 1);
    vsnprintf(buffer.data(), buffer.size(), pszFormat, args);
    m_str.assign(buffer.data(), nLength);
}

LPSTR CString::GetBuffer(int nMinLength)
{
    if (nMinLength > GetLength())
        m_str.resize(nMinLength);
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = (int)strlen(m_str.c_str());
    m_str.resize(nNewLength);
}

// The order the rows are asked for: which keys count, and the ORDER BY list.
#include "query/SortOrder.h"

#include <gtest/gtest.h>

namespace
{
    const SortKey none;

    SortKey By(int nField, bool bDescending = false)
    {
        SortKey key;
        key.nField = nField;
        key.bDescending = bDescending;
        return key;
    }

    CString Order(const SortKey aKeys[SORT_KEYS], const CString astrColumns[4], const char* pszQuote = "\"")
    {
        return ComposeSortOrder(EffectiveSortKeys(aKeys, astrColumns), astrColumns, pszQuote);
    }
}

TEST(SortOrder, ListsTheKeysColumnsInKeyOrderWithTheirDirection)
{
    const CString columns[4] = {"Name", "Code", "", "Born On"};
    struct Case { SortKey keys[SORT_KEYS]; const char* order; };
    const Case cases[] = {
        {{none, none, none}, ""},
        {{By(1), none, none}, "\"Code\""},
        {{By(1, true), none, none}, "\"Code\" DESC"},
        {{By(1), By(0, true), By(3)}, "\"Code\",\"Name\" DESC,\"Born On\""},
        {{none, By(3, true), none}, "\"Born On\" DESC"},                // a gap before a key
        {{By(2), By(0), none}, "\"Name\""},                             // field 3 has no column
        {{By(0), By(0, true), By(1)}, "\"Name\",\"Code\""},             // a field counts once, at its first place
        {{By(7), By(-1), By(1)}, "\"Code\""},                           // no such field
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.order, Order(c.keys, columns)) << c.order;
}

TEST(SortOrder, QuotesAsTheDriverDoesAndSortsByAColumnOnce)
{
    const CString columns[4] = {"ORDERS.QTY", "we`ird", "ORDERS.QTY", ""};
    const SortKey keys[SORT_KEYS] = {By(1, true), By(0), By(2, true)};
    EXPECT_STREQ("`we``ird` DESC,`ORDERS`.`QTY`", Order(keys, columns, "`"));
    EXPECT_STREQ("we`ird DESC,ORDERS.QTY", Order(keys, columns, ""));
}

TEST(SortOrder, KeepsTheKeysThatCountInTheirOrder)
{
    const CString columns[4] = {"Name", "Code", "", "City"};
    const SortKey keys[SORT_KEYS] = {By(2), By(3, true), By(3)};
    std::vector<SortKey> effective = EffectiveSortKeys(keys, columns);
    ASSERT_EQ(1u, effective.size());
    EXPECT_EQ(3, effective[0].nField);
    EXPECT_TRUE(effective[0].bDescending);
}

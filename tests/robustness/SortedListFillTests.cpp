// Large catalogs fill the sorting list views in one pass; what the user sees
// must be what row-by-row insertion showed: every text once, in the list's
// order, and each row knowing its text by its item data.
#include "dialogs/SortedListFill.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
    // A sorting report list in a window of its own that nobody sees.
    class CSortingList
    {
    public:
        CSortingList()
        {
            m_hParent = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
            m_list.m_hWnd = ::CreateWindowA(WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT | LVS_SORTASCENDING, 0, 0, 200,
                                            200, m_hParent, nullptr, nullptr, nullptr);
            m_list.InsertColumn(0, "", LVCFMT_LEFT, 150);
        }
        ~CSortingList() { ::DestroyWindow(m_hParent); }
        std::vector<std::string> Rows() const
        {
            std::vector<std::string> rows;
            for (int i = 0; i < m_list.GetItemCount(); ++i)
                rows.push_back(m_list.GetItemText(i, 0).Str());
            return rows;
        }

        CListCtrl m_list;

    private:
        HWND m_hParent;
    };

    void ExpectListOrder(const std::vector<std::string>& rows, size_t nRows)
    {
        ASSERT_EQ(nRows, rows.size());
        for (size_t i = 1; i < rows.size(); ++i)
            EXPECT_LE(::lstrcmpA(rows[i - 1].c_str(), rows[i].c_str()), 0) << rows[i - 1] << " before " << rows[i];
    }
}

TEST(SortedListFill, ShowsEveryTextInTheListsOrderAndKnowsWhichTextEachRowIs)
{
    CSortingList sorting;
    const std::vector<LPCSTR> texts = {"orders", "Customers", "archive_2019", "orders", "Z", "a", "B"};
    InsertSortedRows(sorting.m_list, texts, TRUE);
    std::vector<bool> shown(texts.size());
    for (int nRow = 0; nRow < sorting.m_list.GetItemCount(); ++nRow)
    {
        const size_t nText = (size_t)sorting.m_list.GetItemData(nRow);
        ASSERT_LT(nText, texts.size()) << nRow;
        EXPECT_EQ(texts[nText], sorting.m_list.GetItemText(nRow, 0).Str()) << nRow;
        EXPECT_FALSE(shown[nText]) << nText;
        shown[nText] = true;
    }

    ExpectListOrder(sorting.Rows(), texts.size());

    // Asked for the end, a row added later still goes to its place.
    EXPECT_TRUE(sorting.m_list.GetStyle() & LVS_SORTASCENDING);
    sorting.m_list.InsertItem(LVIF_TEXT, (int)texts.size(), "archive_2020", 0, 0, 0, 0);
    ExpectListOrder(sorting.Rows(), texts.size() + 1);
}

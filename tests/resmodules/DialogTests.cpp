// Every dialog template of the modules opens as a window, with its caption,
// and the combo boxes it fills from its initialisation data exist.
#include "LoadedModule.h"
#include "ResourceInventory.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <map>

namespace
{
    const std::map<WORD, std::string> kTessikCaptions = {
        {102, "Text"}, {132, "Bar Codes"}, {1000, ""}, {1002, ""}, {1004, ""}, {1006, "Application Identifier"},
        {1007, ""}, {1008, ""}, {1010, "Tessik"}, {1013, "Code"}, {1015, "Clipboard"},
        {1016, "Settings for Windows Bitmap Format"}, {1017, "Code"}, {1018, "Global"},
        {1040, "Export to Multiple Files"}, {1041, ""}, {1045, "About Tessik"}, {30721, "New"},
    };

    const std::map<WORD, std::string> kPeloriaCaptions = {
        {1758, "About Peloria"}, {1759, "Multiple Copy"}, {1760, "CMYK"}, {1761, "HSB"}, {1762, "HSL"}, {1763, "RGB"},
        {1764, ""}, {1765, "Select Color"}, {1766, "Copyrights"}, {1767, "Scan Image"}, {1768, "Document Info"},
        {1774, "Edit Fill"}, {1775, "Bitmap Fill"}, {1776, "Fractal Fill"}, {1777, "Gradient Fill"}, {1778, "No Fill"},
        {1779, "Solid Fill"}, {1780, "Font Substitution"}, {1781, "Align Objects"}, {1782, "Bitmaps"},
        {1783, "Clip Art"}, {1784, "Colors"}, {1785, "Distribute Objects"}, {1786, "Fill"}, {1787, "Layers"},
        {1788, "Object Operations"}, {1789, "Pen"}, {1790, "Styles"}, {1791, "Shadow"}, {1792, "Unify Objects"},
        {1793, "Symbols"}, {1794, "Transformations"}, {1795, "Transparency"}, {1796, "View Manager"}, {1797, "Views"},
        {1798, "Label"}, {1799, "Layer Properties"}, {1800, "Define Blend Colors"}, {1801, "Multiple Copy on Curve"},
        {1802, "Rename Palette"}, {1803, "Add Document Format"}, {1804, "Ellipse"}, {1805, "Rectangle"},
        {1806, "Star"}, {1807, "Star"}, {1808, "Table"}, {1809, "Text"}, {1810, "Page"}, {1811, "Format"},
        {1812, "Grid"}, {1813, "Guidelines"}, {1814, "Prepress Marks"}, {1815, "Add Pages"}, {1816, "Delete Pages"},
        {1817, "Go to Page"}, {1818, ""}, {1819, "Edit Pen"}, {1820, "Edit Line Type"}, {1821, "Edit Arrow"},
        {1822, "Print"}, {1823, "Select Pages"}, {1824, "Printer"}, {1825, "Options"}, {1826, "Billboard Printing"},
        {1827, "Prepress"}, {1828, "New Palette"}, {1829, "Rasterize"}, {1830, "Select"}, {1831, "Clipboard"},
        {1832, "General"}, {1833, "Plug-Ins"}, {1834, "Edit Shadow"}, {1835, "Peloria"}, {1836, "Name Style"},
        {1837, "Add Cells"}, {1838, "Delete Cells"}, {1839, "Cell Size"}, {1845, "Tip of the Day"},
        {1846, "Transparency Level"}, {1847, "Edit Bitmap Transparency"}, {1848, "Name View"},
        {3000, "Export Options"}, {3001, "Text"}, {3002, "VodeVaruz Image"}, {3004, "How To..."}, {30722, ""},
        {30723, ""},
    };

    struct Module
    {
        const ModuleInventory& inventory;
        const std::map<WORD, std::string>& captions;
    };
    const Module kModules[] = {{TessikInventory(), kTessikCaptions}, {PeloriaInventory(), kPeloriaCaptions}};

    INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM)
    {
        return FALSE;
    }

    // The owner of every dialog under test, so child panels have a parent too.
    class CHostWindow
    {
    public:
        CHostWindow() : m_hWnd(::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, NULL, NULL,
                                                 NULL, NULL))
        {
            INITCOMMONCONTROLSEX init = {sizeof(init), ICC_WIN95_CLASSES};
            ::InitCommonControlsEx(&init);
        }
        ~CHostWindow() { ::DestroyWindow(m_hWnd); }
        HWND Handle() const { return m_hWnd; }
    private:
        HWND m_hWnd;
    };

    HWND CreateFromTemplate(const CLoadedModule& module, WORD wId, HWND hParent)
    {
        std::string data = module.Data(5, wId);
        if (data.empty())
            return NULL;
        return ::CreateDialogIndirectParamA(module.Handle(), (LPCDLGTEMPLATEA)data.data(), hParent, QuietDialogProc, 0);
    }

    std::string WindowText(HWND hWnd)
    {
        char sz[256] = "";
        ::GetWindowTextA(hWnd, sz, sizeof(sz));
        return sz;
    }

    std::string ClassOf(HWND hWnd)
    {
        char sz[64] = "";
        ::GetClassNameA(hWnd, sz, sizeof(sz));
        return sz;
    }
}

TEST(ResourceDialogs, EveryTemplateOpensWithItsCaption)
{
    CHostWindow host;
    for (const Module& m : kModules)
    {
        SCOPED_TRACE(m.inventory.file);
        CLoadedModule module(m.inventory.file, 0);
        EXPECT_EQ(m.captions.size(), EnumerateResources(module.Handle())[5].size());
        for (const auto& caption : m.captions)
        {
            HWND hDialog = CreateFromTemplate(module, caption.first, host.Handle());
            EXPECT_NE(hDialog, nullptr) << "dialog " << caption.first << " error " << ::GetLastError();
            if (!hDialog)
                continue;
            EXPECT_EQ(caption.second, WindowText(hDialog)) << "dialog " << caption.first;
            bool bChild = (::GetWindowLongA(hDialog, GWL_STYLE) & WS_CHILD) != 0;
            if (caption.second.empty())
            {
                EXPECT_TRUE(bChild) << "captionless dialog " << caption.first << " is a child panel";
            }
            EXPECT_NE(::GetWindow(hDialog, GW_CHILD), nullptr) << "dialog " << caption.first << " has controls";
            ::DestroyWindow(hDialog);
        }
    }
}

TEST(ResourceDialogs, TemplatesComeInTheClassicAndTheExtendedForm)
{
    int classic = 0, extended = 0;
    for (const Module& m : kModules)
    {
        CLoadedModule module(m.inventory.file, LOAD_LIBRARY_AS_DATAFILE);
        for (const auto& caption : m.captions)
        {
            std::string data = module.Data(5, caption.first);
            const WORD* pHead = (const WORD*)data.data();
            ++(pHead[0] == 1 && pHead[1] == 0xFFFF ? extended : classic);
        }
    }
    EXPECT_GT(classic, 0);
    EXPECT_GT(extended, 0);
}

TEST(ResourceDialogs, InitialisationDataFillsComboBoxesOfItsDialog)
{
    CHostWindow host;
    for (const Module& m : kModules)
    {
        CLoadedModule module(m.inventory.file, 0);
        ResourceDirectory directory = EnumerateResources(module.Handle());
        for (const auto& entry : directory[RT_DLGINIT_TYPE])
        {
            SCOPED_TRACE(std::string(m.inventory.file) + " dialog " + std::to_string(entry.first));
            std::string data = module.Data(RT_DLGINIT_TYPE, entry.first);
            HWND hDialog = CreateFromTemplate(module, entry.first, host.Handle());
            ASSERT_NE(hDialog, nullptr);
            size_t offset = 0, entries = 0;
            while (offset + 2 <= data.size() && *(const WORD*)(data.data() + offset) != 0)
            {
                ASSERT_LE(offset + 8, data.size());
                WORD wControl = *(const WORD*)(data.data() + offset);
                WORD wMessage = *(const WORD*)(data.data() + offset + 2);
                DWORD dwLength = *(const DWORD*)(data.data() + offset + 4);
                ASSERT_LE(offset + 8 + dwLength, data.size());
                std::string text(data.data() + offset + 8, dwLength);
                EXPECT_EQ(0x0403, wMessage);
                EXPECT_GT(dwLength, 1u);
                EXPECT_EQ('\0', text.back()) << "entries end with their NUL";
                EXPECT_EQ("ComboBox", ClassOf(::GetDlgItem(hDialog, wControl))) << "control " << wControl;
                offset += 8 + dwLength;
                ++entries;
            }
            EXPECT_GT(entries, 0u);
            EXPECT_EQ(data.size(), offset + 2) << "the data ends with a zero control";
            ::DestroyWindow(hDialog);
        }
    }
}

TEST(ResourceDialogs, AboutBoxIsFoundUnderEnglishThreadLanguage)
{
    LANGID previousUi = ::GetThreadUILanguage();
    LCID previousLocale = ::GetThreadLocale();
    ::SetThreadUILanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ::SetThreadLocale(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT));

    CLoadedModule module(TessikInventory().file, 0);
    EXPECT_NE(::FindResourceA(module.Handle(), MAKEINTRESOURCEA(1045), MAKEINTRESOURCEA(5)), nullptr);
    EXPECT_EQ(::FindResourceExA(module.Handle(), MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(1045), 1033), nullptr)
        << "the template is tagged Czech, not US English";
    CHostWindow host;
    HWND hDialog = CreateFromTemplate(module, 1045, host.Handle());
    EXPECT_EQ("About Tessik", WindowText(hDialog));
    ::DestroyWindow(hDialog);

    ::SetThreadUILanguage(previousUi);
    ::SetThreadLocale(previousLocale);
}

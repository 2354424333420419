#include "LanguageDlg.h"
#include "IdiomerRes.h"

namespace
{
    struct DialogData
    {
        const std::vector<std::string>* pModules;
        std::string* pChoice;
    };

    void Fill(HWND hDlg, const DialogData& data)
    {
        HWND hList = ::GetDlgItem(hDlg, IDC_LANGUAGES);
        for (const std::string& module : *data.pModules)
            ::SendMessageA(hList, LB_ADDSTRING, 0, (LPARAM)module.c_str());
        ::SendMessageA(hList, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)data.pChoice->c_str());
    }

    bool TakeSelection(HWND hDlg, const DialogData& data)
    {
        HWND hList = ::GetDlgItem(hDlg, IDC_LANGUAGES);
        int nItem = (int)::SendMessageA(hList, LB_GETCURSEL, 0, 0);
        if (nItem == LB_ERR)
            return false;
        char szText[256] = "";
        if ((int)::SendMessageA(hList, LB_GETTEXTLEN, nItem, 0) >= (int)sizeof szText)
            return false;
        ::SendMessageA(hList, LB_GETTEXT, nItem, (LPARAM)szText);
        *data.pChoice = szText;
        return true;
    }

    INT_PTR CALLBACK DialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
    {
        DialogData* pData = (DialogData*)::GetWindowLongPtrA(hDlg, DWLP_USER);
        switch (uMsg)
        {
        case WM_INITDIALOG:
            ::SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
            Fill(hDlg, *(DialogData*)lParam);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || (LOWORD(wParam) == IDC_LANGUAGES && HIWORD(wParam) == LBN_DBLCLK))
            {
                // OK without a selection leaves the window open.
                if (TakeSelection(hDlg, *pData))
                    ::EndDialog(hDlg, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL)
            {
                ::EndDialog(hDlg, IDCANCEL);
                return TRUE;
            }
            break;
        }
        return FALSE;
    }
}

bool ChooseLanguage(HINSTANCE hInstance, const std::vector<std::string>& modules, std::string& rChoice)
{
    DialogData data = {&modules, &rChoice};
    return ::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_LANGUAGE), nullptr, DialogProc, (LPARAM)&data) == IDOK;
}

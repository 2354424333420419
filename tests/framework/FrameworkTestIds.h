#pragma once
#define IDD_FRAMEWORK_TEST  900
#define IDC_TEST_COMBO      901
#define IDC_TEST_TEXT       902
#define IDC_TEST_NUMBER     903
#define IDC_TEST_CHECK      904
#define IDC_TEST_RADIO1     905
#define IDC_TEST_RADIO2     906
#define IDC_TEST_RADIO3     907
#define IDC_TEST_LIST       908
#define IDC_TEST_THROW      909
#define IDC_TEST_NESTED     910
#define IDD_FRAMEWORK_SMALL 920
#define IDC_TEST_NOTE       921

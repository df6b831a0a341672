#pragma once

// Resource ids of the framework tests' resource DLL (and the test executable's own strings).
#define IDD_AFXTEST 100
#define IDD_AFXTEST_MODAL 101
#define IDS_AFXTEST_DLL_ONLY 200
#define IDS_AFXTEST_BOTH 202
#define IDS_AFXTEST_MISSING 299
#define IDB_AFXTEST_TWO 300

#define IDC_AFXTEST_INT 1001
#define IDC_AFXTEST_TEXT 1003
#define IDC_AFXTEST_RADIO_A 1010
#define IDC_AFXTEST_RADIO_B 1011
#define IDC_AFXTEST_RADIO_C 1012
#define IDC_AFXTEST_CHECK 1020
#define IDC_AFXTEST_GO 1030
#define IDC_AFXTEST_SLIDER 1040
#define IDC_AFXTEST_TREE 1050
#define IDC_AFXTEST_COMBO 1060

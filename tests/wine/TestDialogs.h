// Dialog templates of the tests' own, for the framework's dialog tests.
#pragma once

#define IDD_TEST_DIALOG 9001
#define IDD_TEST_PAGE_ONE 9002
#define IDD_TEST_PAGE_TWO 9003

#define IDC_T_TEXT 9101
#define IDC_T_NUMBER 9102
#define IDC_T_SPIN 9103
#define IDC_T_CHECK 9104
#define IDC_T_RADIO_A 9105
#define IDC_T_RADIO_B 9106
#define IDC_T_RADIO_C 9107
#define IDC_T_LIST 9108
#define IDC_T_COMBO 9109

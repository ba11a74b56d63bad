/* Resource identifiers, shared by the resource script and the C++ code. */
#pragma once

#define IDS_PROGRAM_VERSION 1

/* The program's icon (program.rc): Explorer, Alt+Tab and the dialogs' title bars. */
#define IDI_PROGRAM 1

#define IDD_CONDITIONS 130
#define IDD_PROGRESS 131

/* Conditions dialog controls. */
#define IDC_EDT_TO_MONTH 1000
#define IDC_BTN_BROWSE 1001
#define IDC_BTN_RUN 1002
#define IDC_BTN_CANCEL 1003
#define IDC_CHK_TAX_INCLUDED 1004
#define IDC_STC_COMPANY_LABEL 1005
#define IDC_STC_COMPANY 1006
#define IDC_STC_PERIOD_LABEL 1007
#define IDC_STC_PERIOD 1008
#define IDC_STC_RANGE_LABEL 1009
#define IDC_STC_FROM_MONTH 1010
#define IDC_STC_FROM_MONTH_LABEL 1011
#define IDC_STC_RANGE_SEPARATOR 1012
#define IDC_STC_TO_MONTH_LABEL 1013
#define IDC_GRP_DEST 1014
#define IDC_EDT_DEST_PATH 1015

/* Progress window controls. */
#define IDC_PRG_OVERALL 1016
#define IDC_PRG_ACTIVITY 1017

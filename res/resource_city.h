#pragma once

// Templates 7301-7307, the city list dialog and its small dialogs, with their controls; the
// images of the city tree (7102-7105). Control ids repeat across templates, never within one.

#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif

// Tree images, 16 x 15, masked on pure red.
#define IDB_CITY_PLACE_SEL              7102
#define IDB_CITY_PLACE                  7103
#define IDB_CITY_FOLDER                 7104
#define IDB_CITY_FOLDER_OPEN            7105

#define IDD_CITY                        7301
#define IDD_EDTCTY                      7302
#define IDD_EDTFLD                      7303
#define IDD_ADDCTY                      7304
#define IDD_CITY_MOVETO                 7306
#define IDD_CITY_FIND                   7307

// The city list dialog's keys: Ctrl+F opens the find, F3 finds the next match.
#define IDR_CITY_KEYS                   7308
#define ID_CITY_FIND                    7084
#define ID_CITY_FIND_NEXT               7085

// 7301, the city list dialog.
#define IDC_CITY_RD_NORTH               1026
#define IDC_CITY_EDT_LNG_DEG            1034
#define IDC_CITY_SPN_LNG_DEG            1035
#define IDC_CITY_EDT_LAT_DEG            1036
#define IDC_CITY_SPN_LAT_DEG            1037
#define IDC_CITY_SPN_LAT_MIN            1038
#define IDC_CITY_EDT_LAT_MIN            1039
#define IDC_CITY_EDT_LAT_SEC            1040
#define IDC_CITY_EDT_ALT                1041
#define IDC_CITY_SPN_ALT                1042
#define IDC_CITY_SPN_LAT_SEC            1043
#define IDC_CITY_BTN_EDIT               1044
#define IDC_CITY_BTN_ADD                1045
#define IDC_CITY_BTN_DEL                1046
#define IDC_CITY_BTN_SET_INIT           1048
#define IDC_CITY_BTN_RESET              1049
#define IDC_CITY_EDT_TZ_HOUR            1054
#define IDC_CITY_EDT_TZ_MIN             1055
#define IDC_CITY_EDT_LNG_MIN            1056
#define IDC_CITY_EDT_LNG_SEC            1057
#define IDC_CITY_RD_EAST                1059
#define IDC_CITY_RD_WEST                1060
#define IDC_CITY_RD_SOUTH               1062
#define IDC_CITY_RD_TZ_P                1064
#define IDC_CITY_RD_TZ_M                1065
#define IDC_CITY_SPN_TZ_HOUR            1066
#define IDC_CITY_SPN_TZ_MIN             1067
#define IDC_CITY_SPN_LNG_MIN            1069
#define IDC_CITY_SPN_LNG_SEC            1070
#define IDC_CITY_STC_LNG_DEG            1075
#define IDC_CITY_STC_LAT_DEG            1076
#define IDC_CITY_STC_LNG_MIN            1077
#define IDC_CITY_STC_LAT_MIN            1078
#define IDC_CITY_STC_ALT_UNIT           1079
#define IDC_CITY_STC_TZ_HOUR            1080
#define IDC_CITY_STC_TZ_MIN             1081
#define IDC_CITY_STC_LNG_SEC            1082
#define IDC_CITY_STC_LAT_SEC            1083
#define IDC_CITY_STC_ALT                1090
#define IDC_CITY_STC_TZ                 1092
#define IDC_CITY_STC_LNG                1108
#define IDC_CITY_STC_LAT                1109
#define IDC_CITY_STC_TREE               1110
#define IDC_CITY_TREE                   1118

// 7302, the place editor.
#define IDC_EDTCTY_EDT_NAME             1049
#define IDC_EDTCTY_STC_NAME             1085
#define IDC_EDTCTY_RD_EAST              1129
#define IDC_EDTCTY_RD_WEST              1130
#define IDC_EDTCTY_EDT_LNG_DEG          1131
#define IDC_EDTCTY_SPN_LNG_DEG          1132
#define IDC_EDTCTY_EDT_LNG_MIN          1133
#define IDC_EDTCTY_SPN_LNG_MIN          1134
#define IDC_EDTCTY_STC_ALT              1135
#define IDC_EDTCTY_EDT_ALT              1136
#define IDC_EDTCTY_SPN_ALT              1137
#define IDC_EDTCTY_RD_NORTH             1138
#define IDC_EDTCTY_RD_SOUTH             1139
#define IDC_EDTCTY_EDT_LAT_DEG          1140
#define IDC_EDTCTY_SPN_LAT_DEG          1141
#define IDC_EDTCTY_EDT_LAT_MIN          1142
#define IDC_EDTCTY_EDT_LNG_SEC          1143
#define IDC_EDTCTY_SPN_LAT_MIN          1144
#define IDC_EDTCTY_STC_TZ               1145
#define IDC_EDTCTY_RD_TZ_P              1146
#define IDC_EDTCTY_RD_TZ_M              1147
#define IDC_EDTCTY_EDT_TZ_HOUR          1148
#define IDC_EDTCTY_SPN_TZ_HOUR          1149
#define IDC_EDTCTY_EDT_TZ_MIN           1150
#define IDC_EDTCTY_SPN_TZ_MIN           1151
#define IDC_EDTCTY_SPN_LNG_SEC          1152
#define IDC_EDTCTY_EDT_LAT_SEC          1153
#define IDC_EDTCTY_SPN_LAT_SEC          1154
#define IDC_EDTCTY_CMB_TYPE             7068

// 7303, the folder editor.
#define IDC_EDTFLD_EDT_NAME             1052
#define IDC_EDTFLD_STC_NAME             1095

// 7304, the add chooser.
#define IDC_ADDCTY_RD_CITY              1050
#define IDC_ADDCTY_RD_FOLDER            1051

// 7306, the move destination.
#define IDC_MOVETO_RD_INTO              7050
#define IDC_MOVETO_RD_BEHIND            7051
#define IDC_MOVETO_ICON                 7052

// 7307, the find.
#define IDC_FIND_STC_TEXT               7080
#define IDC_FIND_EDT_TEXT               7081

#pragma once

// Template 7300, the location dialog, and its controls (7000-7099).

#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif

#define IDD_OBS                         7300

#define IDC_OBS_MAP                     7000
#define IDC_OBS_SLIDER                  7001
#define IDC_RD_EAST                     7013
#define IDC_RD_WEST                     7014
#define IDC_EDT_LNG_DEG                 7015
#define IDC_EDT_LNG_MIN                 7016
#define IDC_SPN_LNG_DEG                 7017
#define IDC_SPN_LNG_MIN                 7018
#define IDC_RD_NORTH                    7019
#define IDC_RD_SOUTH                    7020
#define IDC_EDT_LAT_DEG                 7021
#define IDC_SPN_LAT_DEG                 7022
#define IDC_EDT_LAT_MIN                 7023
#define IDC_SPN_LAT_MIN                 7024
#define IDC_EDT_ALT                     7025
#define IDC_SPN_ALT                     7026
#define IDC_RD_TZ_P                     7027
#define IDC_RD_TZ_M                     7028
#define IDC_OBS_BTN_CITY                7029
#define IDC_OBS_BTN_SET_INIT            7030
#define IDC_EDT_TZ_HOUR                 7031
#define IDC_SPN_TZ_HOUR                 7032
#define IDC_EDT_TZ_MIN                  7033
#define IDC_SPN_TZ_MIN                  7034
#define IDC_GRP_LNG                     7035
#define IDC_GRP_TZ                      7036
#define IDC_GRP_LAT                     7037
#define IDC_EDT_LNG_SEC                 7038
#define IDC_SPN_LNG_SEC                 7039
#define IDC_EDT_LAT_SEC                 7040
#define IDC_SPN_LAT_SEC                 7041
#define IDC_STC_TZ_HOUR                 7044
#define IDC_STC_TZ_MIN                  7045
#define IDC_STC_ALT_UNIT                7046
#define IDC_GRP_ALT                     7047
#define IDC_RD_ALT_AUTO                 7048
#define IDC_RD_ALT_MANUAL               7049
#define IDC_OBS_BTN_RESET               7053
#define IDC_STC_SLIDER_TOP              7063
#define IDC_STC_SLIDER_BOTTOM           7064
#define IDC_GRP_FEATURE                 7069
#define IDC_OBS_CHK_FEATURE_OBS         7070
#define IDC_OBS_CHK_FEATURE_CUTCHERRY   7071
#define IDC_OBS_CHK_FEATURE_CITY        7072
#define IDC_OBS_CHK_FEATURE_ASTRO       7073
#define IDC_OBS_CHK_FEATURE_MOUNT       7074
#define IDC_OBS_CHK_FEATURE_NATURAL_TERRAIN 7075
#define IDC_OBS_CHK_FEATURE_BUILDING    7076
#define IDC_OBS_CHK_FEATURE_OTHER       7077

// Not in the template: the map control created in the place of IDC_OBS_MAP.
#define IDC_OBS_CORZELMAP               5002

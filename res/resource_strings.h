#pragma once

// String table entries (7201-7241).

#define IDS_DELETE_ITEM                 7201
#define IDS_DELETE_FOLDER               7202
#define IDS_REGKEY_CITY                 7217
#define IDS_REGKEY_OBS                  7219
#define IDS_REGKEY_ADDCITY              7221
#define IDS_REGKEY_EDITCITY             7223
#define IDS_REGKEY_EDITFOLDER           7225
#define IDS_ALT_RANGE                   7232
#define IDS_LNG_RANGE                   7233
#define IDS_MOVE_BEHIND_FOLDER          7234
#define IDS_MOVE_INTO_FOLDER            7235
#define IDS_NEW_CITY                    7236

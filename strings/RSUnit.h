// Identifiers of every user-visible text. Shared by the resource compiler and the C++ code,
// so only plain #defines live here.
#pragma once

// Menu texts: IDS_MENU_FIRST + command index.
#define IDS_MENU_FIRST 100
// Help texts: IDS_HELP_FIRST + command index.
#define IDS_HELP_FIRST 120
#define IDS_SUBMENU_CAPTION 140
// The root command of the first menu (Windows 11).
#define IDS_FIRST_MENU_TITLE 141

// Message box captions and buttons.
#define IDS_CAPTION_ERROR 150
#define IDS_CAPTION_INFORMATION 151
#define IDS_CAPTION_CONFIRM 152
#define IDS_CAPTION_VAR_ERROR 153
#define IDS_BUTTON_OK 160
#define IDS_BUTTON_YES 161
#define IDS_BUTTON_NO 162
#define IDS_BUTTON_CANCEL 163
#define IDS_BUTTON_YES_TO_ALL 164

// Server failures and quick commands.
#define IDS_OUT_OF_MEMORY 170
#define IDS_REGISTRY_ERROR 171
#define IDS_CLIPBOARD_OPEN_ERROR 172
#define IDS_UNEXPECTED_ERROR 173
#define IDS_HELP_NOT_FOUND 174

// Progress window and object operations.
#define IDS_VERB_COPY 200
#define IDS_VERB_MOVE 201
#define IDS_CAPTION_RENAME 202
#define IDS_CAPTION_STAMP 203
#define IDS_GROUP_SOURCE 204
#define IDS_GROUP_DESTINATION 205
#define IDS_GROUP_TIME_STAMP 206
#define IDS_OBJECT_MISSING 210
#define IDS_FOLDER_EXISTS 211
#define IDS_FILE_EXISTS 212
#define IDS_FILE_PROTECTED 213
#define IDS_WRITE_ERROR 214
#define IDS_REMOVE_ERROR 215
#define IDS_TITLE_SINGLE 220
#define IDS_TITLE_SAME_NAME 221
#define IDS_TITLE_SAME_EXT 222
#define IDS_TITLE_MIXED 223
// How far a batch is: "3 of 120", sizes, the time left.
#define IDS_PROGRESS_OF 230
#define IDS_SIZE_BYTES 231
#define IDS_SIZE_KB 232
#define IDS_SIZE_MB 233
#define IDS_SIZE_GB 234
#define IDS_SIZE_TB 235
#define IDS_LEFT_SECONDS 236
#define IDS_LEFT_MINUTE 237
#define IDS_LEFT_MINUTES 238
#define IDS_LEFT_HOUR 239
#define IDS_LEFT_HOURS 240

// Rename series dialog.
#define IDS_RENAME_CAPTION 300
#define IDS_RENAME_TEMPLATE_LABEL 301
#define IDS_RENAME_START_LABEL 302
#define IDS_RENAME_HINT 303
#define IDS_RENAME_FROM_CLIPBOARD 304
#define IDS_RENAME_OLD_NAMES 305
#define IDS_RENAME_NEW_NAMES 306
#define IDS_RENAME_UP 307
#define IDS_RENAME_DOWN 308
#define IDS_RENAME_NOT_ONE_FOLDER 310
#define IDS_RENAME_NO_CLIPBOARD_TEXT 311
#define IDS_RENAME_WRONG_ROW_COUNT 312
#define IDS_RENAME_CONFLICT 313
#define IDS_RENAME_LINE_NOT_A_NAME 314
#define IDS_RENAME_NAME_NOT_ALLOWED 315

// Time stamp dialog and run.
#define IDS_STAMP_CAPTION 400
#define IDS_STAMP_DAY 401
#define IDS_STAMP_MONTH 402
#define IDS_STAMP_YEAR 403
#define IDS_STAMP_HOUR 404
#define IDS_STAMP_MINUTE 405
#define IDS_STAMP_SECOND 406
#define IDS_STAMP_CREATED 407
#define IDS_STAMP_MODIFIED 408
#define IDS_STAMP_ACCESSED 409
#define IDS_STAMP_NOW 410
#define IDS_STAMP_TYPE 411
#define IDS_STAMP_ILLEGAL_DATE 412
#define IDS_STAMP_FAILED 413

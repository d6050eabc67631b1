// String-table ids, one per text and language. DEFAULT serves every
// language without texts of its own. The numbers are fixed: the language
// tables in the program and the tests refer to them.
#pragma once

// Progress dialog: waiting message, one %s for the progress title
#define IDS_PROGRESS_ARABIC                2
#define IDS_PROGRESS_CHINESE_TRADITIONAL   116
#define IDS_PROGRESS_CHINESE_SIMPLIFIED    115
#define IDS_PROGRESS_CZECH                 32
#define IDS_PROGRESS_DANISH                5
#define IDS_PROGRESS_GERMAN                106
#define IDS_PROGRESS_SPANISH               105
#define IDS_PROGRESS_FINNISH               3
#define IDS_PROGRESS_FRENCH                107
#define IDS_PROGRESS_HUNGARIAN             33
#define IDS_PROGRESS_ITALIAN               108
#define IDS_PROGRESS_JAPANESE              110
#define IDS_PROGRESS_KOREAN                111
#define IDS_PROGRESS_DUTCH                 112
#define IDS_PROGRESS_NORWEGIAN             4
#define IDS_PROGRESS_POLISH                34
#define IDS_PROGRESS_PORTUGUESE            113
#define IDS_PROGRESS_ROMANIAN              35
#define IDS_PROGRESS_RUSSIAN               114
#define IDS_PROGRESS_SWEDISH               6
#define IDS_PROGRESS_TURKISH               36
#define IDS_PROGRESS_DEFAULT               104

// Completion dialog: title
#define IDS_TITLE_ARABIC                   27
#define IDS_TITLE_CHINESE_TRADITIONAL      139
#define IDS_TITLE_CHINESE_SIMPLIFIED       138
#define IDS_TITLE_CZECH                    42
#define IDS_TITLE_DANISH                   29
#define IDS_TITLE_GERMAN                   1026
#define IDS_TITLE_SPANISH                  1029
#define IDS_TITLE_FINNISH                  28
#define IDS_TITLE_FRENCH                   1031
#define IDS_TITLE_HUNGARIAN                43
#define IDS_TITLE_ITALIAN                  1033
#define IDS_TITLE_JAPANESE                 1024
#define IDS_TITLE_KOREAN                   136
#define IDS_TITLE_DUTCH                    137
#define IDS_TITLE_NORWEGIAN                30
#define IDS_TITLE_POLISH                   44
#define IDS_TITLE_PORTUGUESE               140
#define IDS_TITLE_ROMANIAN                 45
#define IDS_TITLE_RUSSIAN                  1032
#define IDS_TITLE_SWEDISH                  31
#define IDS_TITLE_TURKISH                  46
#define IDS_TITLE_DEFAULT                  1022

// Completion dialog: line under the title
#define IDS_HINT_ARABIC                    22
#define IDS_HINT_CHINESE_TRADITIONAL       127
#define IDS_HINT_CHINESE_SIMPLIFIED        126
#define IDS_HINT_CZECH                     37
#define IDS_HINT_DANISH                    24
#define IDS_HINT_GERMAN                    119
#define IDS_HINT_SPANISH                   120
#define IDS_HINT_FINNISH                   23
#define IDS_HINT_FRENCH                    121
#define IDS_HINT_HUNGARIAN                 38
#define IDS_HINT_ITALIAN                   123
#define IDS_HINT_JAPANESE                  118
#define IDS_HINT_KOREAN                    124
#define IDS_HINT_DUTCH                     125
#define IDS_HINT_NORWEGIAN                 25
#define IDS_HINT_POLISH                    39
#define IDS_HINT_PORTUGUESE                1020
#define IDS_HINT_ROMANIAN                  40
#define IDS_HINT_RUSSIAN                   122
#define IDS_HINT_SWEDISH                   26
#define IDS_HINT_TURKISH                   41
#define IDS_HINT_DEFAULT                   117

// Completion dialog: Finish button
#define IDS_FINISH_ARABIC                  17
#define IDS_FINISH_CHINESE_TRADITIONAL     163
#define IDS_FINISH_CHINESE_SIMPLIFIED      162
#define IDS_FINISH_CZECH                   52
#define IDS_FINISH_DANISH                  20
#define IDS_FINISH_GERMAN                  155
#define IDS_FINISH_SPANISH                 156
#define IDS_FINISH_FINNISH                 18
#define IDS_FINISH_FRENCH                  157
#define IDS_FINISH_HUNGARIAN               53
#define IDS_FINISH_ITALIAN                 159
#define IDS_FINISH_JAPANESE                154
#define IDS_FINISH_KOREAN                  160
#define IDS_FINISH_DUTCH                   161
#define IDS_FINISH_NORWEGIAN               19
#define IDS_FINISH_POLISH                  54
#define IDS_FINISH_PORTUGUESE              164
#define IDS_FINISH_ROMANIAN                55
#define IDS_FINISH_RUSSIAN                 158
#define IDS_FINISH_SWEDISH                 21
#define IDS_FINISH_TURKISH                 56
#define IDS_FINISH_DEFAULT                 153

// Completion dialog: Back button
#define IDS_BACK_ARABIC                    7
#define IDS_BACK_CHINESE_TRADITIONAL       175
#define IDS_BACK_CHINESE_SIMPLIFIED        174
#define IDS_BACK_CZECH                     57
#define IDS_BACK_DANISH                    10
#define IDS_BACK_GERMAN                    167
#define IDS_BACK_SPANISH                   168
#define IDS_BACK_FINNISH                   8
#define IDS_BACK_FRENCH                    169
#define IDS_BACK_HUNGARIAN                 58
#define IDS_BACK_ITALIAN                   171
#define IDS_BACK_JAPANESE                  166
#define IDS_BACK_KOREAN                    172
#define IDS_BACK_DUTCH                     173
#define IDS_BACK_NORWEGIAN                 9
#define IDS_BACK_POLISH                    59
#define IDS_BACK_PORTUGUESE                176
#define IDS_BACK_ROMANIAN                  60
#define IDS_BACK_RUSSIAN                   170
#define IDS_BACK_SWEDISH                   11
#define IDS_BACK_TURKISH                   61
#define IDS_BACK_DEFAULT                   165

// Completion dialog: Cancel button
#define IDS_CANCEL_ARABIC                  12
#define IDS_CANCEL_CHINESE_TRADITIONAL     151
#define IDS_CANCEL_CHINESE_SIMPLIFIED      150
#define IDS_CANCEL_CZECH                   47
#define IDS_CANCEL_DANISH                  14
#define IDS_CANCEL_GERMAN                  143
#define IDS_CANCEL_SPANISH                 144
#define IDS_CANCEL_FINNISH                 13
#define IDS_CANCEL_FRENCH                  145
#define IDS_CANCEL_HUNGARIAN               48
#define IDS_CANCEL_ITALIAN                 147
#define IDS_CANCEL_JAPANESE                142
#define IDS_CANCEL_KOREAN                  148
#define IDS_CANCEL_DUTCH                   149
#define IDS_CANCEL_NORWEGIAN               15
#define IDS_CANCEL_POLISH                  49
#define IDS_CANCEL_PORTUGUESE              152
#define IDS_CANCEL_ROMANIAN                50
#define IDS_CANCEL_RUSSIAN                 146
#define IDS_CANCEL_SWEDISH                 16
#define IDS_CANCEL_TURKISH                 51
#define IDS_CANCEL_DEFAULT                 141

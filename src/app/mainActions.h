#pragma once

#include <QString>
#include <array>
#include <cstddef>

namespace skivra {

// Who carries out an action: the window itself, nobody (a check-mark option or a menu
// parent that must stay enabled), or one of the parts that plug into the window.
enum class TMyActionOwner { Window, Nop, Player, Playlist, Intake };

enum TMyActionFlag : unsigned {
    afNone = 0,
    afCheck = 1,   // toggles its own check mark
    afHidden = 2,  // never shown in a menu
    afChecked = 4, // checked as designed
};

// The main window's command vocabulary, one line per action:
// name, category, caption, hint, image index (-1: none), flags, owner.
#define SKIVRA_MAIN_ACTIONS(X)                                                                     \
    X(Action_File_OpenFile, u"ファイル", u"開く(&O)...", u"ファイルを開く", 0, afNone, Intake)     \
    X(Action_File_OpenFolder, u"ファイル", u"フォルダを開く(&F)...",                               \
      u"サブフォルダ中のファイルも含めて開く", 1, afNone, Intake)                                  \
    X(Action_File_OpenThisFolder, u"ファイル", u"選択フォルダのみ開く(&D)...",                     \
      u"選択したフォルダのみ開く", 2, afNone, Intake)                                              \
    X(Action_File_Exit, u"ファイル", u"終了(&X)", u"プログラム終了", 5, afNone, Window)            \
    X(Action_Play_Play, u"再生", u"再生", u"", 14, afNone, Player)                                 \
    X(Action_Play_Pause, u"再生", u"一時停止", u"", 15, afNone, Player)                            \
    X(Action_Play_PlayPause, u"再生", u"再生/一時停止(&P)", u"再生/一時停止", 16, afNone, Player)  \
    X(Action_Play_Replay, u"再生", u"リプレイ(&R)", u"リプレイ", 17, afNone, Player)               \
    X(Action_Play_Stop, u"再生", u"停止(&S)", u"停止", 22, afNone, Player)                         \
    X(Action_Play_Back, u"再生", u"前へ(&B)", u"前のメディアを再生", 18, afNone, Player)           \
    X(Action_Play_Next, u"再生", u"次へ(&N)", u"次のメディアを再生", 19, afNone, Player)           \
    X(Action_Play_SkipBack, u"再生", u"30秒バック", u"30秒戻す", 20, afNone, Player)               \
    X(Action_Play_SkipNext, u"再生", u"30秒スキップ", u"30秒スキップ", 21, afNone, Player)         \
    X(Action_Play_Mute, u"再生", u"ミュート(&M)", u"ミュート", 24, afCheck, Player)                \
    X(Action_List_DeletePlaying, u"リスト", u"再生中のファイルをリストから削除(&F)",               \
      u"現在再生しているファイルをリストから削除", 7, afNone, Playlist)                            \
    X(Action_List_Delete, u"リスト", u"選択ファイルをリストから削除(&D)",                          \
      u"選択しているファイルをリストから削除", 8, afNone, Playlist)                                \
    X(Action_List_Clear, u"リスト", u"リストをクリア(&C)", u"リストをクリア", 9, afNone, Playlist) \
    X(Action_List_FolderName, u"リスト", u"フォルダ名も表示(&P)", u"ファイルのフォルダ名も表示",   \
      10, afCheck, Playlist)                                                                       \
    X(Action_List_GotoPlaying, u"リスト", u"再生中のファイルへ移動(&G)",                           \
      u"再生中のファイルへ移動", 11, afNone, Playlist)                                             \
    X(Action_Sort, u"ソート", u"ソート(&S)", u"リストのソート", 58, afNone, Nop)                   \
    X(Action_Sort_FileName, u"ソート", u"ファイル名でソート(&F)", u"ファイル名でソート", 61,       \
      afNone, Playlist)                                                                            \
    X(Action_Sort_Folder, u"ソート", u"フォルダ名でソート(&L)", u"ファイルのフォルダ名でソート",   \
      62, afNone, Playlist)                                                                        \
    X(Action_Sort_Name, u"ソート", u"名前でソート(&N)", u"ファイルの名前でソート", 63, afNone,     \
      Playlist)                                                                                    \
    X(Action_Sort_Ext, u"ソート", u"種類でソート(&E)", u"ファイルの種類でソート", 64, afNone,      \
      Playlist)                                                                                    \
    X(Action_Sort_FileSize, u"ソート", u"ファイルサイズでソート(&Z)", u"ファイルサイズでソート",   \
      -1, afHidden, Playlist)                                                                      \
    X(Action_Sort_FileCreateTime, u"ソート", u"作成日でソート(&C)",                                \
      u"ファイルが作成された日時でソート", -1, afHidden, Playlist)                                 \
    X(Action_Sort_FileUpdateTime, u"ソート", u"更新日でソート(&U)",                                \
      u"ファイルが更新された日時でソート", -1, afHidden, Playlist)                                 \
    X(Action_Sort_Shuffle, u"ソート", u"シャッフル(&S)", u"ランダムに並べ替え", 60, afNone,        \
      Playlist)                                                                                    \
    X(Action_Opt_Random, u"オプション", u"ランダム再生(&R)", u"ランダム再生", 28, afCheck, Nop)    \
    X(Action_Opt_ConfirmErr, u"オプション", u"再生できないファイルを確認(&E)",                     \
      u"再生できないファイルを確認", -1, afCheck | afHidden, Nop)                                  \
    X(Action_Opt_Info, u"オプション", u"情報パネルを表示(&I)", u"情報パネルを表示", 32,            \
      afCheck | afChecked, Window)                                                                 \
    X(Action_Opt_TaskTray, u"オプション", u"アイコンを通知領域に表示(&T)",                         \
      u"アイコンを通知領域に表示する", 30, afCheck, Window)                                        \
    X(Action_Opt_StatusBar, u"オプション", u"ステータスバーを表示(&S)", u"ステータスバーを表示",   \
      31, afCheck | afChecked, Window)                                                             \
    X(Action_Help_Help, u"ヘルプ", u"Skivra ヘルプ(&H)", u"ヘルプの表示", -1, afNone, Window)      \
    X(Action_Help_VersionInfo, u"ヘルプ", u"バージョン情報(&V)", u"バージョン情報", 6, afNone,     \
      Window)

enum class TMyActionId : int {
#define SKIVRA_ACTION_ENUM(name, ...) name,
    SKIVRA_MAIN_ACTIONS(SKIVRA_ACTION_ENUM)
#undef SKIVRA_ACTION_ENUM
};

struct TMyActionInfo {
    TMyActionId Id;
    const char* Name;
    const char16_t* Category;
    const char16_t* Caption;
    const char16_t* Hint;
    int ImageIndex;
    unsigned Flags;
    TMyActionOwner Owner;
};

inline constexpr TMyActionInfo kMainActions[] = {
#define SKIVRA_ACTION_INFO(name, category, caption, hint, image, flags, owner)                     \
    {TMyActionId::name, #name, category, caption, hint, image, flags, TMyActionOwner::owner},
    SKIVRA_MAIN_ACTIONS(SKIVRA_ACTION_INFO)
#undef SKIVRA_ACTION_INFO
};
inline constexpr std::size_t kMainActionCount = std::size(kMainActions);

} // namespace skivra

#pragma once
// The program's own message texts (code page 932 in the binary); their
// caption, texts::kCaption, is shared with the conditions dialog.
#include "shared/box_caption.h"

namespace texts {

inline constexpr char kCompleted[] = "科目内訳書情報の出力が終了しました。\n\nアプリケーションを終了します。";
inline constexpr char kWriteFailed[] = "XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。";
inline constexpr char kDataNotFound[] =
    "選択されているデータが見つかりません。\n\nアプリケーションを終了します。";
inline constexpr char kNoProgramFolder[] =
    "プログラムのあるフォルダを開けません。\n\nアプリケーションを終了します。";

inline constexpr char kEnvInvalid[] =
    "動作環境が不正です。\nES_APRPACKAGENAMEが正しくインストールされているか確認してください。";
inline constexpr char kUpdateTaxForm[] =
    "ご利用の連動コンポーネントは、インストールされているES_APRPACKAGENAMEでは使用できません。\n"
    "ES_APRPACKAGENAMEの最新版を入手してインストールしてからご利用ください。";
inline constexpr char kUpdateLink[] =
    "ご利用の連動コンポーネントは、インストールされているES_APRPACKAGENAMEでは使用できません。\n"
    "連動コンポーネントの最新版を入手してインストールしてからご利用ください。";

}  // namespace texts

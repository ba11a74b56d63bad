#pragma once
// Texts of the conditions dialog and its destination checks (code page 932
// in the binary). Their caption is the program's own, texts::kCaption.
namespace cond_texts {

inline constexpr char kPastData[] =
    "過去実績データは、連携の対象として使用できません。\n\nアプリケーションを終了します。";
inline constexpr char kCancelled[] = "｢科目内訳書｣の集計を中止します。";
inline constexpr char kBadMonthRange[] = "集計期間に誤りがあります。\n\n集計期間を設定しなおしてください。";

inline constexpr char kNoDest[] = "データ出力先が指定されていません。\n\n出力先を指定してください。";
inline constexpr char kBadDestChars[] =
    "データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。";
inline constexpr char kDestTooLong[] =
    "データの出力先が長すぎます。\n\n出力先を半角260文字（全角130文字）以内で指定してください。";
inline constexpr char kBadDrive[] = "ドライブ名が有効でありません。\n\n有効なドライブを指定してください。";
inline constexpr char kNoFileName[] = "ファイル名が指定されていません。";
inline constexpr char kFolderMissing[] = "指定されたフォルダは存在しません。\n\n作成してもよろしいですか？";
inline constexpr char kFolderNotCreated[] = "フォルダの作成に失敗しました。\n\n出力先を再入力してください。";
inline constexpr char kFileExists[] = "同名のファイルが存在します。\n\n上書きしてもよろしいですか？";

// The destination group box once a parent has fixed the path.
inline constexpr char kDestGroupFixed[] = "出力先";
inline constexpr char kDefaultPattern[] = "*.xml";

// The save-file dialog behind the browse button.
inline constexpr char kBrowseTitle[] = "保存ファイルを指定";
inline constexpr char kBrowseFilter[] = "Xml Files (*.xml)|*.xml||";
inline constexpr char kBrowseDefaultExt[] = "XML";

}  // namespace cond_texts

#pragma once
// The caption of every message box of the program (code page 932 in the
// binary): the run sequence's, the conditions dialog's and the report's.
namespace texts {

inline constexpr char kCaption[] = "科目内訳書";

}  // namespace texts

#pragma once
// The caption of every message box of the program (code page 932 in the
// binary): shown by the run sequence and by the conditions dialog alike.
namespace texts {

inline constexpr char kCaption[] = "科目内訳書";

}  // namespace texts

#pragma once
// Ini reads as the system answers them, shared by the Wine tests (the win32
// backend, which asks GetPrivateProfileStringW) and the native tests (the
// double's reader), one named case a row in both.
// Each case writes its file (unless content is null), reads one key and
// expects the result.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace profile_cases {

struct ProfileCase {
    const char* name;
    const char* content;  // bytes of the ini file; nullptr: no file at all
    const char* expected;
    const char* def = "1";
    std::size_t bufferSize = 16;
    const char* section = "ProgramLevel";
    const char* key = "ZQ13_U";
};

// The compatibility check reads section "ProgramLevel", key "ZQ13_U",
// default "1", into 16 bytes.
inline constexpr ProfileCase kCases[] = {
    {"no_file", nullptr, "1"},
    {"empty_file", "", "1"},
    {"no_key", "[ProgramLevel]\r\nOTHER=2\r\n", "1"},
    {"no_section", "[Other]\r\nA=1\r\n", "1"},
    {"key_in_other_section", "[Other]\r\nZQ13_U=2\r\n[ProgramLevel]\r\nA=1\r\n", "1"},
    {"key_in_later_section", "[ProgramLevel]\r\nA=1\r\n[Other]\r\nZQ13_U=2\r\n", "1"},
    {"empty_value", "[ProgramLevel]\r\nZQ13_U=\r\n", ""},
    {"value_2", "[ProgramLevel]\r\nZQ13_U=2\r\n", "2"},
    {"value_02", "[ProgramLevel]\r\nZQ13_U=02\r\n", "02"},
    {"value_3", "[ProgramLevel]\r\nZQ13_U=3\r\n", "3"},
    {"value_abc", "[ProgramLevel]\r\nZQ13_U=abc\r\n", "abc"},
    {"blanks_around", "[ProgramLevel]\r\n  ZQ13_U  =  2  \r\n", "2"},
    {"tabs_around", "[ProgramLevel]\r\n\tZQ13_U\t=\t2\t\r\n", "2"},
    {"blank_inside", "[ProgramLevel]\r\nZQ13_U=2 3\r\n", "2 3"},
    {"blanks_in_section_name", "[ ProgramLevel ]\r\nZQ13_U=2\r\n", "2"},
    {"double_quoted", "[ProgramLevel]\r\nZQ13_U=\"2\"\r\n", "2"},
    {"single_quoted", "[ProgramLevel]\r\nZQ13_U='2'\r\n", "2"},
    {"quote_unbalanced", "[ProgramLevel]\r\nZQ13_U=\"2\r\n", "\"2"},
    {"quotes_mixed", "[ProgramLevel]\r\nZQ13_U=\"2'\r\n", "\"2'"},
    {"quoted_blanks_kept", "[ProgramLevel]\r\nZQ13_U=\" 2 \"\r\n", " 2 "},
    {"longer_than_15_cut", "[ProgramLevel]\r\nZQ13_U=12345678901234567890\r\n", "123456789012345"},
    {"exactly_15", "[ProgramLevel]\r\nZQ13_U=123456789012345\r\n", "123456789012345"},
    {"duplicate_keys_first_wins", "[ProgramLevel]\r\nZQ13_U=2\r\nZQ13_U=3\r\n", "2"},
    {"names_ignore_case", "[programlevel]\r\nzq13_u=2\r\n", "2"},
    {"lf_line_ends", "[ProgramLevel]\nZQ13_U=2\n", "2"},
    {"no_final_line_end", "[ProgramLevel]\r\nZQ13_U=2", "2"},
    {"double_byte_value", "[ProgramLevel]\r\nZQ13_U=\x82\x51\r\n", "\x82\x51"},
    {"comment_line_not_a_key", "[ProgramLevel]\r\n;ZQ13_U=3\r\nZQ13_U=2\r\n", "2"},
    {"default_cut_too", nullptr, "123456789012345", "12345678901234567890"},
    {"buffer_of_one", "[ProgramLevel]\r\nZQ13_U=2\r\n", "", "1", 1},
};

inline std::string CaseName(const ::testing::TestParamInfo<ProfileCase>& info) {
    return info.param.name;
}

}  // namespace profile_cases

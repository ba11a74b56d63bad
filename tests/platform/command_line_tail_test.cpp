// The text after the program name: the folder names 会計 (0x89 0xEF 0x8C
// 0x76) and 表 (0x95 0x5C) carry second bytes of 0x80 and above and the
// backslash, none of which ends the name.
#include <gtest/gtest.h>

#include <string>

#include "platform/app_entry.h"

namespace {

struct TailCase {
    const char* whole;
    const char* tail;
};

TEST(CommandLineTail, SkipsTheProgramNameAndTheBlanksAfterIt) {
    const TailCase cases[] = {
        {"Z:\\w\\\x89\xEF\x8C\x76\\x.exe 123,456,7,C:\\out.xml", "123,456,7,C:\\out.xml"},
        {"Z:\\\x95\x5C\\x.exe 1,2,3,p", "1,2,3,p"},
        {"\xB1\\x.exe 1,2,3,p", "1,2,3,p"},  // ｱ: a single byte above 0x80
        {"\"Z:\\a b\\\x89\xEF\x8C\x76\\x.exe\" 123,456,7,C:\\out.xml", "123,456,7,C:\\out.xml"},
        {"\"Z:\\\x95\x5C \x89\xEF\\x.exe\"\t \t1,2,3,p", "1,2,3,p"},
        {"x.exe\t1,2,3,p", "1,2,3,p"},
        {"\"x.exe\"1,2,3,p", "1,2,3,p"},
        {"x.exe  1, 2 ,3,C:\\a b\\o.xml ", "1, 2 ,3,C:\\a b\\o.xml "},
        {"x.exe", ""},
        {"x.exe   ", ""},
        {"\"Z:\\a b\\x.exe\"", ""},
        {"\"Z:\\a b\\x.exe", ""},  // no closing quote: all of it is the name
        {"x\x95", ""},             // a lead byte without its second byte
        {"", ""},
    };
    for (const TailCase& c : cases) {
        EXPECT_EQ(plat::CommandLineTail(c.whole), c.tail) << c.whole;
    }
}

}  // namespace

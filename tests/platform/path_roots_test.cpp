// Roots of paths as PathSkipRootA and PathStripToRootA give them: under Wine
// against the system, natively against the headless double. 0x95 0x5C is
// "表", whose second byte is a backslash.
#include <gtest/gtest.h>

#include <cstddef>

#include "platform/files.h"

namespace {

struct RootCase {
    const char* path;
    bool skips;          // PathSkipRootA finds a root
    std::size_t offset;  // where the text after the root starts; 0 without a root
    const char* root;    // PathStripToRootA; empty when it fails
};

constexpr RootCase kCases[] = {
    {"C:\\", true, 3, "C:\\"},
    {"C:\\a\\b\\", true, 3, "C:\\"},
    {"c:\\a\\out.xml", true, 3, "c:\\"},
    {"C:\\\x95\x5C\\sub\\", true, 3, "C:\\"},
    {"\\\\srv\\share\\a\\", true, 12, "\\\\srv\\share"},
    {"\\\\srv\\share\\", true, 12, "\\\\srv\\share"},
    {"\\\\srv\\share", false, 0, "\\\\srv\\share"},
    {"\\\\\x95\x5C\\share\\a\\", true, 11, "\\\\\x95\x5C\\share"},
    {"\\\\srv\\\x95\x5C\\a\\", true, 9, "\\\\srv\\\x95\x5C"},
    {"\\\\srv\\sh\x95\x5C\\", true, 11, "\\\\srv\\sh\x95\x5C"},
    {"\\\\srv\\", false, 0, "\\\\srv\\"},
    {"\\\\srv", false, 0, "\\\\srv"},
    {"1:\\x", true, 3, "1:\\"},
    {"C:rel\\", false, 0, ""},
    {"C:", false, 0, ""},
    {"\\a\\b\\", false, 0, "\\"},
    {"a\\b\\", false, 0, ""},
    {"", false, 0, ""},
};

TEST(PathRoots, SkipAndStripLikeTheSystem) {
    for (const RootCase& c : kCases) {
        std::size_t offset = 0;
        EXPECT_EQ(plat::SkipRoot(c.path, offset), c.skips) << c.path;
        EXPECT_EQ(offset, c.offset) << c.path;  // untouched without a root
        EXPECT_EQ(plat::StripToRoot(c.path), c.root) << c.path;
    }
}

}  // namespace

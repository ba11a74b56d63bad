#pragma once
// The save-file request of the conditions dialog's browse button, and a check
// of a request field by field.
#include <gtest/gtest.h>

#include <string>

#include "platform/file_dialog.h"

namespace support {

// Titled "保存ファイルを指定", XML files only, the file must exist and the current
// directory stays.
inline plat::SaveFileRequest BrowseRequest(plat::WindowHandle owner, const std::string& folder,
                                           const std::string& name) {
    plat::SaveFileRequest request;
    request.owner = owner;
    request.title = "\x95\xDB\x91\xB6\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8E\x77\x92\xE8";
    request.filter = "Xml Files (*.xml)|*.xml||";
    request.defaultExt = "XML";
    request.initialFolder = folder;
    request.initialName = name;
    request.hideReadOnly = request.noChangeDir = request.pathMustExist = request.fileMustExist = true;
    return request;
}

inline void ExpectRequest(const plat::SaveFileRequest& actual, const plat::SaveFileRequest& expected) {
    EXPECT_EQ(actual.owner, expected.owner);
    EXPECT_EQ(actual.title, expected.title);
    EXPECT_EQ(actual.filter, expected.filter);
    EXPECT_EQ(actual.defaultExt, expected.defaultExt);
    EXPECT_EQ(actual.initialFolder, expected.initialFolder);
    EXPECT_EQ(actual.initialName, expected.initialName);
    EXPECT_EQ(actual.hideReadOnly, expected.hideReadOnly);
    EXPECT_EQ(actual.noChangeDir, expected.noChangeDir);
    EXPECT_EQ(actual.pathMustExist, expected.pathMustExist);
    EXPECT_EQ(actual.fileMustExist, expected.fileMustExist);
}

}  // namespace support

// The line writer: exact bytes of every kind of line, escaping, attributes,
// opening and closing, and what happens when the file cannot be written.
#include "report/xml_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "report_test_util.h"

#ifndef _WIN32
#include "platform/headless_windows/file_faults.h"
#endif

namespace {

class XmlWriterTest : public ::testing::Test {
protected:
    support::ScratchFolder dir;
    std::string line;
    // A writer of its own for the tests that open, fail and close it by hand.
    plat::File file;
    ClXmlWriter writer;
};

// Opens a writer on name in the scratch folder, runs body, closes, returns the bytes.
template <typename Body>
std::string WriteFile(support::ScratchFolder& dir, const std::string& name, Body body) {
    plat::File file;
    {
        ClXmlWriter xml;
        EXPECT_EQ(0, xml.Open(&file, dir.Path(name).c_str()));
        body(xml);
    }
    return dir.Read(name);
}

// Every kind of write fails: nothing bound, or the file failed before.
void ExpectWritesFail(ClXmlWriter& xml, std::string& line) {
    EXPECT_EQ(0, xml.WriteText("x"));
    EXPECT_EQ(0, xml.WriteText(""));
    EXPECT_EQ(0, xml.WriteStartTag(line, "R", 0));
    EXPECT_EQ(0, xml.WriteElement(line, "E", "t", 1));
    EXPECT_EQ(0, xml.WriteEndTag(line, "R", 0));
}

TEST_F(XmlWriterTest, LinesHaveTheirIndentTagsAndCrLf) {
    const std::string bytes = WriteFile(dir, "lines.xml", [&](ClXmlWriter& xml) {
        EXPECT_EQ(1, xml.WriteStartTag(line, "REPORT", 0));
        EXPECT_EQ(1, xml.WriteElement(line, "A", "x", 1));
        EXPECT_EQ(1, xml.WriteElement(line, "LEAF", "deep", 4));
        EXPECT_EQ(1, xml.WriteEndTag(line, "SYSTEM", 3));
        EXPECT_EQ(1, xml.WriteEndTag(line, "REPORT", 0));
        EXPECT_EQ(1, xml.WriteStartTag(line, "NEG", -2));
    });
    EXPECT_EQ(
        "<REPORT>\r\n"
        "\t<A>x</A>\r\n"
        "\t\t\t\t<LEAF>deep</LEAF>\r\n"
        "\t\t\t</SYSTEM>\r\n"
        "</REPORT>\r\n"
        "<NEG>\r\n",
        bytes);
    // The line buffer holds the last line composed, and nothing else.
    EXPECT_EQ("<NEG>\r\n", line);
}

TEST_F(XmlWriterTest, EmptyTextGivesStartTagDirectlyFollowedByEndTag) {
    const std::string bytes = WriteFile(dir, "empty.xml", [&](ClXmlWriter& xml) {
        EXPECT_EQ(1, xml.WriteElement(line, "KANJYOKAMOKU_ZANDAKA", "", 3));
        EXPECT_EQ(1, xml.WriteElement(line, "N", nullptr, 0));
    });
    EXPECT_EQ("\t\t\t<KANJYOKAMOKU_ZANDAKA></KANJYOKAMOKU_ZANDAKA>\r\n<N></N>\r\n", bytes);
}

TEST_F(XmlWriterTest, AttributesFollowTheFirstOnlyRule) {
    const std::string bytes = WriteFile(dir, "attrs.xml", [&](ClXmlWriter& xml) {
        // Two attributes on an element, as the writer lays them out.
        EXPECT_EQ(1, xml.WriteElement(line, "N", "T", 2, "A1", "V1", "A2", "V2"));
        // A null first value suppresses both, even with a complete second.
        EXPECT_EQ(1, xml.WriteElement(line, "N", "T", 2, "A1", nullptr, "A2", "V2"));
        EXPECT_EQ(1, xml.WriteStartTag(line, "S", 1, nullptr, "V1", "A2", "V2"));
        // A null second part drops only the second attribute.
        EXPECT_EQ(1, xml.WriteStartTag(line, "S", 1, "A1", "V1", "A2", nullptr));
        // An empty value is an attribute with nothing between the quotes.
        EXPECT_EQ(1, xml.WriteStartTag(line, "S", 1, "A1", "", "A2", "V2"));
        // The report's Count attribute.
        EXPECT_EQ(1, xml.WriteStartTag(line, "KANJYOKAMOKU", 2, "Count", "   1"));
        // Attribute values are escaped.
        EXPECT_EQ(1, xml.WriteStartTag(line, "S", 0, "A", "<\"&'>"));
    });
    // The two-attribute element byte by byte.
    EXPECT_EQ(
        "\x09\x09\x3CN\x20"
        "A1\x3D\x22V1\x22\x20"
        "A2\x3D\x22V2\x22\x3ET\x3C\x2FN\x3E\x0D\x0A"
        "\t\t<N>T</N>\r\n"
        "\t<S>\r\n"
        "\t<S A1=\"V1\">\r\n"
        "\t<S A1=\"\" A2=\"V2\">\r\n"
        "\t\t<KANJYOKAMOKU Count=\"   1\">\r\n"
        "<S A=\"&lt;&quot;&amp;&apos;&gt;\">\r\n",
        bytes);
}

TEST_F(XmlWriterTest, EscapeReplacesTheFiveAndKeepsDoubleByteCharacters) {
    // 表 and ポ end in 0x5C and 0x7C; ソ, 能, 予 and 十 end in 0x5C as well.
    ASSERT_EQ("\x95\x5C", std::string("表"));
    ASSERT_EQ("\x83\x7C", std::string("ポ"));
    EXPECT_STREQ("\x95\x5C&amp;\x83\x7C&lt;\x95\x5C&gt;\x83\x7C&quot;\x95\x5C&apos;\x83\x7C",
                 ClXmlWriter::Escape("表&ポ<表>ポ\"表'ポ"));
    EXPECT_STREQ("ソ能予十\\|", ClXmlWriter::Escape("ソ能予十\\|"));
    EXPECT_STREQ("&amp;amp;", ClXmlWriter::Escape("&amp;"));
    EXPECT_STREQ("", ClXmlWriter::Escape(""));
    EXPECT_STREQ("", ClXmlWriter::Escape(nullptr));
    // One buffer for the whole process: the next call replaces the result.
    const char* first = ClXmlWriter::Escape("one");
    const char* second = ClXmlWriter::Escape("two");
    EXPECT_EQ(first, second);
    EXPECT_STREQ("two", first);

    const std::string bytes = WriteFile(dir, "escape.xml", [&](ClXmlWriter& xml) {
        EXPECT_EQ(1, xml.WriteElement(line, "NAME", "表&ポ<表>ポ\"表'ポ", 3));
    });
    EXPECT_EQ(
        "\t\t\t<NAME>\x95\x5C&amp;\x83\x7C&lt;\x95\x5C&gt;\x83\x7C&quot;\x95\x5C&apos;\x83\x7C</NAME>\r\n",
        bytes);
}

TEST_F(XmlWriterTest, BytesNoXmlParserTakesAreLeftOut) {
    struct Case {
        const char* what;
        std::string text;
        std::string escaped;
    };
    std::string controls;  // every control byte but TAB, LF and CR
    for (char c = 1; c < 0x20; ++c) controls += c == '\t' || c == '\n' || c == '\r' ? "" : std::string(1, c);
    const Case cases[] = {
        {"TAB, LF and CR stay", "a\tb\nc\rd", "a\tb\nc\rd"},
        {"every other control byte goes", controls, ""},
        {"blank and DEL stay", " \x7F", " \x7F"},
        {"between double-byte characters", "表\x01ポ", "\x95\x5C\x83\x7C"},
        {"lead byte at the end", "A\x81", "A"},
        {"lead byte before markup", "\x81<\x81&\x81\"", "&lt;&amp;&quot;"},
        {"lead byte before a control byte", "\x81\x01\x42", "B"},
        {"lead byte before a blank", "\x82 A", " A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.escaped, ClXmlWriter::Escape(c.text.c_str()));
    }
    // Texts and attribute values of the lines alike.
    const std::string bytes = WriteFile(dir, "forbidden.xml", [&](ClXmlWriter& xml) {
        EXPECT_EQ(1, xml.WriteElement(line, "N", "\x01t\x81", 1, "A", "x\x1By"));
        EXPECT_EQ(1, xml.WriteStartTag(line, "S", 1, "A", "\x0C"));
    });
    EXPECT_EQ("\t<N A=\"xy\">t</N>\r\n\t<S A=\"\">\r\n", bytes);
}

TEST_F(XmlWriterTest, LongLinesComeOutWhole) {
    // Far beyond the 256- and 500-byte buffers of the original layout.
    const std::string text(1000, 'x');
    const std::string escaped = std::string(300, '&');
    std::string escapedOut;
    for (int i = 0; i < 300; ++i) escapedOut += "&amp;";
    const std::string bytes = WriteFile(dir, "long.xml", [&](ClXmlWriter& xml) {
        EXPECT_EQ(1, xml.WriteElement(line, "T", text.c_str(), 2, "A", escaped.c_str()));
        EXPECT_EQ(1, xml.WriteText(text.c_str()));
    });
    EXPECT_EQ("\t\t<T A=\"" + escapedOut + "\">" + text + "</T>\r\n" + text, bytes);
    EXPECT_EQ(escapedOut, ClXmlWriter::Escape(escaped.c_str()));
}

TEST_F(XmlWriterTest, WriteTextWritesTheBytesOnly) {
    const std::string bytes = WriteFile(dir, "text.xml", [&](ClXmlWriter& xml) {
        EXPECT_EQ(1, xml.WriteText("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"));
        EXPECT_EQ(1, xml.WriteText(""));     // nothing written, success
        EXPECT_EQ(1, xml.WriteText("&<>"));  // not escaped, no line end
    });
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n&<>", bytes);
}

TEST_F(XmlWriterTest, OpenRejectsNullsAndTruncatesExistingFiles) {
    EXPECT_EQ(-1, writer.Open(nullptr, dir.Path("x.xml").c_str()));
    EXPECT_EQ(-1, writer.Open(&file, nullptr));
    // Nothing was bound: writes fail, no file appeared.
    ExpectWritesFail(writer, line);
    EXPECT_FALSE(plat::PathExists(dir.Path("x.xml")));

    ASSERT_TRUE(dir.Write("old.xml", std::string(5000, 'o')));
    const std::string bytes =
        WriteFile(dir, "old.xml", [&](ClXmlWriter& w) { EXPECT_EQ(1, w.WriteEndTag(line, "R", 0)); });
    EXPECT_EQ("</R>\r\n", bytes);
}

TEST_F(XmlWriterTest, CloseIsIdempotentAndEndsWriting) {
    EXPECT_EQ(0, writer.Close());  // nothing bound yet
    ASSERT_EQ(0, writer.Open(&file, dir.Path("c.xml").c_str()));
    EXPECT_EQ(1, writer.WriteEndTag(line, "R", 0));
    EXPECT_EQ(0, writer.Close());
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(0, writer.Close());
    ExpectWritesFail(writer, line);
    EXPECT_EQ("</R>\r\n", dir.Read("c.xml"));
}

TEST_F(XmlWriterTest, UncreatableFileShowsAtTheFirstWrite) {
    const std::string path = dir.Path("no-such-folder\\r.xml");
    // The open is attempted and reported as attempted.
    EXPECT_EQ(0, writer.Open(&file, path.c_str()));
    EXPECT_EQ(0, writer.WriteText("<?xml?>"));
    ExpectWritesFail(writer, line);
    EXPECT_FALSE(plat::PathExists(path));
}

// A full device: the first write fails, the file is closed, and every later
// call fails too while the writer stays bound.
TEST_F(XmlWriterTest, WriteToFullDeviceFailsAndKeepsFailing) {
#ifdef _WIN32
    const char* device = "Z:\\dev\\full";
#else
    const char* device = "/dev/full";
#endif
    ASSERT_EQ(0, writer.Open(&file, device));
    ASSERT_TRUE(file.IsOpen()) << "the device did not open";
    EXPECT_EQ(0, writer.WriteText("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"));
    EXPECT_FALSE(file.IsOpen());
    ExpectWritesFail(writer, line);
    EXPECT_EQ(0, writer.Close());
}

#ifndef _WIN32
// A disk that fills up after a given byte count: the line that would pass it
// fails, what was written before stays byte for byte, and the writer keeps
// failing once there is room again.
TEST_F(XmlWriterTest, FailedWriteKeepsEarlierLinesAndStopsLaterOnes) {
    const std::string bytes = WriteFile(dir, "limit.xml", [&](ClXmlWriter& xml) {
        plat::headless::FailWritesBeyond(20);
        EXPECT_EQ(1, xml.WriteStartTag(line, "REPORT", 0));      // 10 bytes
        EXPECT_EQ(0, xml.WriteElement(line, "ABCDEF", "x", 1));  // 20 more: over
        plat::headless::ResetFileFaults();
        ExpectWritesFail(xml, line);  // the file is closed
    });
    EXPECT_EQ("<REPORT>\r\n", bytes);

    // Exactly at the limit still succeeds.
    const std::string exact = WriteFile(dir, "exact.xml", [&](ClXmlWriter& xml) {
        plat::headless::FailWritesBeyond(16);
        EXPECT_EQ(1, xml.WriteStartTag(line, "REPORT", 0));
        EXPECT_EQ(1, xml.WriteEndTag(line, "R", 0));
        EXPECT_EQ(0, xml.WriteText("x"));
        plat::headless::ResetFileFaults();
    });
    EXPECT_EQ("<REPORT>\r\n</R>\r\n", exact);
}
#endif

}  // namespace

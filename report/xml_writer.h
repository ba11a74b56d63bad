#pragma once
// A line-oriented XML text writer over an unbuffered file. Every line call
// composes one complete line (indentation, tag, escaped text, CR LF) and
// hands it to the operating system in a single write. The writer keeps no
// element stack: the caller says at which level each line stands and matches
// start and end tags itself. Text is Shift_JIS and is written byte for byte
// but for the escapes and what XML forbids (see Escape).
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/files.h"

class ClXmlWriter {
public:
    ClXmlWriter() = default;
    ~ClXmlWriter();
    ClXmlWriter(const ClXmlWriter&) = delete;
    ClXmlWriter& operator=(const ClXmlWriter&) = delete;

    // Binds the caller's file object and opens path for writing (created or
    // truncated, not shared). 0 once the open was attempted, whether or not
    // it succeeded (a failed open shows as a failure of the first write); -1
    // when the file or the path is null.
    std::int16_t Open(plat::File* pFile, const char* path);
    // Binds the caller's file as it is (closed: every write fails).
    void Bind(plat::File* pFile) { m_pFile = pFile; }

    // Writes the bytes of text up to its terminator. 1 on success; 0 when the
    // write failed, in which case the file is closed and every later write of
    // this writer returns 0 as well.
    int WriteText(const char* text);

    // The line operations compose their line in the caller's buffer, which
    // they overwrite from its start; the buffer grows as needed, so no line
    // is ever cut. Attributes are optional: the first is written only when
    // its name and value are both given, the second only after the first.
    int WriteStartTag(std::string& line, const char* name, int level, const char* attr1 = nullptr,
                      const char* value1 = nullptr, const char* attr2 = nullptr,
                      const char* value2 = nullptr);
    int WriteElement(std::string& line, const char* name, const char* text, int level,
                     const char* attr1 = nullptr, const char* value1 = nullptr, const char* attr2 = nullptr,
                     const char* value2 = nullptr);
    int WriteEndTag(std::string& line, const char* name, int level);

    // Replaces & < > " ' by their entity references and leaves out what no
    // XML parser takes: control bytes other than TAB, LF and CR, and a lead
    // byte without its second byte. Every text and attribute value of the
    // line operations is escaped so. The result lives in one buffer shared
    // by the whole process and stays valid until the next call.
    static const char* Escape(const char* text);

    // Closes the file if one is bound; always 0. A second call does nothing.
    std::int16_t Close();

private:
    int WriteLine(const char* data, std::size_t size);
    // A line that could not be composed: the file is closed like after a
    // failed write.
    int Fail();

    plat::File* m_pFile = nullptr;
    std::string m_strPath;
};

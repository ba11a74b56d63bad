// ClXmlWriter: one composed, escaped line per write.
#include "report/xml_writer.h"

#include <cstring>
#include <new>
#include <stdexcept>

#include "platform/mbcs.h"

namespace {

// An entity reference is at most six bytes ("&quot;", "&apos;").
constexpr std::size_t kMaxEscapedPerByte = 6;

std::size_t Length(const char* text) {
    return text != nullptr ? std::strlen(text) : 0;
}

char* Put(char* out, const char* bytes, std::size_t size) {
    if (size != 0) std::memcpy(out, bytes, size);
    return out + size;
}

// Every text and attribute value passes here, and only characters an XML
// parser takes come out. A control byte other than TAB, LF and CR is no
// character of XML 1.0 and is left out. A double-byte character passes
// whole; a lead byte without its second byte is left out, since it would
// take the next byte (a "<" of the end tag, say) into a broken character.
// A second byte is 0x40 or above, so none of the five special bytes can be
// one and the rest goes byte by byte.
char* PutEscaped(char* out, const char* text) {
    if (text == nullptr) return out;
    for (; *text != '\0'; ++text) {
        const auto c = static_cast<unsigned char>(*text);
        if (plat::IsCp932LeadByte(c)) {
            if (plat::IsCp932SecondByte(static_cast<unsigned char>(text[1]))) {
                *out++ = *text++;
                *out++ = *text;
            }
            continue;
        }
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') continue;
        switch (*text) {
            case '&':
                out = Put(out, "&amp;", 5);
                break;
            case '>':
                out = Put(out, "&gt;", 4);
                break;
            case '<':
                out = Put(out, "&lt;", 4);
                break;
            case '"':
                out = Put(out, "&quot;", 6);
                break;
            case '\'':
                out = Put(out, "&apos;", 6);
                break;
            default:
                *out++ = *text;
                break;
        }
    }
    return out;
}

// The attributes that are written: the first only when its name and value
// are both given, the second only after the first and when complete too.
struct Attributes {
    int count = 0;
    const char* name[2] = {};
    const char* value[2] = {};
    std::size_t nameSize[2] = {};
    std::size_t valueSize[2] = {};

    Attributes(const char* attr1, const char* value1, const char* attr2, const char* value2) {
        if (attr1 == nullptr || value1 == nullptr) return;
        Take(attr1, value1);
        if (attr2 == nullptr || value2 == nullptr) return;
        Take(attr2, value2);
    }
    void Take(const char* attr, const char* val) {
        name[count] = attr;
        value[count] = val;
        nameSize[count] = std::strlen(attr);
        valueSize[count] = std::strlen(val);
        ++count;
    }
    // Bytes of ' name="value"' for all of them, values fully escaped.
    std::size_t MaxSize() const {
        std::size_t size = 0;
        for (int i = 0; i < count; ++i) size += 4 + nameSize[i] + kMaxEscapedPerByte * valueSize[i];
        return size;
    }
    char* PutAll(char* out) const {
        for (int i = 0; i < count; ++i) {
            *out++ = ' ';
            out = Put(out, name[i], nameSize[i]);
            *out++ = '=';
            *out++ = '"';
            out = PutEscaped(out, value[i]);
            *out++ = '"';
        }
        return out;
    }
};

std::size_t IndentOf(int level) {
    return level > 0 ? static_cast<std::size_t>(level) : 0;
}

char* PutIndent(char* out, std::size_t indent) {
    std::memset(out, '\t', indent);
    return out + indent;
}

// Sizes the line for its longest possible form, so that the parts are
// copied in without further checks; false when there is no memory for it.
bool Prepare(std::string& line, std::size_t maxSize) {
    try {
        line.resize(maxSize);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

}  // namespace

ClXmlWriter::~ClXmlWriter() {
    Close();
}

std::int16_t ClXmlWriter::Open(plat::File* pFile, const char* path) {
    if (pFile == nullptr || path == nullptr) return -1;
    try {
        m_strPath = path;
    } catch (const std::bad_alloc&) {
        return -1;
    }
    m_pFile = pFile;
    m_pFile->Open(m_strPath, plat::File::Mode::kWriteTruncate);
    return 0;
}

int ClXmlWriter::WriteLine(const char* data, std::size_t size) {
    if (m_pFile == nullptr || !m_pFile->IsOpen()) return 0;
    if (size == 0) return 1;
    if (!m_pFile->Write(data, size)) {
        // Disk full or the drive gone: release the handle so that nothing
        // more lands in the file; the writer stays bound and keeps failing.
        m_pFile->Close();
        return 0;
    }
    return 1;
}

int ClXmlWriter::Fail() {
    if (m_pFile != nullptr) m_pFile->Close();
    return 0;
}

int ClXmlWriter::WriteText(const char* text) {
    return WriteLine(text, Length(text));
}

int ClXmlWriter::WriteStartTag(std::string& line, const char* name, int level, const char* attr1,
                               const char* value1, const char* attr2, const char* value2) {
    const std::size_t indent = IndentOf(level);
    const std::size_t nameSize = Length(name);
    const Attributes attributes(attr1, value1, attr2, value2);
    if (!Prepare(line, indent + 1 + nameSize + attributes.MaxSize() + 3)) return Fail();

    char* const begin = &line[0];
    char* out = PutIndent(begin, indent);
    *out++ = '<';
    out = Put(out, name, nameSize);
    out = attributes.PutAll(out);
    out = Put(out, ">\r\n", 3);
    line.resize(static_cast<std::size_t>(out - begin));
    return WriteLine(line.data(), line.size());
}

int ClXmlWriter::WriteElement(std::string& line, const char* name, const char* text, int level,
                              const char* attr1, const char* value1, const char* attr2, const char* value2) {
    const std::size_t indent = IndentOf(level);
    const std::size_t nameSize = Length(name);
    const std::size_t textSize = Length(text);
    const Attributes attributes(attr1, value1, attr2, value2);
    if (!Prepare(line, indent + 1 + nameSize + attributes.MaxSize() + 1 + kMaxEscapedPerByte * textSize + 2 +
                           nameSize + 3)) {
        return Fail();
    }

    char* const begin = &line[0];
    char* out = PutIndent(begin, indent);
    *out++ = '<';
    out = Put(out, name, nameSize);
    out = attributes.PutAll(out);
    *out++ = '>';
    out = PutEscaped(out, text);
    *out++ = '<';
    *out++ = '/';
    out = Put(out, name, nameSize);
    out = Put(out, ">\r\n", 3);
    line.resize(static_cast<std::size_t>(out - begin));
    return WriteLine(line.data(), line.size());
}

int ClXmlWriter::WriteEndTag(std::string& line, const char* name, int level) {
    const std::size_t indent = IndentOf(level);
    const std::size_t nameSize = Length(name);
    if (!Prepare(line, indent + 2 + nameSize + 3)) return Fail();

    char* const begin = &line[0];
    char* out = PutIndent(begin, indent);
    *out++ = '<';
    *out++ = '/';
    out = Put(out, name, nameSize);
    out = Put(out, ">\r\n", 3);
    line.resize(static_cast<std::size_t>(out - begin));
    return WriteLine(line.data(), line.size());
}

const char* ClXmlWriter::Escape(const char* text) {
    static std::string s_strResult;
    const std::size_t size = Length(text);
    if (!Prepare(s_strResult, kMaxEscapedPerByte * size)) {
        s_strResult.clear();
        return s_strResult.c_str();
    }
    char* const begin = &s_strResult[0];
    char* const end = PutEscaped(begin, text);
    s_strResult.resize(static_cast<std::size_t>(end - begin));
    return s_strResult.c_str();
}

std::int16_t ClXmlWriter::Close() {
    if (m_pFile != nullptr) m_pFile->Close();
    m_pFile = nullptr;
    return 0;
}

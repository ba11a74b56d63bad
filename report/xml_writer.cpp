#include "report/xml_writer.h"

#include <cstring>
#include <new>

namespace {

// Byte budget of the test seam; -1 when off.
long long g_llByteLimit = -1;
long long g_llBytesWritten = 0;

void AppendEscaped(std::string& out, const char* text) {
    // Byte by byte without regard to double-byte characters: in Shift_JIS a
    // second byte is 0x40 or above, so none of the five can be one.
    for (const char* p = text; *p != '\0'; ++p) {
        switch (*p) {
            case '&':
                out += "&amp;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out += *p;
                break;
        }
    }
}

void AppendText(std::string& line, const char* text) {
    if (text != nullptr) line += text;
}

void AppendIndent(std::string& line, int level) {
    if (level > 0) line.append(static_cast<std::size_t>(level), '\t');
}

// " name="value"" for each attribute that is to be written.
void AppendAttributes(std::string& line, const char* attr1, const char* value1, const char* attr2,
                      const char* value2) {
    if (attr1 == nullptr || value1 == nullptr) return;
    line += ' ';
    AppendText(line, attr1);
    line += "=\"";
    AppendEscaped(line, value1);
    line += '"';
    if (attr2 == nullptr || value2 == nullptr) return;
    line += ' ';
    AppendText(line, attr2);
    line += "=\"";
    AppendEscaped(line, value2);
    line += '"';
}

}  // namespace

ClXmlWriter::~ClXmlWriter() { Close(); }

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
    if (g_llByteLimit >= 0 && g_llBytesWritten + static_cast<long long>(size) > g_llByteLimit) {
        m_pFile->Close();
        return 0;
    }
    if (!m_pFile->Write(data, size)) {
        // Disk full or the drive gone: release the handle so that nothing
        // more lands in the file; the writer stays bound and keeps failing.
        m_pFile->Close();
        return 0;
    }
    g_llBytesWritten += static_cast<long long>(size);
    return 1;
}

int ClXmlWriter::WriteText(const char* text) {
    return WriteLine(text, text != nullptr ? std::strlen(text) : 0);
}

int ClXmlWriter::WriteStartTag(std::string& line, const char* name, int level, const char* attr1,
                               const char* value1, const char* attr2, const char* value2) {
    try {
        line.clear();
        AppendIndent(line, level);
        line += '<';
        AppendText(line, name);
        AppendAttributes(line, attr1, value1, attr2, value2);
        line += ">\r\n";
    } catch (const std::bad_alloc&) {
        if (m_pFile != nullptr) m_pFile->Close();
        return 0;
    }
    return WriteLine(line.data(), line.size());
}

int ClXmlWriter::WriteElement(std::string& line, const char* name, const char* text, int level,
                              const char* attr1, const char* value1, const char* attr2, const char* value2) {
    try {
        line.clear();
        AppendIndent(line, level);
        line += '<';
        AppendText(line, name);
        AppendAttributes(line, attr1, value1, attr2, value2);
        line += '>';
        if (text != nullptr) AppendEscaped(line, text);
        line += "</";
        AppendText(line, name);
        line += ">\r\n";
    } catch (const std::bad_alloc&) {
        if (m_pFile != nullptr) m_pFile->Close();
        return 0;
    }
    return WriteLine(line.data(), line.size());
}

int ClXmlWriter::WriteEndTag(std::string& line, const char* name, int level) {
    try {
        line.clear();
        AppendIndent(line, level);
        line += "</";
        AppendText(line, name);
        line += ">\r\n";
    } catch (const std::bad_alloc&) {
        if (m_pFile != nullptr) m_pFile->Close();
        return 0;
    }
    return WriteLine(line.data(), line.size());
}

const char* ClXmlWriter::Escape(const char* text) {
    static std::string s_strResult;
    s_strResult.clear();
    try {
        if (text != nullptr) AppendEscaped(s_strResult, text);
    } catch (const std::bad_alloc&) {
        s_strResult.clear();
    }
    return s_strResult.c_str();
}

std::int16_t ClXmlWriter::Close() {
    if (m_pFile != nullptr) m_pFile->Close();
    m_pFile = nullptr;
    return 0;
}

void ClXmlWriter::SetByteLimitForTest(long long limit) {
    g_llByteLimit = limit;
    g_llBytesWritten = 0;
}

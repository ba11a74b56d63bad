// The fuzz targets' scratch folder behind drive T:, file snapshots and checks.
#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "platform/headless_windows/drive_table.h"
#include "platform/headless_windows/file_faults.h"
#include "platform/process.h"
#include "platform/types.h"

namespace fz {

namespace fs = std::filesystem;

Scratch& Scratch::Get() {
    static Scratch scratch;
    return scratch;
}

Scratch::Scratch() {
    char tmpl[] = "/tmp/linkfuzz.XXXXXX";
    const char* dir = mkdtemp(tmpl);
    if (dir == nullptr) Fail("mkdtemp failed");
    m_parent = dir;
    m_posix = m_parent + "/scratch";
    std::error_code ec;
    fs::create_directory(m_posix, ec);
    if (ec) Fail("cannot create " + m_posix);
    // The properties are about bytes: waiting for the disk at every replace
    // would cut the rate to a few hundred inputs a second.
    plat::headless::SkipDiskSyncs(true);
    Reset();
}

Scratch::~Scratch() {
    std::error_code ignored;
    fs::remove_all(m_parent, ignored);
}

void Scratch::Reset() {
    std::error_code ec;
    // A fuzzed path may have removed the folder itself through "T:\\..".
    fs::create_directories(m_posix, ec);
    for (const auto& entry : fs::directory_iterator(m_posix, ec)) fs::remove_all(entry.path(), ec);
    plat::headless::ClearRoots();
    plat::headless::MapRoot("T:", m_posix, plat::kDriveFixed);
    plat::SetCurrentDir(m_win);
}

void WritePosixFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) Fail("cannot write " + path);
}

std::set<std::string> Snapshot(const std::string& posixFolder) {
    std::set<std::string> entries;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(posixFolder, ec); !ec && it != fs::end(it);
         it.increment(ec)) {
        const std::string rel = fs::relative(it->path(), posixFolder, ec).string();
        entries.insert((it->is_directory(ec) ? "d " : "f ") + rel);
    }
    return entries;
}

void Fail(const std::string& what, std::string_view detail) {
    std::string shown;
    for (const char c : detail) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            shown += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            shown += hex;
        }
    }
    std::fprintf(stderr, "FUZZ PROPERTY FAILED: %s\n%s\n", what.c_str(), shown.c_str());
    std::abort();
}

namespace {

bool IsSjisLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
bool IsSjisTrail(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}
bool IsNameStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':';
}
bool IsNameChar(unsigned char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}
bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

class XmlChecker {
public:
    explicit XmlChecker(std::string_view doc) : m_doc(doc) {}

    std::string Run() {
        if (!m_doc.empty() && m_doc.substr(0, 5) != "<?xml") return Problem("no declaration");
        const std::size_t declEnd = m_doc.find("?>");
        if (declEnd == std::string_view::npos) return Problem("declaration not closed");
        if (!CheckChars(5, declEnd)) return m_problem;
        m_pos = declEnd + 2;
        bool rootSeen = false;
        while (m_pos < m_doc.size()) {
            const auto c = static_cast<unsigned char>(m_doc[m_pos]);
            if (c == '<') {
                if (m_stack.empty() && rootSeen) return Problem("second root element");
                if (!Tag()) return m_problem;
                rootSeen = true;
            } else if (m_stack.empty()) {
                if (!IsBlank(c)) return Problem("text outside the root");
                ++m_pos;
            } else if (!Text()) {
                return m_problem;
            }
        }
        if (!rootSeen) return Problem("no root element");
        if (!m_stack.empty()) return Problem("unclosed element " + m_stack.back());
        return {};
    }

private:
    std::string Problem(const std::string& what) {
        m_problem = what + " at byte " + std::to_string(m_pos);
        return m_problem;
    }
    bool Fails(const std::string& what) {
        Problem(what);
        return false;
    }

    // Characters of [from, to): no C0 control but TAB CR LF, whole Shift_JIS pairs.
    bool CheckChars(std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            const auto c = static_cast<unsigned char>(m_doc[i]);
            if (c < 0x20 && c != '\t' && c != '\r' && c != '\n') {
                m_pos = i;
                return Fails("control character");
            }
            if (c == 0x7F || c == 0x80 || c == 0xA0 || c >= 0xFD) {
                m_pos = i;
                return Fails("byte outside Shift_JIS");
            }
            if (IsSjisLead(c)) {
                if (i + 1 >= to || !IsSjisTrail(static_cast<unsigned char>(m_doc[i + 1]))) {
                    m_pos = i;
                    return Fails("lead byte without its second byte");
                }
                ++i;
            }
        }
        return true;
    }

    bool Name(std::string& name) {
        const std::size_t start = m_pos;
        if (m_pos >= m_doc.size() || !IsNameStart(static_cast<unsigned char>(m_doc[m_pos])))
            return Fails("bad name");
        while (m_pos < m_doc.size() && IsNameChar(static_cast<unsigned char>(m_doc[m_pos]))) ++m_pos;
        name.assign(m_doc.substr(start, m_pos - start));
        return true;
    }
    void SkipBlanks() {
        while (m_pos < m_doc.size() && IsBlank(static_cast<unsigned char>(m_doc[m_pos]))) ++m_pos;
    }

    // "&name;" or "&#n;" / "&#xh;" at m_pos.
    bool Reference() {
        const std::size_t semi = m_doc.find(';', m_pos);
        if (semi == std::string_view::npos || semi - m_pos > 10) return Fails("unterminated reference");
        const std::string_view ref = m_doc.substr(m_pos + 1, semi - m_pos - 1);
        static const char* const kNamed[] = {"amp", "lt", "gt", "quot", "apos"};
        bool ok = false;
        for (const char* n : kNamed) ok = ok || ref == n;
        if (!ok && ref.size() >= 2 && ref[0] == '#') {
            const bool hex = ref[1] == 'x';
            const std::string_view digits = ref.substr(hex ? 2 : 1);
            ok = !digits.empty();
            for (const char d : digits) {
                ok = ok &&
                     ((d >= '0' && d <= '9') || (hex && ((d >= 'a' && d <= 'f') || (d >= 'A' && d <= 'F'))));
            }
        }
        if (!ok) return Fails("bad reference");
        m_pos = semi + 1;
        return true;
    }

    bool Text() {
        const std::size_t start = m_pos;
        while (m_pos < m_doc.size() && m_doc[m_pos] != '<') {
            if (m_doc[m_pos] == '&') {
                if (!CheckChars(start, m_pos) || !Reference()) return false;
                return true;
            }
            if (m_doc[m_pos] == '>') return Fails("'>' in text");
            ++m_pos;
        }
        return CheckChars(start, m_pos);
    }

    bool AttributeValue() {
        if (m_pos >= m_doc.size() || (m_doc[m_pos] != '"' && m_doc[m_pos] != '\''))
            return Fails("attribute value not quoted");
        const char quote = m_doc[m_pos++];
        std::size_t start = m_pos;
        while (m_pos < m_doc.size() && m_doc[m_pos] != quote) {
            if (m_doc[m_pos] == '<') return Fails("'<' in attribute value");
            if (m_doc[m_pos] == '&') {
                if (!CheckChars(start, m_pos) || !Reference()) return false;
                start = m_pos;
                continue;
            }
            ++m_pos;
        }
        if (m_pos >= m_doc.size()) return Fails("attribute value not closed");
        if (!CheckChars(start, m_pos)) return false;
        ++m_pos;
        return true;
    }

    bool Tag() {
        ++m_pos;  // '<'
        if (m_pos < m_doc.size() && m_doc[m_pos] == '/') {
            ++m_pos;
            std::string name;
            if (!Name(name)) return false;
            SkipBlanks();
            if (m_pos >= m_doc.size() || m_doc[m_pos] != '>') return Fails("end tag not closed");
            ++m_pos;
            if (m_stack.empty() || m_stack.back() != name)
                return Fails("end tag " + name + " does not match");
            m_stack.pop_back();
            return true;
        }
        std::string name;
        if (!Name(name)) return false;
        std::set<std::string> attributes;
        for (;;) {
            const std::size_t before = m_pos;
            SkipBlanks();
            if (m_pos >= m_doc.size()) return Fails("start tag not closed");
            if (m_doc[m_pos] == '>') {
                ++m_pos;
                m_stack.push_back(name);
                return true;
            }
            if (m_doc.substr(m_pos, 2) == "/>") {
                m_pos += 2;
                return true;
            }
            if (m_pos == before) return Fails("no blank before attribute");
            std::string attr;
            if (!Name(attr)) return false;
            if (!attributes.insert(attr).second) return Fails("attribute " + attr + " twice");
            SkipBlanks();
            if (m_pos >= m_doc.size() || m_doc[m_pos] != '=') return Fails("no '=' after attribute");
            ++m_pos;
            SkipBlanks();
            if (!AttributeValue()) return false;
        }
    }

    std::string_view m_doc;
    std::size_t m_pos = 0;
    std::vector<std::string> m_stack;
    std::string m_problem;
};

}  // namespace

bool IsWellFormedSjis(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == 0x80 || c == 0xA0 || c >= 0xFD) return false;
        if (IsSjisLead(c)) {
            if (i + 1 >= text.size() || !IsSjisTrail(static_cast<unsigned char>(text[i + 1]))) return false;
            ++i;
        }
    }
    return true;
}

std::string XmlProblem(std::string_view doc) {
    return XmlChecker(doc).Run();
}

std::uint8_t Reader::Byte() {
    return m_pos < m_size ? m_data[m_pos++] : 0;
}

std::int64_t Reader::I64() {
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v = (v << 8) | Byte();
    return static_cast<std::int64_t>(v);
}

std::int32_t Reader::I32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
    return static_cast<std::int32_t>(v);
}

std::string Reader::Bytes(std::size_t maxBytes) {
    std::size_t n = Byte();
    if (n > maxBytes) n = maxBytes;
    if (n > m_size - m_pos) n = m_size - m_pos;
    std::string out(reinterpret_cast<const char*>(m_data + m_pos), n);
    m_pos += n;
    return out;
}

std::string Reader::Rest() {
    std::string out(reinterpret_cast<const char*>(m_data + m_pos), m_size - m_pos);
    m_pos = m_size;
    return out;
}

}  // namespace fz

#pragma once
// Shared parts of the fuzz targets: a scratch folder behind drive T:, file
// snapshots, and checks that abort with a message (libFuzzer keeps the input).
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace fz {

// A POSIX temporary folder mapped to drive T: and made the current directory,
// one per process, removed at exit (libFuzzer ends a crashing run with
// _exit, which leaves it behind in /tmp).
class Scratch {
public:
    static Scratch& Get();
    // "T:\"
    const std::string& Win() const { return m_win; }
    const std::string& Posix() const { return m_posix; }
    // The folder above the scratch folder, holding nothing else.
    const std::string& Parent() const { return m_parent; }
    // Empties the folder, maps T: to it again (alone) and makes it current.
    void Reset();

private:
    Scratch();
    ~Scratch();
    std::string m_parent;
    std::string m_posix;
    std::string m_win = "T:\\";
};

// Writes bytes to a POSIX path; aborts when it cannot.
void WritePosixFile(const std::string& path, std::string_view bytes);
// Every entry below folder, as "d rel/path" or "f rel/path".
std::set<std::string> Snapshot(const std::string& posixFolder);

// Aborts with the message and the bytes shown escaped.
[[noreturn]] void Fail(const std::string& what, std::string_view detail = {});
inline void Check(bool ok, const std::string& what, std::string_view detail = {}) {
    if (!ok) Fail(what, detail);
}

// Well-formed XML for what the report holds: a declaration, one root
// element, balanced tags, quoted attributes, entity and character references
// only, no markup character in text, no C0 control other than TAB CR LF.
// Bytes 0x80 and above are taken as Shift_JIS: a lead byte needs a valid
// second byte (never one of < & > " which is why markup can be found byte
// by byte). Empty when well-formed, else the reason and byte offset.
std::string XmlProblem(std::string_view doc);

// Shift_JIS as the host delivers texts: every lead byte followed by a valid
// second byte, no byte outside the code page (single-byte 0x00-0x7F and
// 0xA1-0xDF).
bool IsWellFormedSjis(std::string_view text);

// Reads the input in pieces: numbers and byte strings, zeros when it runs out.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint8_t Byte();
    std::int64_t I64();
    std::int32_t I32();
    // Up to maxBytes bytes: a length byte, then the bytes.
    std::string Bytes(std::size_t maxBytes);
    std::string Rest();
    bool Empty() const { return m_pos >= m_size; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

}  // namespace fz

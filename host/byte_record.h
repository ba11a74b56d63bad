#pragma once
// Host records are byte blocks of a fixed size whose fields sit at fixed
// offsets, little-endian. Accessors read and write those offsets explicitly,
// so the layout never depends on the compiler's packing.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

template <std::size_t N>
class ByteRecord {
public:
    static constexpr std::size_t kSize = N;

    ByteRecord() { Clear(); }
    void Clear() { m_bytes.fill(0); }

    std::uint8_t* Data() { return m_bytes.data(); }
    const std::uint8_t* Data() const { return m_bytes.data(); }
    static constexpr std::size_t Size() { return N; }

    std::uint8_t GetU8(std::size_t off) const { return m_bytes.at(off); }
    void SetU8(std::size_t off, std::uint8_t v) { m_bytes.at(off) = v; }
    std::int8_t GetI8(std::size_t off) const { return static_cast<std::int8_t>(GetU8(off)); }
    void SetI8(std::size_t off, std::int8_t v) { SetU8(off, static_cast<std::uint8_t>(v)); }

    std::int16_t GetI16(std::size_t off) const {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(GetUnsigned(off, 2)));
    }
    void SetI16(std::size_t off, std::int16_t v) { SetUnsigned(off, 2, static_cast<std::uint16_t>(v)); }
    std::int32_t GetI32(std::size_t off) const {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(GetUnsigned(off, 4)));
    }
    void SetI32(std::size_t off, std::int32_t v) { SetUnsigned(off, 4, static_cast<std::uint32_t>(v)); }
    std::uint32_t GetU32(std::size_t off) const { return static_cast<std::uint32_t>(GetUnsigned(off, 4)); }
    void SetU32(std::size_t off, std::uint32_t v) { SetUnsigned(off, 4, v); }
    std::int64_t GetI64(std::size_t off) const { return static_cast<std::int64_t>(GetUnsigned(off, 8)); }
    void SetI64(std::size_t off, std::int64_t v) { SetUnsigned(off, 8, static_cast<std::uint64_t>(v)); }

    // Zero-terminated text starting at off, read up to its terminator or up
    // to maxLen bytes, whichever comes first (never past the record's end).
    std::string GetText(std::size_t off, std::size_t maxLen) const {
        std::string s;
        for (std::size_t i = off; i < N && i - off < maxLen && m_bytes[i] != 0; ++i) {
            s.push_back(static_cast<char>(m_bytes[i]));
        }
        return s;
    }
    // Writes text and a terminator into the field [off, off + fieldSize);
    // text longer than fieldSize - 1 bytes is cut (callers cut on character
    // boundaries before, where that matters).
    void SetText(std::size_t off, std::size_t fieldSize, std::string_view text) {
        if (fieldSize == 0 || off + fieldSize > N) return;
        std::memset(&m_bytes[off], 0, fieldSize);
        std::memcpy(&m_bytes[off], text.data(), text.size() < fieldSize ? text.size() : fieldSize - 1);
    }

private:
    // A field past the record's end is refused as at() refuses it.
    static void CheckField(std::size_t off, std::size_t width) {
        if (off > N || width > N - off) throw std::out_of_range("ByteRecord field");
    }
    // One load on a little-endian machine: the aggregation reads sixty
    // amounts a record.
    std::uint64_t GetUnsigned(std::size_t off, std::size_t width) const {
        CheckField(off, width);
        std::uint64_t v = 0;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
        std::memcpy(&v, m_bytes.data() + off, width);
#else
        for (std::size_t i = width; i-- > 0;) v = (v << 8) | m_bytes[off + i];
#endif
        return v;
    }
    void SetUnsigned(std::size_t off, std::size_t width, std::uint64_t v) {
        CheckField(off, width);
        for (std::size_t i = 0; i < width; ++i) m_bytes[off + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }

    std::array<std::uint8_t, N> m_bytes;
};

// Data taken from the system's own mapping under code page 932; the Wine
// tests compare this table with the system's byte for byte.
#include "fullwidth_table.h"

#include <cstdint>

#include "platform/mbcs.h"

namespace plat::headless {

namespace {

// A value below 0x100 is a single byte, anything else a lead and trail byte.
using Code = std::uint16_t;

constexpr Code kQuestionMark = 0x3F;  // what the system writes for a character code page 932 lacks

// 0x20 to 0x7E. The yen sign 0x5C stays as it is: the system does not map it.
constexpr Code kAscii[0x7F - 0x20] = {
    0x8140, 0x8149, 0xFA57, 0x8194, 0x8190, 0x8193, 0x8195, 0xFA56, 0x8169, 0x816A, 0x8196, 0x817B,
    0x8143, 0x817C, 0x8144, 0x815E, 0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148, 0x8197, 0x8260, 0x8261, 0x8262,
    0x8263, 0x8264, 0x8265, 0x8266, 0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E,
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276, 0x8277, 0x8278, 0x8279, 0x816D,
    0x005C, 0x816E, 0x814F, 0x8151, 0x814D, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287,
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F, 0x8290, 0x8291, 0x8292, 0x8293,
    0x8294, 0x8295, 0x8296, 0x8297, 0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8160,
};

// Half-width katakana and punctuation, 0xA1 to 0xDF. The system maps a mark
// that stands alone to the combining mark, which code page 932 lacks.
constexpr Code kKana[0xE0 - 0xA1] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348, 0x8383, 0x8385,
    0x8387, 0x8362, 0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E, 0x8350, 0x8352,
    0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B,
    0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E, 0x8380, 0x8381, 0x8382, 0x8384,
    0x8386, 0x8388, 0x8389, 0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x003F, 0x003F,
};

constexpr unsigned char kVoicedMark = 0xDE;
constexpr unsigned char kSemiVoicedMark = 0xDF;

// The kana with its mark as one character; 0 when the system keeps them apart.
Code Compose(unsigned char kana, unsigned char mark) {
    const Code plain = kKana[kana - 0xA1];
    if (mark == kVoicedMark) {
        if ((kana >= 0xB6 && kana <= 0xC4) || (kana >= 0xCA && kana <= 0xCE))
            return static_cast<Code>(plain + 1);
        if (kana == 0xB3) return 0x8394;  // ｳﾞ
        // ｦﾞ and ﾜﾞ compose to characters that code page 932 lacks.
        if (kana == 0xA6 || kana == 0xDC) return kQuestionMark;
        return 0;
    }
    if (mark == kSemiVoicedMark && kana >= 0xCA && kana <= 0xCE) return static_cast<Code>(plain + 2);
    return 0;
}

// Position of a double-byte code among all codes of its kind, for the ranges
// that the system maps one to one onto another range.
int Linear(Code code) {
    const int lead = code >> 8;
    const int trail = code & 0xFF;
    return ((lead < 0xA0) ? lead - 0x81 : lead - 0xC1) * 188 + ((trail < 0x7F) ? trail - 0x40 : trail - 0x41);
}

Code FromLinear(int index) {
    const int lead = index / 188;
    const int trail = index % 188;
    return static_cast<Code>((((lead < 31) ? lead + 0x81 : lead + 0xC1) << 8) |
                             ((trail < 63) ? trail + 0x40 : trail + 0x41));
}

struct Pair {
    Code from;
    Code to;
};

// Characters that code page 932 holds twice: the system reads them to one
// character and writes that back in its preferred form.
constexpr Pair kCanonical[] = {
    {0x814A, kQuestionMark}, {0x814B, kQuestionMark},  // ゛ ゜ become the combining marks
    {0x8790, 0x81E0},        {0x8791, 0x81DF},        {0x8792, 0x81E7}, {0x8795, 0x81E3}, {0x8796, 0x81DB},
    {0x8797, 0x81DA},        {0x879A, 0x81E6},        {0x879B, 0x81BF}, {0x879C, 0x81BE}, {0xEEF9, 0x81CA},
    {0xEEFA, 0xFA55},        {0xEEFB, 0xFA56},        {0xEEFC, 0xFA57}, {0xFA54, 0x81CA}, {0xFA58, 0x878A},
    {0xFA59, 0x8782},        {0xFA5A, 0x8784},        {0xFA5B, 0x81E6},
};

Code CanonicalDoubleByte(Code code) {
    // NEC-selected IBM extensions: kanji ED40-EEEC onto FA5C-FC4B, small
    // roman numerals EEEF-EEF8 onto FA40-FA49.
    if (code >= 0xED40 && code <= 0xEEEC) return FromLinear(Linear(code) - Linear(0xED40) + Linear(0xFA5C));
    if (code >= 0xEEEF && code <= 0xEEF8) return static_cast<Code>(code - 0xEEEF + 0xFA40);
    // IBM extension roman numerals FA4A-FA53 onto the NEC row 8754-875D.
    if (code >= 0xFA4A && code <= 0xFA53) return static_cast<Code>(code - 0xFA4A + 0x8754);
    for (const Pair& pair : kCanonical) {
        if (pair.from == code) return pair.to;
    }
    return code;
}

void Append(std::string& out, Code code) {
    if (code < 0x100) {
        out.push_back(static_cast<char>(code));
    } else {
        out.push_back(static_cast<char>(code >> 8));
        out.push_back(static_cast<char>(code & 0xFF));
    }
}

}  // namespace

std::string FullWidthByTable(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 2);
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (plat::IsCp932LeadByte(c)) {
            if (i + 1 >= size) {
                out.push_back(static_cast<char>(c));  // a lead byte without its trail byte
                break;
            }
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            const bool validTrail = plat::IsCp932SecondByte(trail);
            const Code code = static_cast<Code>((c << 8) | trail);
            Append(out, validTrail ? CanonicalDoubleByte(code) : code);
            ++i;
        } else if (c >= 0x20 && c <= 0x7E) {
            Append(out, kAscii[c - 0x20]);
        } else if (c >= 0xA1 && c <= 0xDF) {
            if (i + 1 < size) {
                const Code composed = Compose(c, static_cast<unsigned char>(text[i + 1]));
                if (composed != 0) {
                    Append(out, composed);
                    ++i;
                    continue;
                }
            }
            Append(out, kKana[c - 0xA1]);
        } else {
            out.push_back(static_cast<char>(c));  // controls and the unassigned single bytes
        }
    }
    return out;
}

}  // namespace plat::headless

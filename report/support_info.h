#pragma once
// Reader of the host installation's support information file "SUPPORT.INF":
// a Shift_JIS text of keyed particulars, one per line ("[=name=]" directly
// followed by the value, CR LF, LF or CR at the end). The file is read once
// into a fixed image and a key's value is found by a plain byte search.
#include <cstddef>
#include <string>
#include <vector>

class ClSupportInfo {
public:
    static constexpr std::size_t kImageSize = 30000;
    static constexpr unsigned char kFill = 0xFF;

    ClSupportInfo();
    virtual ~ClSupportInfo();
    ClSupportInfo(const ClSupportInfo&) = delete;
    ClSupportInfo& operator=(const ClSupportInfo&) = delete;

    // 1 when the image is in memory (also when an earlier call allocated it,
    // whether or not the file opened then); 0 when no memory was to be had
    // (after telling the user) or the file did not open.
    int Load();
    // Turns every CR, LF and 0x1A into NUL, so that each line is a
    // zero-terminated text in place, whichever line ends the file has.
    void PrepareBuffer();
    // The value of "[=製品名=]" / "[=製品ﾊﾞｰｼﾞｮﾝ=]", or an empty text. Valid
    // while the object lives.
    const char* GetProductName();
    const char* GetProductVersion();

private:
    const char* FindValue(const char* key);

    std::vector<char> m_hData;  // the image; empty until the first Load
    char* m_pData = nullptr;
    char m_szFolder[261];            // prefix of the file name; stays empty: the file is
                                     // looked up in the current directory
    std::size_t m_nContentSize = 0;  // bytes of the image the file filled
    // The content's last stretch without a NUL, copied once with its own
    // terminator: values that run to the end of the content point into it.
    std::string m_strTail;
    std::size_t m_nTailStart = kNoTail;  // image offset of the copy's first byte
    static constexpr std::size_t kNoTail = static_cast<std::size_t>(-1);
};

// ClSupportInfo: the host product's name and version from "SUPPORT.INF".
#include "report/support_info.h"

#include <cstring>
#include <new>
#include <string>

#include "platform/files.h"
#include "platform/message_box.h"
#include "shared/box_caption.h"

namespace {

constexpr char kFileName[] = "SUPPORT.INF";
constexpr char kKeyProductName[] = "[=製品名=]";
constexpr char kKeyProductVersion[] = "[=製品ﾊﾞｰｼﾞｮﾝ=]";
constexpr char kMsgNoMemory[] = "ﾒﾓﾘが不足しています。";

}  // namespace

ClSupportInfo::ClSupportInfo() {
    std::memset(m_szFolder, 0, sizeof(m_szFolder));
}

ClSupportInfo::~ClSupportInfo() = default;

int ClSupportInfo::Load() {
    if (!m_hData.empty()) return 1;
    try {
        m_hData.assign(kImageSize, static_cast<char>(kFill));
    } catch (const std::bad_alloc&) {
        m_hData.clear();
        try {
            plat::ShowMessageBox(plat::kNoWindow, kMsgNoMemory, texts::kCaption,
                                 plat::kMbOk | plat::kMbIconExclamation);
        } catch (const std::bad_alloc&) {
            // Not even the message could be shown; the empty text follows.
        }
        return 0;
    }
    m_pData = m_hData.data();
    m_nContentSize = 0;

    std::string path;
    if (m_szFolder[0] != '\0') path = m_szFolder;
    path += kFileName;

    plat::File file;
    if (!file.Open(path, plat::File::Mode::kRead)) return 0;
    // A file may deliver its bytes in more than one read.
    while (m_nContentSize < kImageSize) {
        const long long got = file.Read(m_pData + m_nContentSize, kImageSize - m_nContentSize);
        if (got <= 0) break;
        m_nContentSize += static_cast<std::size_t>(got);
    }
    file.Close();
    PrepareBuffer();
    return 1;
}

void ClSupportInfo::PrepareBuffer() {
    if (m_pData == nullptr) return;
    // Every line end byte on its own: a file saved with LF or CR line ends
    // must not carry the particulars of the following lines (serial number,
    // company, contact) into a value. A CR LF pair becomes two NULs.
    for (std::size_t i = 0; i < kImageSize; ++i) {
        if (m_pData[i] == '\r' || m_pData[i] == '\n' || m_pData[i] == '\x1A') m_pData[i] = '\0';
    }
}

const char* ClSupportInfo::FindValue(const char* key) {
    static const char kEmpty[] = "";
    if (Load() != 1) return kEmpty;
    const std::size_t keyLen = std::strlen(key);
    for (std::size_t pos = 0; pos + keyLen <= kImageSize; ++pos) {
        if (std::memcmp(m_pData + pos, key, keyLen) != 0) continue;
        // The value runs to its NUL; one on the file's last line or at the
        // image's end has none, and must not take in the 0xFF fill.
        const std::size_t start = pos + keyLen;
        const std::size_t limit = m_nContentSize;
        std::size_t end = start;
        while (end < limit && m_pData[end] != '\0') ++end;
        if (end < limit) return m_pData + start;  // ends at its own NUL
        // No NUL before the end of the content: the value ends there, in the
        // copy of the content's last stretch. That copy is made once and
        // never changed, so a value handed out earlier stays valid.
        if (m_nTailStart == kNoTail) {
            std::size_t tailStart = limit;
            while (tailStart > 0 && m_pData[tailStart - 1] != '\0') --tailStart;
            try {
                m_strTail.assign(m_pData + tailStart, limit - tailStart);
            } catch (const std::bad_alloc&) {
                return kEmpty;
            }
            m_nTailStart = tailStart;
        }
        return m_strTail.c_str() + (start - m_nTailStart);
    }
    return kEmpty;
}

const char* ClSupportInfo::GetProductName() {
    return FindValue(kKeyProductName);
}

const char* ClSupportInfo::GetProductVersion() {
    return FindValue(kKeyProductVersion);
}

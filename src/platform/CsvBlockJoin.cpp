#include "platform/CsvBlockJoin.h"

namespace wavemark {

bool CsvBlockJoin::recut(std::string_view& text, CsvCutStart& start) {
    if (m_unfinished.empty() && !m_next.skipping && m_next.oneLineFor == 0) {
        return false;
    }
    m_joined.assign(m_unfinished).append(text);
    text = m_joined;
    start = m_next;
    return true;
}

void CsvBlockJoin::taken(std::string_view text, size_t unfinished, const CsvCutStart& end) {
    // Copied: `text` may be the joined text, and the block's bytes are not
    // kept for long.
    m_unfinished.assign(text.substr(text.size() - unfinished));
    m_next = end;
}

} // namespace wavemark

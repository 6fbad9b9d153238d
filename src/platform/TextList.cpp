#include "platform/TextList.h"

#include <limits>
#include <new>
#include <string>

namespace wavemark {

void TextList::push_back(std::string_view text) {
    if (text.size() > std::numeric_limits<uint32_t>::max() - m_bytes.size()) {
        throw std::bad_alloc();
    }
    // A text of this very list would move as the buffer grows.
    const bool own = !m_bytes.empty() && text.data() >= m_bytes.data() &&
                     text.data() < m_bytes.data() + m_bytes.size();
    if (own) {
        const std::string copy(text);
        m_bytes.insert(m_bytes.end(), copy.begin(), copy.end());
    } else {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    }
    m_ends.push_back(static_cast<uint32_t>(m_bytes.size()));
}

} // namespace wavemark

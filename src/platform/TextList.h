#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace wavemark {

// Many short texts (network names, BSSIDs) in one buffer, one after
// another, each found by where it ends: a text costs its bytes and four
// more, where a std::string costs 32 and a heap block past 15 bytes. Texts
// are only ever added at the end; a view stays valid until the list next
// grows or is cleared.
class TextList {
public:
    TextList() = default;
    TextList(std::initializer_list<std::string_view> texts) {
        for (const std::string_view text : texts) {
            push_back(text);
        }
    }

    size_t size() const { return m_ends.size(); }
    std::string_view operator[](size_t i) const {
        const uint32_t begin = i == 0 ? 0 : m_ends[i - 1];
        return {m_bytes.data() + begin, m_ends[i] - begin};
    }

    // Throws std::bad_alloc past 4 GiB of text, which the ends cannot count.
    void push_back(std::string_view text);
    void reserve(size_t texts, size_t bytes) {
        m_ends.reserve(texts);
        m_bytes.reserve(bytes);
    }
    void clear() {
        m_ends.clear();
        m_bytes.clear();
    }
    // Gives back the room grown into and not used.
    void shrinkToFit() {
        m_ends.shrink_to_fit();
        m_bytes.shrink_to_fit();
    }
    // The bytes held, spare room included.
    size_t capacityBytes() const {
        return m_bytes.capacity() + m_ends.capacity() * sizeof(uint32_t);
    }

    bool operator==(const TextList& other) const {
        return m_ends == other.m_ends && m_bytes == other.m_bytes;
    }

private:
    std::vector<char> m_bytes;
    std::vector<uint32_t> m_ends;
};

} // namespace wavemark

#include "survey/kismet/KismetDatabase.h"

#include <sqlite3.h>

namespace wavemark {

KismetDatabase::~KismetDatabase() {
    sqlite3_close(m_db);
}

bool KismetDatabase::open(const std::string& path) {
    const std::string uri = ImmutableUri(path);
    // Even a failed open gives a handle that holds the message. One thread
    // uses the handle: without its mutex, each call for a column costs less.
    return sqlite3_open_v2(uri.c_str(), &m_db,
                           SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                           nullptr) == SQLITE_OK;
}

std::string KismetDatabase::error() const {
    return m_db != nullptr ? sqlite3_errmsg(m_db) : sqlite3_errstr(SQLITE_NOMEM);
}

KismetQuery::KismetQuery(const KismetDatabase& db, std::string_view sql) {
    m_failed = sqlite3_prepare_v2(db.handle(), sql.data(), static_cast<int>(sql.size()),
                                  &m_statement, nullptr) != SQLITE_OK;
}

KismetQuery::~KismetQuery() {
    sqlite3_finalize(m_statement);
}

bool KismetQuery::next() {
    if (m_failed) {
        return false;
    }
    const int result = sqlite3_step(m_statement);
    m_failed = result != SQLITE_ROW && result != SQLITE_DONE;
    return result == SQLITE_ROW;
}

int64_t KismetQuery::integer(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

double KismetQuery::real(int column) const {
    return sqlite3_column_double(m_statement, column);
}

std::string_view KismetQuery::text(int column) const {
    // Blob and text bytes alike, unconverted; SQLite counts the bytes of the
    // form last asked for, so the length comes second.
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
    const int size = sqlite3_column_bytes(m_statement, column);
    return bytes != nullptr ? std::string_view(bytes, static_cast<size_t>(size))
                            : std::string_view();
}

std::string ImmutableUri(std::string_view path) {
    constexpr char kHex[] = "0123456789ABCDEF";
    // An absolute path gets an empty authority, so that one starting "//"
    // is not taken for a host name.
    std::string uri = path.starts_with('/') ? "file://" : "file:";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '.' || c == '_' ||
                           c == '~';
        if (plain) {
            uri += c;
        } else {
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 0xF];
        }
    }
    return uri + "?immutable=1";
}

} // namespace wavemark

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace wavemark {

// An SQLite database opened read-only, and the few calls the reader makes
// of it. Failures give SQLite's own message, which says what is wrong with
// the file ("file is not a database", "database disk image is malformed").
class KismetDatabase {
public:
    KismetDatabase() = default;
    ~KismetDatabase();
    KismetDatabase(const KismetDatabase&) = delete;
    KismetDatabase& operator=(const KismetDatabase&) = delete;

    // Opens the file at `path` as immutable: SQLite then takes no lock and
    // writes no journal, so a log that Kismet is still writing stays as it
    // is. False on a failure, which error() tells.
    bool open(const std::string& path);

    // SQLite's message of the last failure.
    std::string error() const;

    sqlite3* handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

// One query, stepped through row by row.
class KismetQuery {
public:
    KismetQuery(const KismetDatabase& db, std::string_view sql);
    ~KismetQuery();
    KismetQuery(const KismetQuery&) = delete;
    KismetQuery& operator=(const KismetQuery&) = delete;

    // The next row; false at the end or on a failure, which failed() tells.
    bool next();
    bool failed() const { return m_failed; }

    int64_t integer(int column) const;
    double real(int column) const;
    // Text or blob bytes, valid until the next row.
    std::string_view text(int column) const;

private:
    sqlite3_stmt* m_statement = nullptr;
    bool m_failed = false;
};

// "file:PATH?immutable=1" with the path's bytes that a URI may not hold
// as they are percent-encoded.
std::string ImmutableUri(std::string_view path);

} // namespace wavemark

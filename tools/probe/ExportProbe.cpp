// The least a conversion of a text export must do, as a yardstick for the
// converter: read the file once in 1 MiB blocks and parse each reading's
// latitude, longitude, BSSID, time and signal into columns, on one thread,
// with nothing checked that a reading of NetStumbler's own layout does not
// need. A line is "N 47.3743080<TAB>E 8.5319056<TAB>( name )<TAB>BSS<TAB>
// ( 00:0c:41:d0:35:7d )<TAB>21:02:00 (GMT)<TAB>[ 11 62 51 ]<TAB>..."; date
// lines "# $DateGMT: 2004-04-08" date the readings below them.
//
// usage: wavemark-probe TEXT_EXPORT   prints the readings parsed
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

namespace {

constexpr size_t kBlockSize = size_t{1} << 20;

struct Columns {
    std::vector<double> lat;
    std::vector<double> lon;
    std::vector<uint64_t> bssid;
    std::vector<int64_t> time;
    std::vector<int32_t> signal;

    void reserve(size_t readings) {
        lat.reserve(readings);
        lon.reserve(readings);
        bssid.reserve(readings);
        time.reserve(readings);
        signal.reserve(readings);
    }
};

// A coordinate "N 47.3743080": the digits read as a whole number and
// divided once, as a fast parser of fixed decimals does.
double coordinate(std::string_view text) {
    int64_t digits = 0;
    double scale = 1.0;
    bool fraction = false;
    for (size_t i = 2; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            fraction = true;
        } else {
            digits = digits * 10 + (c - '0');
            scale *= fraction ? 10.0 : 1.0;
        }
    }
    const double value = static_cast<double>(digits) / scale;
    return text[0] == 'S' || text[0] == 'W' ? -value : value;
}

uint64_t address(std::string_view text) {
    uint64_t value = 0;
    for (const char c : text) {
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit >= 0) {
            value = value << 4 | static_cast<uint64_t>(digit);
        }
    }
    return value;
}

int number(std::string_view text, size_t& at) {
    while (at < text.size() && (text[at] < '0' || text[at] > '9') && text[at] != '-') {
        ++at;
    }
    const bool negative = at < text.size() && text[at] == '-';
    at += negative ? 1 : 0;
    int value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
    }
    return negative ? -value : value;
}

// Days from 1970-01-01 of a proleptic Gregorian date.
int64_t daysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

void parse(std::string_view line, int64_t& day, Columns& columns) {
    if (line.starts_with("# $DateGMT: ")) {
        size_t at = 12;
        const int year = number(line, at);
        const int month = -number(line, at);
        const int dayOfMonth = -number(line, at);
        day = daysFromCivil(year, month, dayOfMonth);
        return;
    }
    if (line.empty() || line[0] == '#') {
        return;
    }
    // The first seven columns, cut at their TABs in one pass.
    std::string_view fields[7];
    size_t start = 0;
    for (size_t n = 0; n < 7; ++n) {
        const size_t tab = std::min(line.find('\t', start), line.size());
        fields[n] = line.substr(start, tab - start);
        start = std::min(tab + 1, line.size());
    }
    const std::string_view clock = fields[5];
    size_t at = 0;
    const int hours = number(clock, at);
    const int minutes = number(clock, ++at);
    const int seconds = number(clock, ++at);
    at = 1;
    number(fields[6], at);
    columns.lat.push_back(fields[0].size() > 2 ? coordinate(fields[0]) : 0.0);
    columns.lon.push_back(fields[1].size() > 2 ? coordinate(fields[1]) : 0.0);
    columns.bssid.push_back(address(fields[4]));
    columns.time.push_back(day * 86400 + hours * 3600 + minutes * 60 + seconds);
    columns.signal.push_back(number(fields[6], at));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: wavemark-probe TEXT_EXPORT\n", stderr);
        return 2;
    }
    std::FILE* file = std::fopen(argv[1], "rb");
    if (file == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const auto block = std::make_unique_for_overwrite<char[]>(kBlockSize);
    // Room for the readings a file of this size holds, at the shortest
    // readings' 90 bytes, so the columns never move.
    Columns columns;
    std::fseek(file, 0, SEEK_END);
    columns.reserve(static_cast<size_t>(std::max(0L, std::ftell(file))) / 90);
    std::fseek(file, 0, SEEK_SET);
    int64_t day = 0;
    size_t kept = 0; // the unfinished line at the block's front
    for (;;) {
        const size_t got = std::fread(block.get() + kept, 1, kBlockSize - kept, file);
        const size_t end = kept + got;
        const std::string_view text(block.get(), end);
        size_t start = 0;
        for (size_t at = text.find('\n'); at != std::string_view::npos;
             at = text.find('\n', start)) {
            std::string_view line = text.substr(start, at - start);
            parse(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line, day, columns);
            start = at + 1;
        }
        if (got == 0) {
            parse(std::string_view(block.get() + start, end - start), day, columns);
            break;
        }
        kept = end - start;
        std::copy(block.get() + start, block.get() + end, block.get());
    }
    std::fclose(file);
    std::printf("%zu readings\n", columns.lat.size());
    return 0;
}

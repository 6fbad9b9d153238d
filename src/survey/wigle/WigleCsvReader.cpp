#include "survey/wigle/WigleCsvReader.h"

#include "platform/CsvBlockJoin.h"
#include "platform/CsvRecords.h"
#include "platform/FlatIndex.h"
#include "platform/OrderedPieces.h"
#include "platform/Windows1252.h"
#include "survey/BssidText.h"
#include "survey/StrongestReading.h"
#include "survey/SurveyTime.h"
#include "survey/wigle/WigleColumns.h"
#include "survey/wigle/WigleRow.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace wavemark {
namespace {

// A block of whole lines and the rows cutting it gave, cut as if it started
// with a row, as blocks nearly always do.
struct Block {
    std::string_view text;
    bool last = false;
    CsvCutStart start;
    std::vector<WigleRow> rows;
    // Names the tokenizer unquoted into its own memory, kept here: deque
    // elements stay where they are as it grows.
    std::deque<std::string> names;
    int64_t tooLong = 0;
    size_t unfinished = 0; // bytes at its end that the block after decides
    CsvCutStart end;       // how the block after starts
};

void cutRows(Block& block, std::string_view text, const CsvCutStart& start,
             const WigleColumns& columns, const CsvReadSizes& sizes) {
    block.rows.clear();
    block.names.clear();
    CsvRecords records(text, block.last, start, sizes);
    WigleRowReader reader;
    WigleRowFields fields;
    CsvRecord record;
    while (records.next(record)) {
        PickWigleFields(record, columns, fields);
        WigleRow row = reader.read(fields);
        // A quote that opens a field and never closes on its line is taken
        // to be part of the text, unless the lines it joins make a row.
        if (record.spansLines &&
            (row.kind == WigleRowKind::Malformed || row.kind == WigleRowKind::OutOfRange)) {
            records.splitFirstLinePlainly(record);
            PickWigleFields(record, columns, fields);
            row = reader.read(fields);
        }
        if (record.unquotedCopy) {
            row.ssid = block.names.emplace_back(row.ssid);
        }
        block.rows.push_back(row);
    }
    block.tooLong = records.tooLong();
    block.end = records.finishedAt(block.unfinished);
}

// What the rows of one MAC add up to so far.
struct Heard {
    int32_t group = 0;
    StrongestReading best;
    AuthClass auth;
    std::string ssid; // as the row writes it
};

class WigleRows {
public:
    explicit WigleRows(SurveySink& sink) : m_sink(sink), m_readings(sink.groupedReadings()) {}

    void take(const Block& block);
    // `tooLong`: lines too long to be rows, counted as malformed rows.
    void finish(int64_t tooLong);

private:
    void hear(const WigleRow& row);

    SurveySink& m_sink;
    Readings& m_readings;
    FlatIndex m_macs; // numbers the MACs in the order they are first met
    std::vector<Heard> m_heard;
    std::optional<FirstSeenMoment> m_latest;
    int64_t m_otherRadios = 0;
    int64_t m_malformed = 0;
    int64_t m_outOfRange = 0;
};

void WigleRows::take(const Block& block) {
    for (const WigleRow& row : block.rows) {
        switch (row.kind) {
        case WigleRowKind::Reading:
            hear(row);
            break;
        case WigleRowKind::OtherRadio:
            ++m_otherRadios;
            break;
        case WigleRowKind::Malformed:
            ++m_malformed;
            break;
        case WigleRowKind::OutOfRange:
            ++m_outOfRange;
            break;
        }
    }
}

void WigleRows::hear(const WigleRow& row) {
    // A row left out dates nothing.
    const int64_t time = row.moment.seconds();
    if (!m_latest || time > m_latest->seconds()) {
        m_latest = row.moment;
    }
    const auto next = static_cast<int32_t>(m_heard.size());
    const int32_t index = m_macs.insert(row.mac, next);
    if (index == next) {
        m_heard.emplace_back().group = m_sink.groupOf(BssidText(row.mac));
    }
    Heard& heard = m_heard[static_cast<size_t>(index)];
    // Blanks around a name are part of it: "Guest" and "Guest " are two
    // networks, and the name filter must see what the air carried.
    if (!row.ssid.empty() && row.ssid != heard.ssid) {
        heard.ssid.assign(row.ssid);
    }
    // The class is the waypoint's row's kind: the last row with a position,
    // or the last row while there is none.
    const bool placed = IsPosition(row.lat, row.lon);
    if (placed || !heard.best.positioned) {
        heard.auth = row.auth;
    }
    heard.best.hear(row.lat, row.lon, time, row.signal);
    if (placed) {
        m_readings.add(heard.group, row.lat, row.lon, time, row.signal, row.auth.protection);
    }
}

void WigleRows::finish(int64_t tooLong) {
    for (size_t i = 0; i < m_heard.size(); ++i) {
        const Heard& heard = m_heard[i];
        const std::string name = Utf8OrWindows1252(heard.ssid);
        const std::string bssid = BssidText(m_macs.keyOf(static_cast<int32_t>(i)));
        m_sink.accessPoint({.networkName = name,
                            .bssid = bssid,
                            .hasPosition = heard.best.positioned,
                            .lat = heard.best.lat,
                            .lon = heard.best.lon,
                            .time = heard.best.time,
                            .signal = heard.best.signal,
                            .protection = heard.auth.protection,
                            .adHoc = heard.auth.adHoc});
    }
    if (m_latest) {
        m_sink.logDate(CalendarDate(m_latest->day));
    }
    m_sink.leftOut("rows of radios other than Wi-Fi", m_otherRadios);
    m_sink.leftOut("malformed rows", m_malformed + tooLong);
    m_sink.leftOut("rows with coordinates out of range", m_outOfRange);
}

// The pre-header and the column line; the problem, and the line it is on,
// when they are not there.
SurveyProblem readHeader(CsvRecords& records, std::optional<WigleColumns>& columns) {
    CsvRecord record;
    if (!records.next(record)) {
        return {records.error(), records.error() == 0
                                     ? "Has no WigleWifi- line at its start (it holds no text)"
                                     : ""};
    }
    const std::string line = "line " + std::to_string(records.line());
    if (!IsWiglePreHeader(record)) {
        return {0, "Has no WigleWifi- line at its start (" + line +
                       " does not start with WigleWifi-)"};
    }
    if (!records.next(record)) {
        return {records.error(), records.error() == 0
                                     ? "Has no WiGLE column line (no text follows " + line + ")"
                                     : ""};
    }
    std::string_view missing;
    columns = FindWigleColumns(record, missing);
    if (!columns) {
        return {0, "Has no WiGLE column line (no " + std::string(missing) + " column in line " +
                       std::to_string(records.line()) + ")"};
    }
    return {};
}

} // namespace

// The file after its column line is read in blocks of whole lines, each cut
// into rows and read on this thread or a helper while later ones are read,
// and their rows are taken in file order. A block whose start the block
// before did not leave as a row's (a quoted field that spans the lines
// around it, a line too long to be a row) is cut again from where that one
// ended before its rows are taken.
SurveyProblem ReadWigleCsv(ByteStream& stream, SurveySink& sink, const CsvReadSizes& sizes) {
    CsvRecords records(stream, sizes);
    std::optional<WigleColumns> columns;
    if (SurveyProblem problem = readHeader(records, columns); !problem.none()) {
        return problem;
    }
    WigleRows rows(sink);
    int64_t tooLong = 0;
    CsvBlockJoin join;
    std::array<Block, kPiecesInFlight> blocks;
    OrderedPieces pieces(
        blocks.size(),
        [&](size_t slot) {
            cutRows(blocks[slot], blocks[slot].text, blocks[slot].start, *columns, sizes);
        },
        [&](size_t slot) {
            Block& block = blocks[slot];
            std::string_view text = block.text;
            if (CsvCutStart start; join.recut(text, start)) {
                cutRows(block, text, start, *columns, sizes);
            }
            rows.take(block);
            tooLong += block.tooLong;
            join.taken(text, block.unfinished, block.end);
        });
    // The blocks in flight, and the one being read.
    records.keepBlocks(blocks.size() + 1);
    bool sawLast = false;
    for (size_t slot = pieces.freeSlot(); !sawLast; slot = pieces.freeSlot()) {
        Block& block = blocks[slot];
        if (!records.nextBlock(block.text, block.last, block.start)) {
            return {records.error(), ""};
        }
        sawLast = block.last;
        pieces.add(block.text.size() >= kSplitMinimum);
    }
    pieces.finish();
    rows.finish(tooLong + records.tooLong());
    return {};
}

} // namespace wavemark

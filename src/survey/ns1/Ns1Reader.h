#pragma once

#include "platform/ByteStream.h"
#include "survey/SurveyFile.h"

#include <cstddef>

namespace wavemark {

// The bytes an NS1 log is read with at a time. Tests make it small (down to
// kNs1SmallestBlock), so that a small log meets the block edges a large one
// meets.
inline constexpr size_t kNs1BlockSize = size_t{1} << 20;
inline constexpr size_t kNs1SmallestBlock = 512;

// Reads NetStumbler's own log (file versions 1, 6, 8, 11 and 12) into
// `sink`, which holds no readings yet: the survey that converting the log's
// summary and text exports gives (see ns1/Ns1SurveyBuilder.h). A log that
// ends inside a record, or whose version is unknown, is a problem with a
// text that says where (the record, as a user counts them); a failed read
// one with its errno.
SurveyProblem ReadNs1(ByteStream& stream, SurveySink& sink, size_t blockSize = kNs1BlockSize);

} // namespace wavemark

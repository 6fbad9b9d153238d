#include "survey/kismet/KismetReader.h"

namespace wavemark {

// A build without SQLite and simdjson still tells a Kismet log by its first
// bytes, so the user learns why it is not read rather than that it is of no
// known kind.
SurveyProblem ReadKismetLog(ByteStream&, SurveySink&) {
    return {0, "Is a Kismet log, which this build cannot read"};
}

} // namespace wavemark

#include "KismetWriter.h"

namespace wavemark {

std::string writeKismetLog(const Survey&, const std::string&) {
    return "this build has no SQLite to write a Kismet log with";
}

} // namespace wavemark

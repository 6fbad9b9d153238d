#pragma once

#include "platform/HexDigits.h"
#include "survey/AccessPoint.h"

#include <cstdint>

namespace wavemark {

// NetStumbler writes an access point's flags as the 802.11 capability field
// in hex, four digits or more ("0011", "0431", "0061"), and readers of its
// files take the third and the fourth character of that text. The third
// digit holds the privacy bit 0x0010: odd is WEP, even is none. The fourth
// holds the IBSS bit 0x0002: ad-hoc where it is set. A character that is no
// hex digit tells neither.

// The protection the third flag digit tells, as a value 0..15 or -1.
inline Protection ProtectionOfFlagDigit(int digit) {
    return digit < 0 ? Protection::Unknown : (digit & 1) ? Protection::Protected : Protection::Open;
}

inline bool IsAdHocFlagDigit(int digit) {
    return digit >= 0 && (digit & 2) != 0;
}

// The same for the characters of an export's flag column.
inline Protection ProtectionOfFlagChar(char third) {
    return ProtectionOfFlagDigit(kHexDigitValue[static_cast<uint8_t>(third)]);
}

inline bool IsAdHocFlagChar(char fourth) {
    return IsAdHocFlagDigit(kHexDigitValue[static_cast<uint8_t>(fourth)]);
}

} // namespace wavemark

#pragma once

namespace wavemark {

// Where the logos and the About window's links lead, and what the links say.
inline constexpr const char* kSourceHomePage = "https://www.netstumbler.com/";
inline constexpr const char* kSourceHomePageText = "www.netstumbler.com";
inline constexpr const char* kTargetHomePage = "https://www.gpstm.com/";
inline constexpr const char* kTargetHomePageText = "www.gpstm.com";
// Set at configure time: cmake -DWAVEMARK_CONTACT_MAIL=...
extern const char* const kContactMail;

} // namespace wavemark

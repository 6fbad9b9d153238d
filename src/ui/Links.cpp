#include "ui/Links.h"

namespace wavemark {

const char* const kContactMail = WAVEMARK_CONTACT_MAIL;

} // namespace wavemark

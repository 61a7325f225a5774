#include "launch/deployment.h"

// The values come from the build (CMakeLists.txt); the fallbacks keep a build without them
// pointing nowhere real.
#ifndef DRAVIK_HOME_HOST
#define DRAVIK_HOME_HOST "www.example.org"
#endif
#ifndef DRAVIK_PAYMENT_HOST
#define DRAVIK_PAYMENT_HOST "payments.example.com"
#endif
#ifndef DRAVIK_PAYEE
#define DRAVIK_PAYEE "donate@example.org"
#endif
#ifndef DRAVIK_DEVELOPER
#define DRAVIK_DEVELOPER "Example Developer"
#endif
#ifndef DRAVIK_CONTACT
#define DRAVIK_CONTACT "me@example.org"
#endif
#ifndef DRAVIK_HOME_CAPTION
#define DRAVIK_HOME_CAPTION "www.example.org"
#endif

namespace launch::deployment {

const char* const kHomeHost = DRAVIK_HOME_HOST;
const char* const kPaymentHost = DRAVIK_PAYMENT_HOST;
const char* const kPayee = DRAVIK_PAYEE;
const char* const kDeveloper = DRAVIK_DEVELOPER;
const char* const kContact = DRAVIK_CONTACT;
const char* const kHomeCaption = DRAVIK_HOME_CAPTION;

}  // namespace launch::deployment

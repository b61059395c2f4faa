// The counter-stand card of a payment request: what a merchant prints and puts by the till.
// Its band takes the configuration's background and font colours (as the screens' headers do);
// its code is the request's payload (in tag-dictionary mode, the dictionary's payload completed
// with the request's amount and additional data); the amount is shown when the request has one
// above 0, as "USD 12.34"; the logos are the ones the QR screen shows.
//
// Thread-safety: main thread (it reads the session's configuration).
#ifndef ZELTO_SCREENS_POSTER_H_
#define ZELTO_SCREENS_POSTER_H_

#include <zelto/sdk/zelto_payment_request.h>

#include <optional>
#include <string>

#include "platform/print_document.h"

namespace zelto {

platform::PosterContent posterContent(const ZeltoPaymentRequest& request);

}  // namespace zelto

#endif  // ZELTO_SCREENS_POSTER_H_

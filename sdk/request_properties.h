// Stores a request property by its place in ZeltoPaymentRequest::properties(), for readers that
// have found the place and checked the value already. Internal to the library.
//
// Thread-safety: a request is used on one thread.
#ifndef ZELTO_SDK_REQUEST_PROPERTIES_H_
#define ZELTO_SDK_REQUEST_PROPERTIES_H_

#include <zelto/sdk/zelto_payment_request.h>

#include <cstddef>
#include <optional>
#include <string>

namespace zelto {

// What setProperty does with the name of property `index` and `value` when `value` holds no
// control character and is present or the property is optional, without checking either.
void assignProperty(ZeltoPaymentRequest& request, std::size_t index,
                    std::optional<std::string> value);

}  // namespace zelto

#endif  // ZELTO_SDK_REQUEST_PROPERTIES_H_

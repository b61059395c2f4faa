// The library's version symbols, with C linkage so that any host can read them.
#ifndef ZELTO_SDK_ZELTO_MERCHANT_SDK_VERSION_H_
#define ZELTO_SDK_ZELTO_MERCHANT_SDK_VERSION_H_

#include <zelto/export.h>

extern "C" {
// 1.0
ZELTO_EXPORT extern const double ZeltoMerchantSDKVersionNumber;
// "@(#)PROGRAM:ZeltoMerchantSDK  PROJECT:ZeltoSDK-1\n"
ZELTO_EXPORT extern const unsigned char ZeltoMerchantSDKVersionString[];
}

#endif  // ZELTO_SDK_ZELTO_MERCHANT_SDK_VERSION_H_

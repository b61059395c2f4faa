// The library's version symbols, with C linkage so that any host can read them.
#ifndef ZELTO_SDK_ZELTO_MERCHANT_SDK_VERSION_H_
#define ZELTO_SDK_ZELTO_MERCHANT_SDK_VERSION_H_

extern "C" {
// 1.0
extern const double ZeltoMerchantSDKVersionNumber;
// "@(#)PROGRAM:ZeltoMerchantSDK  PROJECT:ZeltoSDK-1\n"
extern const unsigned char ZeltoMerchantSDKVersionString[];
}

#endif  // ZELTO_SDK_ZELTO_MERCHANT_SDK_VERSION_H_

#include <zelto/sdk/zelto_merchant_sdk_version.h>

extern "C" {
const double ZeltoMerchantSDKVersionNumber = 1.0;
const unsigned char ZeltoMerchantSDKVersionString[] =
    "@(#)PROGRAM:ZeltoMerchantSDK  PROJECT:ZeltoSDK-1\n";
}

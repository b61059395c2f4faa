// A configuration read from JSON, so that every configurable behaviour can be set from a file:
//
//   {"backgroundColor": "#15195A", "fontColor": "#FFFFFF", "actionButtonColor": "#003EA9",
//    "actionButtonActiveColor": "#1869D6", "actionButtonFontColor": "#FFFFFF",
//    "textFieldStatusColor": "#15195A", "textCaretColor": "#15195A",
//    "paymerchantTimeOutInSeconds": 180, "withdrawCashTimeOutInSeconds": 180,
//    "payFriendTimeoutInSeconds": 180, "showWaitScreen": true,
//    "isFirstTimeTutorialEnabledForP2M": false, "isFirstTimeTutorialEnabledForP2P": false,
//    "isTLVValidationRequiredForP2M": false,
//    "issuerBackButton": "back@2x.png", "supportedNetworkImage": ["visa@3x.png", "amex.png"]}
//
// Members not named keep their defaults and go through the same setters as in code (a timeout
// below 1 becomes 180). Colours are six hexadecimal digits with an optional "#"; timeouts are
// whole numbers; images are paths of PNG files, relative ones read from `folder`, with the
// pixels a point taken from an "@2x" or "@3x" ending of the name (1 otherwise). An unknown
// member, a value of the wrong type or an image that cannot be read is an error naming it.
//
// Thread-safety: keeps no state.
#ifndef ZELTO_SDK_CONFIG_JSON_H_
#define ZELTO_SDK_CONFIG_JSON_H_

#include <zelto/sdk/zelto_config.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace zelto {

struct ConfigFromJson {
  std::optional<ZeltoConfig> config;  // absent when error is set
  std::string error;
};
ConfigFromJson configFromJson(const nlohmann::ordered_json& json,
                              const std::filesystem::path& folder);

}  // namespace zelto

#endif  // ZELTO_SDK_CONFIG_JSON_H_

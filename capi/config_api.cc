// The C interface to colours and the configuration: one reader and one writer per field.
#include <zelto/sdk/zelto_config.h>

#include <cmath>
#include <string>
#include <vector>

#include "capi/support.h"
#include "platform/png_codec.h"

namespace zelto::capi {
namespace {

platform::Color toColor(const zelto_color& color) {
  for (double component : {color.red, color.green, color.blue, color.alpha}) {
    if (!(component >= 0 && component <= 1)) {
      throw Failure{ZELTO_ERROR_INVALID_ARGUMENT, "colour components go from 0 to 1"};
    }
  }
  return {color.red, color.green, color.blue, color.alpha};
}

zelto_color fromColor(const platform::Color& color) {
  return {color.red, color.green, color.blue, color.alpha};
}

// A host's picture: `size` bytes of PNG at `png`, `scale` pixels a point.
platform::Image readImage(const unsigned char* png, std::size_t size, double scale,
                          const std::string& argument) {
  if (png == nullptr) throwNullArgument(argument);
  if (!(scale > 0) || !std::isfinite(scale)) {
    throw Failure{ZELTO_ERROR_INVALID_ARGUMENT, "scale must be finite and above 0"};
  }
  auto image = platform::pngImage(
      "host_image", std::string_view(reinterpret_cast<const char*>(png), size), scale);
  if (!image) throw Failure{ZELTO_ERROR_INVALID_ARGUMENT, argument + " is not a PNG picture"};
  return std::move(*image);
}

// Hands a copy of the picture's bytes to the caller (NULL and 0 for an empty image).
void handOverImage(const platform::Image& image, unsigned char*& png, std::size_t& size) {
  const std::string_view bytes = image.bytes();
  if (bytes.empty()) return;
  png = copyBytes(bytes);
  size = bytes.size();
}

}  // namespace
}  // namespace zelto::capi

using namespace zelto;
using namespace zelto::capi;

extern "C" {

zelto_status zelto_color_from_hex(const char* hex, zelto_color* color, char** message) {
  return run(message, output(color, "color"), [&](zelto_color& out) {
    out = fromColor(platform::Color::fromHex(readText(hex, "hex")));
    return Outcome{};
  });
}

zelto_status zelto_config_init(zelto_config** config, char** message) {
  return run(message, output(config, "config"), [&](zelto_config*& out) {
    requireMainThread();
    out = create<zelto_config>(ZeltoConfig());
    return Outcome{};
  });
}

zelto_status zelto_config_deep_copy(const zelto_config* config, zelto_config** copy,
                                    char** message) {
  return run(message, output(copy, "copy"), [&](zelto_config*& out) {
    requireMainThread();
    out = create<zelto_config>(*use(config, "config").value.deepCopy());
    return Outcome{};
  });
}

zelto_status zelto_config_release(zelto_config* config) { return releaseOnMainThread(config); }

// One reader and one writer per field; GET reads from `source`, SET writes `value` to `target`.
#define ZELTO_CONFIG_ACCESSORS(type, name, GET, SET)                                          \
  zelto_status zelto_config_##name(const zelto_config* config, type* value, char** message) { \
    return run(message, output(value, "value"), [&](type& out) {                              \
      requireMainThread();                                                                    \
      const ZeltoConfig& source = use(config, "config").value;                                \
      out = GET;                                                                              \
      return Outcome{};                                                                       \
    });                                                                                       \
  }                                                                                           \
  zelto_status zelto_config_set_##name(zelto_config* config, type value, char** message) {    \
    return run(message, [&] {                                                                 \
      requireMainThread();                                                                    \
      ZeltoConfig& target = use(config, "config").value;                                      \
      SET;                                                                                    \
      return Outcome{};                                                                       \
    });                                                                                       \
  }

ZELTO_CONFIG_ACCESSORS(bool, is_first_time_tutorial_enabled_for_p2m,
                       source.isFirstTimeTutorialEnabledForP2M,
                       target.isFirstTimeTutorialEnabledForP2M = value)
ZELTO_CONFIG_ACCESSORS(bool, is_tlv_validation_required_for_p2m,
                       source.isTLVValidationRequiredForP2M(),
                       target.setIsTLVValidationRequiredForP2M(value))
ZELTO_CONFIG_ACCESSORS(bool, show_wait_screen, source.showWaitScreen, target.showWaitScreen = value)
ZELTO_CONFIG_ACCESSORS(int, paymerchant_time_out_in_seconds, source.paymerchantTimeOutInSeconds(),
                       target.setPaymerchantTimeOutInSeconds(value))
ZELTO_CONFIG_ACCESSORS(int, withdraw_cash_time_out_in_seconds,
                       source.withdrawCashTimeOutInSeconds(),
                       target.setWithdrawCashTimeOutInSeconds(value))
ZELTO_CONFIG_ACCESSORS(zelto_color, background_color, fromColor(source.backgroundColor),
                       target.backgroundColor = toColor(value))
ZELTO_CONFIG_ACCESSORS(zelto_color, text_field_status_color,
                       fromColor(source.textFieldStatusColor()),
                       target.setTextFieldStatusColor(toColor(value)))
ZELTO_CONFIG_ACCESSORS(zelto_color, text_caret_color, fromColor(source.textCaretColor()),
                       target.setTextCaretColor(toColor(value)))
ZELTO_CONFIG_ACCESSORS(zelto_color, font_color, fromColor(source.fontColor),
                       target.fontColor = toColor(value))
ZELTO_CONFIG_ACCESSORS(zelto_color, action_button_color, fromColor(source.actionButtonColor),
                       target.actionButtonColor = toColor(value))
ZELTO_CONFIG_ACCESSORS(zelto_color, action_button_active_color,
                       fromColor(source.actionButtonActiveColor),
                       target.actionButtonActiveColor = toColor(value))
ZELTO_CONFIG_ACCESSORS(zelto_color, action_button_font_color,
                       fromColor(source.actionButtonFontColor),
                       target.actionButtonFontColor = toColor(value))
ZELTO_CONFIG_ACCESSORS(bool, is_first_time_tutorial_enabled_for_p2p,
                       source.isFirstTimeTutorialEnabledForP2P,
                       target.isFirstTimeTutorialEnabledForP2P = value)
ZELTO_CONFIG_ACCESSORS(int, pay_friend_timeout_in_seconds, source.payFriendTimeoutInSeconds(),
                       target.setPayFriendTimeoutInSeconds(value))
#undef ZELTO_CONFIG_ACCESSORS

zelto_status zelto_config_issuer_back_button(const zelto_config* config, unsigned char** png,
                                             size_t* size, char** message) {
  return run(message, output(png, "png"), output(size, "size"),
             [&](unsigned char*& outPng, size_t& outSize) {
               requireMainThread();
               handOverImage(use(config, "config").value.issuerBackButton, outPng, outSize);
               return Outcome{};
             });
}

zelto_status zelto_config_set_issuer_back_button(zelto_config* config, const unsigned char* png,
                                                 size_t size, double scale, char** message) {
  return run(message, [&] {
    requireMainThread();
    ZeltoConfig& target = use(config, "config").value;
    target.issuerBackButton = readImage(png, size, scale, "png");
    return Outcome{};
  });
}

zelto_status zelto_config_supported_network_image_count(const zelto_config* config, size_t* count,
                                                        bool* present, char** message) {
  return run(message, output(count, "count"), output(present, "present"),
             [&](size_t& outCount, bool& outPresent) {
               requireMainThread();
               const auto& images = use(config, "config").value.supportedNetworkImage;
               outPresent = images.has_value();
               outCount = images ? images->size() : 0;
               return Outcome{};
             });
}

zelto_status zelto_config_supported_network_image_at(const zelto_config* config, size_t index,
                                                     unsigned char** png, size_t* size,
                                                     char** message) {
  return run(message, output(png, "png"), output(size, "size"),
             [&](unsigned char*& outPng, size_t& outSize) {
               requireMainThread();
               const auto& images = use(config, "config").value.supportedNetworkImage;
               const std::size_t count = images ? images->size() : 0;
               if (index >= count) {
                 throw Failure{ZELTO_ERROR_INVALID_ARGUMENT,
                               "index " + std::to_string(index) + " is past the last of " +
                                   std::to_string(count) + " network images"};
               }
               handOverImage((*images)[index], outPng, outSize);
               return Outcome{};
             });
}

zelto_status zelto_config_set_supported_network_image(zelto_config* config,
                                                      const unsigned char* const* pngs,
                                                      const size_t* sizes, size_t count,
                                                      double scale, char** message) {
  return run(message, [&] {
    requireMainThread();
    ZeltoConfig& target = use(config, "config").value;
    if (pngs == nullptr) {
      if (count > 0) throwNullArgument("pngs");
      target.supportedNetworkImage.reset();
      return Outcome{};
    }
    if (sizes == nullptr) throwNullArgument("sizes");
    std::vector<platform::Image> images;
    images.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
      images.push_back(readImage(pngs[i], sizes[i], scale, "pngs[" + std::to_string(i) + "]"));
    }
    target.supportedNetworkImage = std::move(images);
    return Outcome{};
  });
}

}  // extern "C"

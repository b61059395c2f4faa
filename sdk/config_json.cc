#include "sdk/config_json.h"

#include <functional>
#include <map>
#include <string_view>

#include "base/file_input.h"
#include "platform/png_codec.h"

namespace zelto {
namespace {

using Json = nlohmann::ordered_json;

std::string inQuotes(std::string_view key) { return "\"" + std::string(key) + "\""; }

struct Reader {
  const std::filesystem::path& folder;
  std::string error;

  bool fail(std::string_view key, std::string_view what) {
    error = inQuotes(key) + " " + std::string(what);
    return false;
  }

  std::optional<platform::Color> color(std::string_view key, const Json& value) {
    std::string text = value.is_string() ? value.get<std::string>() : "";
    if (!text.empty() && text[0] == '#') text.erase(0, 1);
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
      fail(key, "must be a colour of six hexadecimal digits, as \"#15195A\"");
      return std::nullopt;
    }
    return platform::Color::fromHex(text);
  }

  std::optional<platform::Image> image(std::string_view key, const Json& value) {
    if (!value.is_string() || value.get<std::string>().empty()) {
      fail(key, "must be the path of a PNG file");
      return std::nullopt;
    }
    const std::filesystem::path path = folder / value.get<std::string>();
    const files::Contents bytes = files::readFile(path.string());
    if (!bytes.text) {
      fail(key, "is not a readable file: " + bytes.error);
      return std::nullopt;
    }
    const std::string stem = path.stem().string();
    const double scale = stem.ends_with("@3x") ? 3 : stem.ends_with("@2x") ? 2 : 1;
    auto picture = platform::pngImage(stem, *bytes.text, scale);
    if (!picture) fail(key, "names " + path.string() + ", which is not a readable PNG file");
    return picture;
  }
};

using Apply = std::function<bool(Reader&, std::string_view, const Json&, ZeltoConfig&)>;

Apply colorMember(platform::Color ZeltoConfig::*member) {
  return [member](Reader& reader, std::string_view key, const Json& value, ZeltoConfig& config) {
    const auto color = reader.color(key, value);
    if (color) config.*member = *color;
    return color.has_value();
  };
}

Apply colorSetter(void (ZeltoConfig::*setter)(platform::Color)) {
  return [setter](Reader& reader, std::string_view key, const Json& value, ZeltoConfig& config) {
    const auto color = reader.color(key, value);
    if (color) (config.*setter)(*color);
    return color.has_value();
  };
}

Apply flag(std::function<void(ZeltoConfig&, bool)> set) {
  return [set](Reader& reader, std::string_view key, const Json& value, ZeltoConfig& config) {
    if (!value.is_boolean()) return reader.fail(key, "must be true or false");
    set(config, value.get<bool>());
    return true;
  };
}

Apply timeout(void (ZeltoConfig::*setter)(int)) {
  return [setter](Reader& reader, std::string_view key, const Json& value, ZeltoConfig& config) {
    if (!value.is_number_integer() || value.get<std::int64_t>() < -1'000'000'000 ||
        value.get<std::int64_t>() > 1'000'000'000) {
      return reader.fail(key, "must be a whole number of seconds");
    }
    (config.*setter)(static_cast<int>(value.get<std::int64_t>()));
    return true;
  };
}

const std::map<std::string, Apply, std::less<>>& members() {
  static const std::map<std::string, Apply, std::less<>> table = {
      {"backgroundColor", colorMember(&ZeltoConfig::backgroundColor)},
      {"fontColor", colorMember(&ZeltoConfig::fontColor)},
      {"actionButtonColor", colorMember(&ZeltoConfig::actionButtonColor)},
      {"actionButtonActiveColor", colorMember(&ZeltoConfig::actionButtonActiveColor)},
      {"actionButtonFontColor", colorMember(&ZeltoConfig::actionButtonFontColor)},
      {"textFieldStatusColor", colorSetter(&ZeltoConfig::setTextFieldStatusColor)},
      {"textCaretColor", colorSetter(&ZeltoConfig::setTextCaretColor)},
      {"paymerchantTimeOutInSeconds", timeout(&ZeltoConfig::setPaymerchantTimeOutInSeconds)},
      {"withdrawCashTimeOutInSeconds", timeout(&ZeltoConfig::setWithdrawCashTimeOutInSeconds)},
      {"payFriendTimeoutInSeconds", timeout(&ZeltoConfig::setPayFriendTimeoutInSeconds)},
      {"showWaitScreen", flag([](ZeltoConfig& c, bool on) { c.showWaitScreen = on; })},
      {"isFirstTimeTutorialEnabledForP2M",
       flag([](ZeltoConfig& c, bool on) { c.isFirstTimeTutorialEnabledForP2M = on; })},
      {"isFirstTimeTutorialEnabledForP2P",
       flag([](ZeltoConfig& c, bool on) { c.isFirstTimeTutorialEnabledForP2P = on; })},
      {"isTLVValidationRequiredForP2M",
       flag([](ZeltoConfig& c, bool on) { c.setIsTLVValidationRequiredForP2M(on); })},
      {"issuerBackButton",
       [](Reader& reader, std::string_view key, const Json& value, ZeltoConfig& config) {
         auto picture = reader.image(key, value);
         if (picture) config.issuerBackButton = std::move(*picture);
         return picture.has_value();
       }},
      {"supportedNetworkImage",
       [](Reader& reader, std::string_view key, const Json& value, ZeltoConfig& config) {
         if (!value.is_array()) return reader.fail(key, "must be an array of PNG file paths");
         std::vector<platform::Image> images;
         for (const Json& path : value) {
           auto picture = reader.image(key, path);
           if (!picture) return false;
           images.push_back(std::move(*picture));
         }
         config.supportedNetworkImage = std::move(images);
         return true;
       }},
  };
  return table;
}

}  // namespace

ConfigFromJson configFromJson(const nlohmann::ordered_json& json,
                              const std::filesystem::path& folder) {
  if (!json.is_object()) return {std::nullopt, "expected a JSON object of configuration fields"};
  Reader reader{folder, ""};
  ZeltoConfig config;
  for (const auto& [key, value] : json.items()) {
    const auto member = members().find(key);
    if (member == members().end()) {
      return {std::nullopt, "unknown configuration field " + inQuotes(key)};
    }
    if (!member->second(reader, key, value, config)) return {std::nullopt, reader.error};
  }
  return {std::move(config), ""};
}

}  // namespace zelto

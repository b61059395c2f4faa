// zelto app: the flows in a desktop window a person can use. A host screen of our own offers the
// request-payment flow (from the request's fields or from a tag dictionary) and the refund flow
// with the demo merchant, or with the requests given as files; what each flow reports is shown
// on the host screen when it ends. See host/app_host.h and platform/sdl/display.h.
#include <zelto/payload/tag_dictionary.h>
#include <zelto/sdk/zelto_merchant_sdk.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "host/app_host.h"
#include "host/demo_merchant.h"
#include "host/inputs.h"
#include "platform/sdl/display.h"
#include "sdk/config_json.h"
#include "sdk/request_json.h"
#include "sdk/session.h"
#include "tools/command.h"

namespace zelto::tool {
namespace {

struct AppOptions {
  std::string size = "375x667";
  std::string requestFile;
  std::string tagsFile;
  std::string refundFile;
  std::string configFile;
  bool check = false;
};

// "WxH" in whole points, each side from 200 to 4000.
std::optional<platform::Size> parseSize(const std::string& text) {
  int width = 0;
  int height = 0;
  char x = 0;
  char extra = 0;
  if (std::sscanf(text.c_str(), "%d%c%d%c", &width, &x, &height, &extra) != 3 || x != 'x' ||
      width < 200 || height < 200 || width > 4000 || height > 4000) {
    return std::nullopt;
  }
  return platform::Size{static_cast<double>(width), static_cast<double>(height)};
}

// The requests the buttons launch: the demo's, or those read from the files given. Each file is
// read once, here, so a mistake in one is reported before the window opens.
struct LoadedRequests {
  host::AppRequests requests;
  std::string error;
};

LoadedRequests loadRequests(const AppOptions& options) {
  LoadedRequests loaded{{host::demoMerchant, host::demoMerchantTags, host::demoRefund}, ""};
  if (!options.requestFile.empty()) {
    const host::JsonInput input = host::readJson(options.requestFile);
    if (!input.json) return {{}, input.error};
    if (PaymentRequestFromJson parsed = paymentRequestFromJson(*input.json); !parsed.request) {
      return {{}, options.requestFile + ": " + parsed.error};
    }
    loaded.requests.request = [json = *input.json] { return paymentRequestFromJson(json).request; };
  }
  if (!options.tagsFile.empty()) {
    const host::JsonInput input = host::readJson(options.tagsFile);
    if (!input.json) return {{}, input.error};
    TagDictionaryFromJson tags = tagDictionaryFromJson(*input.json);
    if (!tags.dictionary) return {{}, options.tagsFile + ": " + tags.error};
    loaded.requests.tags = [dictionary = std::move(*tags.dictionary)] { return dictionary; };
  }
  if (!options.refundFile.empty()) {
    const host::JsonInput input = host::readJson(options.refundFile);
    if (!input.json) return {{}, input.error};
    if (RefundRequestFromJson parsed = refundRequestFromJson(*input.json); !parsed.request) {
      return {{}, options.refundFile + ": " + parsed.error};
    }
    loaded.requests.refund = [json = *input.json] { return refundRequestFromJson(json).request; };
  }
  return loaded;
}

int runApp(const AppOptions& options) {
  const auto size = parseSize(options.size);
  if (!size) return fail("--size takes WIDTHxHEIGHT in points from 200 to 4000, such as 375x667");
  LoadedRequests loaded = loadRequests(options);
  if (!loaded.error.empty()) return fail(loaded.error);
  if (!options.configFile.empty()) {
    const host::JsonInput input = host::readJson(options.configFile);
    if (!input.json) return fail(input.error);
    const ConfigFromJson read =
        configFromJson(*input.json, std::filesystem::path(options.configFile).parent_path());
    if (!read.config) return fail(options.configFile + ": " + read.error);
    ZeltoMerchantSDK::setupOneTimeConfiguration(*read.config);
  }

  auto opened = platform::sdl::Display::open({*size, "Zelto merchant"});
  if (!opened.display) return fail(opened.error);
  if (options.check) return 0;
  auto& display = *opened.display;
  host::AppHost host(std::move(loaded.requests), [&display](const std::string& message) {
    std::cout << message << std::endl;
    display.setTitle("Zelto merchant: " + message.substr(0, message.find('\n')));
  });
  display.show(host.window());
  display.show(ZeltoSession::sharedSession().sdkWindow);

  // A request given on the command line is launched at once.
  if (!options.requestFile.empty()) {
    host.launchRequestPayment();
  } else if (!options.tagsFile.empty()) {
    host.launchRequestPaymentFromTags();
  } else if (!options.refundFile.empty()) {
    host.launchRefund();
  }
  display.run([&host, &display] {
    if (host.update()) display.setNeedsDisplay();
    return false;
  });
  return 0;
}

const CommandRegistrar registrar(
    "app", "Open a window with the flows of the demo merchant, to click and type into",
    [](CLI::App& command) -> std::function<int()> {
      auto options = std::make_shared<AppOptions>();
      command.add_option("--size", options->size,
                         "The phone screen in points, WIDTHxHEIGHT (default 375x667)");
      command.add_option("--request", options->requestFile,
                         "Launch the request-payment flow with the request in FILE (JSON of "
                         "request properties); the button launches it too");
      command.add_option("--tags", options->tagsFile,
                         "Launch the request-payment flow with the merchant tag dictionary in "
                         "FILE (JSON); the button launches it too");
      command.add_option("--refund", options->refundFile,
                         "Launch the refund flow with the refund in FILE (JSON with last4, "
                         "cardHolderName, currencyCode, refundAmount); the button launches it too");
      addLanguageOption(command);
      command.add_option("--config", options->configFile,
                         "Configure the library from FILE (JSON of colours, timeouts and PNG "
                         "paths of the back button and network logos) before any flow");
      command.add_flag("--check", options->check,
                       "Only check that a window can be opened (exit 0) or not (exit 2)");
      return [options] { return runApp(*options); };
    });

}  // namespace
}  // namespace zelto::tool

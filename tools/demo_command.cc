// zelto demo [--out DIR]: the main job. A host application launches the request-payment flow
// with the built-in demo merchant and shows a person what the library does: the merchant's QR
// code in the terminal and as drawn screens, the share image, then the payment details screen
// (an amount typed digit by digit, one additional field typed and one left for the customer,
// "UPDATE") and the new code. The screens are driven as a merchant would, through their
// accessibility identifiers; time passes on the manual clock, so the output never depends on the
// machine's speed.
#include <unistd.h>
#include <zelto/sdk/zelto_merchant_sdk.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "host/demo_merchant.h"
#include "host/host_session.h"
#include "host/ui_driver.h"
#include "platform/activity_view_controller.h"
#include "platform/navigation_controller.h"
#include "platform/qr_code.h"
#include "platform/renderer.h"
#include "platform/view.h"
#include "platform/window.h"
#include "screens/qr_screen.h"
#include "sdk/session.h"
#include "tools/command.h"
#include "tools/terminal_qr.h"

namespace zelto::tool {
namespace {

namespace fs = std::filesystem;

// What the demo merchant types on the details screen.
constexpr std::string_view kAmountKeys = "25000";
constexpr std::string_view kBillNumber = "INV-1001";

// Writes the first image a share sheet hands over to `path`.
class FileSharer final : public platform::ShareHandler {
 public:
  explicit FileSharer(std::string path) : path_(std::move(path)) {}

  platform::ShareResult share(const std::vector<platform::Image>& items,
                              const std::vector<platform::ActivityType>&) override {
    if (items.empty() || platform::writeImage(items.front(), path_)) return {};
    written = true;
    return {true, platform::ActivityType::kSaveToCameraRoll};
  }

  bool written = false;

 private:
  std::string path_;
};

class Demo {
 public:
  Demo(fs::path folder, bool color) : folder_(std::move(folder)), color_(color) {}

  int run() {
    hostWindow_->makeKeyAndVisible();
    // The merchant alone: the amount and the additional data are set on the details screen.
    const auto request = host::demoMerchant();
    request->transactionAmount.reset();
    request->billID.reset();
    request->terminalID.reset();
    std::cout << "ZeltoMerchantSDK demo: a host application takes a payment by QR code\n\n"
              << "Merchant: " << request->merchantName << ", " << request->cityName << " ("
              << request->countryCode << ")\n";
    std::string refused;
    ZeltoMerchantSDK::launchRequestPaymentFlow(
        request,
        [&](bool, std::shared_ptr<ZeltoRequestPaymentResponse>, std::shared_ptr<ZeltoError> error) {
          refused = error ? error->description() : "no reason given";
        });
    host::letTransitionsFinish();
    if (!refused.empty()) return fail("the demo request was refused: " + refused);

    std::cout << "\nThe QR code on the merchant's screen (scan it with a phone):\n\n";
    if (!printCode()) return kUsageError;
    if (!snapshot("1-qr-screen.png", "QR screen")) return kUsageError;
    if (!share("2-share-image.png")) return kUsageError;

    std::cout << "\nPayment details: the merchant sets the amount and the additional data\n";
    if (!drive(host::tap(window(), "Payment_Details_Button"), "open the payment details")) {
      return kUsageError;
    }
    if (!typeAmount()) return kUsageError;
    if (!drive(host::toggleSwitch(window(), "Bill_Number_Switch"), "switch on Bill Number") ||
        !drive(host::typeText(window(), "Bill_Number_Field", kBillNumber).status,
               "type the bill number")) {
      return kUsageError;
    }
    std::cout << "  Bill Number: " << kBillNumber << " (typed)\n";
    if (!drive(host::toggleSwitch(window(), "Terminal_ID_Switch"), "switch on Terminal ID")) {
      return kUsageError;
    }
    std::cout << "  Terminal ID: left empty, so the code carries \"***\" and the customer's app "
                 "asks for it\n";
    if (!snapshot("3-payment-details.png", "Payment details")) return kUsageError;
    if (!drive(host::tap(window(), "Update_Payment_Details_Button"), "press UPDATE")) {
      return kUsageError;
    }
    std::cout << "  UPDATE: written back to the host's request (amount "
              << request->transactionAmount.value_or("none") << ", bill number "
              << request->billID.value_or("none") << ", terminal ID "
              << request->terminalID.value_or("none") << ")\n";

    std::cout << "\nThe new QR code, with the amount and the additional data:\n\n";
    if (!printCode()) return kUsageError;
    if (const auto amount = host::findView(window(), "Amount_Label")) {
      if (const auto label = std::dynamic_pointer_cast<platform::Label>(amount)) {
        std::cout << "Amount under the code: " << label->text << '\n';
      }
    }
    if (!snapshot("4-qr-screen-updated.png", "QR screen")) return kUsageError;

    bool ended = false;
    ZeltoMerchantSDK::endZeltoFlow([&] { ended = true; });
    host::letTransitionsFinish();
    if (!ended || !hostWindow_->isKeyWindow()) return fail("the flow did not end");
    std::cout << "\nFlow ended: the library's window slid away and the host's window is in "
                 "front again.\n";
    return 0;
  }

 private:
  platform::Window& window() { return *ZeltoSession::sharedSession().sdkWindow; }

  bool drive(host::DriveResult result, std::string_view what) {
    if (result == host::DriveResult::kDone) {
      host::letTransitionsFinish();
      return true;
    }
    fail("the demo could not " + std::string(what) + ": " + std::string(host::describe(result)));
    return false;
  }

  // The code the QR screen holds now, in the terminal, with its payload.
  bool printCode() {
    const auto nav =
        std::dynamic_pointer_cast<platform::NavigationController>(window().rootViewController());
    const auto screen = std::dynamic_pointer_cast<ZELTORequestPaymentViewController>(
        nav ? nav->topViewController() : nullptr);
    if (!screen || !screen->qrCodeTlv()) {
      fail("the request-payment screen is not showing");
      return false;
    }
    const std::string& payload = *screen->qrCodeTlv();
    const auto symbol = platform::qrCodeModules(payload);
    if (!symbol) {
      fail("the payload does not fit in a QR code");
      return false;
    }
    std::cout << halfBlockSymbol(
                     symbol->side, [&](int x, int y) { return symbol->isDark(x, y); }, color_)
              << "\nPayload: " << payload << '\n';
    return true;
  }

  bool typeAmount() {
    std::cout << "  Amount, typed digit by digit:";
    for (const char key : kAmountKeys) {
      const auto typed = host::typeText(window(), "Amount_Field", std::string(1, key));
      if (!drive(typed.status, "type the amount")) return false;
      const auto field =
          std::dynamic_pointer_cast<platform::TextField>(host::findView(window(), "Amount_Field"));
      std::cout << "  " << (field ? field->text : "?");
    }
    std::cout << '\n';
    return true;
  }

  bool snapshot(const std::string& name, std::string_view what) {
    const std::string path = (folder_ / name).string();
    if (const auto error = platform::writeImage(platform::renderWindow(window()), path)) {
      fail(*error);
      return false;
    }
    std::cout << what << ": " << path << '\n';
    return true;
  }

  // Through the share button and the share sheet, as a merchant saves the code.
  bool share(const std::string& name) {
    const std::string path = (folder_ / name).string();
    const auto sharer = std::make_shared<FileSharer>(path);
    platform::setShareHandler(sharer);
    const bool tapped = drive(host::tap(window(), "Save_To_Gallery_Button"), "share the code");
    platform::setShareHandler(nullptr);
    if (!tapped) return false;
    if (!sharer->written) {
      fail("the share image could not be written to " + path);
      return false;
    }
    std::cout << "Share image: " << path << '\n';
    return true;
  }

  fs::path folder_;
  bool color_;
  std::shared_ptr<platform::Window> hostWindow_ = std::make_shared<platform::Window>();
};

int runDemo(const std::string& out) {
  std::error_code error;
  fs::create_directories(out, error);
  if (error) return fail("cannot create " + out + ": " + error.message());
  const bool color = isatty(STDOUT_FILENO) && std::getenv("NO_COLOR") == nullptr;
  return Demo(out, color).run();
}

const CommandRegistrar registrar(
    "demo",
    "Show what the library does: the demo merchant's QR code, its screens as PNG files, the "
    "payment details and the updated code",
    [](CLI::App& command) -> std::function<int()> {
      auto out = std::make_shared<std::string>("zelto-demo");
      addLanguageOption(command);
      command.add_option("--out", *out, "Folder for the PNG files (created when missing)")
          ->capture_default_str();
      command.footer(
          "The QR codes are printed black on white in a terminal (NO_COLOR=1 prints them in the\n"
          "terminal's own colours).");
      return [out]() { return runDemo(*out); };
    });

}  // namespace
}  // namespace zelto::tool

// The request-payment screens driven as a merchant drives them: by accessibility identifier,
// through the library's window, with time passing only on the manual clock.
#ifndef ZELTO_TESTS_SCREENS_SCREEN_FIXTURE_H_
#define ZELTO_TESTS_SCREENS_SCREEN_FIXTURE_H_

#include <memory>
#include <string>
#include <string_view>

#include "host/ui_driver.h"
#include "platform/controls.h"
#include "screens/details_screen.h"
#include "screens/qr_screen.h"
#include "tests/sdk/flow_fixture.h"

namespace zelto::testing {

class ScreensTest : public FlowTest {
 protected:
  // A valid request in US dollars, without amount or additional data.
  static std::shared_ptr<ZeltoPaymentRequest> dollarRequest() {
    auto request = validPayment();
    request->currencyCode = "840";
    request->countryCode = "US";
    return request;
  }

  // Launches the request-payment flow and lets the window slide in.
  std::shared_ptr<ZeltoPaymentRequest> launch(
      std::shared_ptr<ZeltoPaymentRequest> request = dollarRequest()) {
    ZeltoMerchantSDK::launchRequestPaymentFlow(request, recorder.handler());
    loop().runFor(kSettle);
    return request;
  }

  static platform::Window& window() { return *session().sdkWindow; }
  static std::shared_ptr<ZELTORequestPaymentViewController> qrScreen() {
    const auto navigation = flowNavigation();
    if (!navigation || navigation->viewControllers().empty()) return nullptr;
    return std::dynamic_pointer_cast<ZELTORequestPaymentViewController>(
        navigation->viewControllers().front());
  }
  static std::shared_ptr<ZELTORequestPaymentDetailsViewController> detailsScreen() {
    const auto navigation = flowNavigation();
    return navigation ? std::dynamic_pointer_cast<ZELTORequestPaymentDetailsViewController>(
                            navigation->topViewController())
                      : nullptr;
  }
  static void openDetails() {
    ASSERT_EQ(tapAndSettle("Payment_Details_Button"), host::DriveResult::kDone);
    ASSERT_NE(detailsScreen(), nullptr);
  }

  static host::KeysResult type(std::string_view id, std::string_view text) {
    return host::typeText(window(), id, text);
  }
  static host::KeysResult erase(std::string_view id, std::size_t count) {
    return host::deleteBackward(window(), id, count);
  }
  static host::DriveResult toggle(std::string_view id) { return host::toggleSwitch(window(), id); }
  template <typename View>
  static std::shared_ptr<View> find(std::string_view id) {
    return std::dynamic_pointer_cast<View>(host::findView(window(), id));
  }
  static bool updateEnabled() {
    const auto button = find<platform::Button>("Update_Payment_Details_Button");
    return button && button->isInteractive();
  }

  Recorder recorder;
};

}  // namespace zelto::testing

#endif  // ZELTO_TESTS_SCREENS_SCREEN_FIXTURE_H_

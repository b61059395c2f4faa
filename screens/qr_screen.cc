#include "screens/qr_screen.h"

#include <algorithm>
#include <cmath>

#include "base/text.h"
#include "kit/kit_bundle.h"
#include "kit/kit_theme.h"
#include "platform/activity_view_controller.h"
#include "platform/navigation_controller.h"
#include "platform/renderer.h"
#include "platform/window.h"
#include "screens/details_screen.h"
#include "sdk/session.h"
#include "sdk/tlv_map_parser.h"
#include "sdk/utilities.h"

namespace zelto {
namespace {

constexpr double kMargin = 16;
constexpr double kScanHeight = 22;
constexpr double kArrowHeight = 16;
constexpr double kNameHeight = 26;
constexpr double kCityHeight = 20;
constexpr double kAmountHeight = 28;
constexpr double kDetailHeight = 18;
// The top of the screen the phone keeps for its status bar; the share image leaves it out.
constexpr double kSafeAreaTop = 20;

std::shared_ptr<platform::Label> makeLabel(platform::View& parent, std::string identifier,
                                           platform::Font font, platform::Color color) {
  auto label = std::make_shared<platform::Label>();
  label->accessibilityIdentifier = std::move(identifier);
  label->font = font;
  label->textColor = color;
  label->textAlignment = platform::TextAlignment::kCenter;
  label->adjustsFontSizeToFitWidth = true;
  label->minimumScaleFactor = 0.6;
  parent.addSubview(label);
  return label;
}

}  // namespace

const std::optional<std::string>& ZELTORequestPaymentViewController::qrCodeTlv() const {
  static const std::optional<std::string> kNone;
  return qrImageCellView ? qrImageCellView->qrCodeTlv : kNone;
}

void ZELTORequestPaymentViewController::viewDidLoad() {
  ZeltoBaseViewController::viewDidLoad();
  navigationItem().title = KitBundle::string("REQUEST_PAYMENT_TITLE");
  auto& root = *view();
  root.backgroundColor = platform::Color::white();
  const std::weak_ptr<platform::ViewController> weakSelf = weak_from_this();
  const auto screen = [weakSelf] {
    return std::static_pointer_cast<ZELTORequestPaymentViewController>(weakSelf.lock());
  };

  scanToPayLabel = makeLabel(root, "Scan_To_Pay_Label",
                             platform::Font::systemFont(17, platform::FontWeight::kSemibold),
                             platform::Color::fromHex("#1D2A59"));
  scanToPayLabel->text = KitBundle::string("SCAN_TO_PAY_TITLE");

  arrowImageView = std::make_shared<platform::ImageView>();
  arrowImageView->image = KitBundle::image("zelto_sdk_icon_chevron_down");
  arrowImageView->contentMode = platform::ContentMode::kScaleAspectFit;
  arrowImageView->tintColor = platform::Color::fromHex("#1D2A59");
  arrowImageView->accessibilityIdentifier = "Arrow_Image";
  root.addSubview(arrowImageView);

  qrImageCellView = std::make_shared<ZELTOQrImageCellView>();
  root.addSubview(qrImageCellView);
  qrImageCellView->setupView();

  supportedNetwork = std::make_shared<ZELTOSupportedNetwork>(
      ZeltoSession::sharedSession().internalConfiguration()->supportedNetworkImage.value_or(
          std::vector<platform::Image>{}));
  root.addSubview(supportedNetwork);
  supportedNetwork->heightChanged = [screen] {
    if (auto self = screen()) self->layoutViews();
  };

  merchantNameLabel = makeLabel(root, "Merchant_Name",
                                platform::Font::systemFont(20, platform::FontWeight::kSemibold),
                                platform::Color::fromHex("#1D2A59"));
  merchantCityLabel = makeLabel(root, "Merchant_City", platform::Font::systemFont(15),
                                platform::Color::fromHex("#6F7099"));
  amountLabel = makeLabel(root, "Amount_Label", platform::Font::boldSystemFont(22),
                          platform::Color::fromHex("#1D2A59"));
  amountLabel->hidden = true;
  paymentDetailLabel = makeLabel(root, "Payment_Detail_Label", KitFont::secondary(),
                                 platform::Color::fromHex("#6F7099"));
  paymentDetailLabel->text = KitBundle::string("REQUEST_PAYMENT_WITH_PAYMENT_DETAILS");
  paymentDetailLabel->hidden = true;
  if (const auto& request = ZeltoSession::sharedSession().requestPaymentSession->request) {
    merchantNameLabel->text = request->merchantName;
    merchantCityLabel->text = request->cityName;
  }

  paymentDetailButton = std::make_shared<KitPrimaryButton>();
  paymentDetailButton->setTitle(
      KitBundle::upperCased(KitBundle::string("REQUEST_FLOW_PAYMENT_DETAIL")),
      platform::ControlState::kNormal);
  paymentDetailButton->accessibilityIdentifier = "Payment_Details_Button";
  paymentDetailButton->addAction(platform::ControlEvent::kTouchUpInside, [screen] {
    if (auto self = screen()) self->detailsButtonPressed();
  });
  root.addSubview(paymentDetailButton);

  addShareButtonItem(navigationItem());
  layoutViews();
  supportedNetwork->setupView();
  layoutViews();
}

void ZELTORequestPaymentViewController::addShareButtonItem(platform::NavigationItem& item) {
  const std::weak_ptr<platform::ViewController> weakSelf = weak_from_this();
  auto share = platform::BarButtonItem::withImage(KitBundle::image("icon_share"), [weakSelf] {
    if (auto self = std::static_pointer_cast<ZELTORequestPaymentViewController>(weakSelf.lock())) {
      self->popAction();
    }
  });
  share->tintColor = platform::Color::white();
  share->accessibilityIdentifier = "Save_To_Gallery_Button";
  item.rightBarButtonItems = {std::move(share)};
}

void ZELTORequestPaymentViewController::layoutViews() { layoutColumn(true); }

void ZELTORequestPaymentViewController::layoutColumn(bool withButton) {
  const auto size = view()->frame().size();
  const double width = size.width;
  const double columnWidth = std::max(0.0, width - 2 * kMargin);
  const double buttonTop = size.height - kMargin - paymentDetailButtonHeight;
  paymentDetailButton->setFrame({kMargin, buttonTop, columnWidth, paymentDetailButtonHeight});
  paymentDetailButton->hidden = !withButton;
  const double columnBottom = withButton ? buttonTop - kMargin : size.height;

  const double networksHeight = supportedNetwork->currentHeight();
  const double fixed = kScanHeight + 4 + kArrowHeight + 8 + 12 + networksHeight + 12 + kNameHeight +
                       2 + kCityHeight + 10 + kAmountHeight + 2 + kDetailHeight;
  const double available = columnBottom - 2 * kMargin - fixed;
  const double side = std::floor(std::max(0.0, std::min(width - 2 * qrImageMargin, available)));
  // Room left on tall screens goes a third above the column and two thirds below it, so the
  // code sits high, where the eye starts.
  double y = kMargin + std::floor(std::max(0.0, available - side) / 3);

  scanToPayLabel->setFrame({kMargin, y, columnWidth, kScanHeight});
  y += kScanHeight + 4;
  arrowImageView->setFrame({(width - kArrowHeight) / 2, y, kArrowHeight, kArrowHeight});
  y += kArrowHeight + 8;
  qrImageCellView->setFrame({std::floor((width - side) / 2), y, side, side});
  qrImageCellView->layoutQrCode();
  y += side + 12;
  const bool networksMoved = supportedNetwork->frame().width != columnWidth;
  supportedNetwork->setFrame({kMargin, y, columnWidth, networksHeight});
  if (networksMoved) supportedNetwork->prepareView();
  y += networksHeight + 12;
  merchantNameLabel->setFrame({kMargin, y, columnWidth, kNameHeight});
  y += kNameHeight + 2;
  merchantCityLabel->setFrame({kMargin, y, columnWidth, kCityHeight});
  y += kCityHeight + 10;
  amountLabel->setFrame({kMargin, y, columnWidth, kAmountHeight});
  y += kAmountHeight + 2;
  paymentDetailLabel->setFrame({kMargin, y, columnWidth, kDetailHeight});
  if (auto banner = statusMessage()) banner->layout(width, statusMessageTop());
}

void ZELTORequestPaymentViewController::viewWillAppear(bool animated) {
  ZeltoBaseViewController::viewWillAppear(animated);
  layoutViews();
}

void ZELTORequestPaymentViewController::viewDidAppear(bool animated) {
  ZeltoBaseViewController::viewDidAppear(animated);
  refreshPayload();
}

void ZELTORequestPaymentViewController::refreshPayload() {
  auto& session = ZeltoSession::sharedSession();
  const auto request = session.requestPaymentSession->request;
  if (!request) return;
  merchantNameLabel->text = request->merchantName;
  merchantCityLabel->text = request->cityName;
  if (session.merchantSDKEmvCoSupported) {
    request->updateTLV();
    qrImageCellView->qrCodeTlv = TLVMapParser::shared().tlvString;
  } else {
    qrImageCellView->qrCodeTlv = request->getTLVForPlainObject();
  }
  qrImageCellView->updateQrCode();
  if (session.requestPaymentSession->isUpdated) {
    const double amount = text::parseDouble(request->transactionAmount.value_or("")).value_or(0);
    const auto components =
        Utilities::getISOCurrencyComponents(amount, session.activeCurrencyCode());
    amountLabel->text = components.ISOCurrencyCode + " " + components.formattedAmount;
    amountLabel->hidden = false;
    paymentDetailLabel->hidden = false;
  }
}

void ZELTORequestPaymentViewController::detailsButtonPressed() {
  auto navigation = navigationController();
  if (!navigation) return;
  navigation->setNavigationBarHidden(true, true);
  navigation->pushViewController(std::make_shared<ZELTORequestPaymentDetailsViewController>(),
                                 true);
}

std::shared_ptr<QRSnapView> ZELTORequestPaymentViewController::createQRSnapView() {
  auto bounds = platform::mainScreenBounds();
  if (auto window = view()->window()) bounds = window->bounds();
  auto snap = std::make_shared<QRSnapView>(
      platform::Rect{0, kSafeAreaTop, bounds.width, std::max(0.0, bounds.height - kSafeAreaTop)});
  snap->prepareView();
  return snap;
}

std::optional<platform::Image> ZELTORequestPaymentViewController::createShareQRImage() {
  const auto& root = view();
  if (root->frame().width <= 0 || root->frame().height <= 0) return std::nullopt;
  qrSnapView = createQRSnapView();
  if (auto window = root->window()) window->addSubview(qrSnapView);

  // The snapshot shows every network, leaves the merchant's own buttons out, and is laid out at
  // the size of the snap view's image so it is drawn there pixel for pixel (module edges stay
  // sharp).
  const bool collapsed = supportedNetwork->hasMoreButton() && !supportedNetwork->isExpanded;
  if (collapsed) supportedNetwork->moreClicked(true);
  const auto& more = supportedNetwork->moreButton();
  if (more) more->hidden = true;
  const platform::Rect shown = root->frame();
  const auto area = qrSnapView->qrImageView->frame();
  root->setFrame({shown.x, shown.y, area.width, area.height});
  layoutColumn(false);
  qrSnapView->qrImageView->image = platform::renderView(*root);
  root->setFrame(shown);
  if (more) more->hidden = false;
  if (collapsed) supportedNetwork->moreClicked(true);
  layoutViews();

  auto image = platform::renderView(*qrSnapView);
  qrSnapView->removeFromSuperview();
  qrSnapView.reset();
  return image;
}

std::vector<platform::Image> ZELTORequestPaymentViewController::makeSharingQRView() {
  auto image = createShareQRImage();
  if (!image) return {};
  return {std::move(*image)};
}

void ZELTORequestPaymentViewController::popAction() {
  auto items = makeSharingQRView();
  if (items.empty()) return;
  auto sheet = std::make_shared<platform::ActivityViewController>(std::move(items));
  sheet->excludedActivityTypes = {
      platform::ActivityType::kPrint, platform::ActivityType::kPostToWeibo,
      platform::ActivityType::kCopyToPasteboard, platform::ActivityType::kAddToReadingList,
      platform::ActivityType::kPostToVimeo};
  present(sheet, true);
}

}  // namespace zelto

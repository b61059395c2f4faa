#include "screens/cells/currency_drop_down_cell.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <zelto/platform/run_loop.h>

#include "base/user_defaults.h"
#include "host/ui_driver.h"

namespace zelto {
namespace {

class Form : public ZELTOCellViewProtocol {
 public:
  void didChangeCurrency(const std::string& currency) override { changes.push_back(currency); }
  std::vector<std::string> changes;
};

// A flow in rupees, without the shared session.
class RupeeFlow final : public FlowState {
 public:
  std::string activeCurrencyCode() const override { return "356"; }
  ZeltoActiveFlow activeFlow() const override { return ZeltoActiveFlow::requestPayment; }
  KitTheme theme() const override { return KitTheme::fromConfiguration(ZeltoConfig()); }
};

class CurrencyDropDownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("LC_ALL", "en_US.UTF-8", 1);
    platform::UserDefaults::setStandard(std::make_shared<platform::InMemoryUserDefaults>());
    screen->view()->addSubview(cell);
    window->setRootViewController(screen);
    window->makeKeyAndVisible();
  }
  void TearDown() override { platform::UserDefaults::setStandard(nullptr); }

  std::string shown() const {
    return std::static_pointer_cast<platform::Button>(host::findView(*window, "Currency_Drop_Down"))
        ->title();
  }
  void show(std::string currency) {
    ZELTOPaymentCellModel model(CellType::none, "Currencies", std::nullopt);
    model.currencyString = std::move(currency);
    cell->delegate = form;
    cell->setCellModel(model);
    cell->setFrame({0, 0, 390, cell->preferredHeight(390)});
    cell->layoutCell();
  }

  RupeeFlow flow;
  std::shared_ptr<platform::Window> window = std::make_shared<platform::Window>();
  std::shared_ptr<platform::ViewController> screen = std::make_shared<platform::ViewController>();
  std::shared_ptr<ZELTOCurrencyDropDownCellView> cell =
      std::make_shared<ZELTOCurrencyDropDownCellView>(flow);
  std::shared_ptr<Form> form = std::make_shared<Form>();
};

TEST_F(CurrencyDropDownTest, ShowsTheAlphabeticCodeOfTheFormCurrency) {
  const std::pair<const char*, const char*> cases[] = {{"840", "USD"}, {"36", "AUD"},
                                                       {"036", "AUD"}, {"222", "SVC"},
                                                       {"", "INR"},    {"12345", "12345"}};
  for (const auto& [code, expected] : cases) {
    cell = std::make_shared<ZELTOCurrencyDropDownCellView>(flow);
    screen->view()->addSubview(cell);
    show(code);
    EXPECT_EQ(shown(), expected) << code;
    cell->removeFromSuperview();
  }
}

TEST_F(CurrencyDropDownTest, OpensTheSelectionViewOnceAndShowsAndPassesOnTheChoice) {
  show("840");
  ASSERT_EQ(host::tap(*window, "Currency_Drop_Down"), host::DriveResult::kDone);
  const auto opened = cell->selectionView();
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(window->subviews().back(), opened);
  cell->showSelectionView();
  EXPECT_EQ(cell->selectionView(), opened);

  host::typeText(*window, "Currency_Search_Field", "euro");
  ASSERT_EQ(host::tap(*window, "CurrencyCell0"), host::DriveResult::kDone);
  platform::RunLoop::main().runFor(0.2);
  EXPECT_EQ(form->changes, (std::vector<std::string>{"978"}));
  EXPECT_EQ(cell->selectionView(), nullptr);
  EXPECT_EQ(shown(), "EUR");

  // Closed from code, the view reports the currency the field shows.
  ASSERT_EQ(host::tap(*window, "Currency_Drop_Down"), host::DriveResult::kDone);
  cell->hideSelectionView();
  platform::RunLoop::main().runFor(0.2);
  EXPECT_EQ(form->changes, (std::vector<std::string>{"978", "978"}));
}

}  // namespace
}  // namespace zelto

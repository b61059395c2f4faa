// Controls the screens build on, driven through the window as a user (or the host tool) would.
#include "platform/controls.h"

#include <gtest/gtest.h>
#include <zelto/platform/run_loop.h>

#include "host/ui_driver.h"
#include "platform/activity_view_controller.h"
#include "platform/alert_controller.h"
#include "platform/navigation_controller.h"
#include "platform/notification_center.h"
#include "platform/window.h"

namespace zelto::platform {
namespace {

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window->setRootViewController(root);
    window->makeKeyAndVisible();
  }
  void TearDown() override { NotificationCenter::defaultCenter().removeObserver(this); }

  template <typename T>
  std::shared_ptr<T> add(std::string identifier, Rect frame = {0, 0, 100, 40}) {
    auto view = std::make_shared<T>();
    view->setFrame(frame);
    view->accessibilityIdentifier = std::move(identifier);
    root->view()->addSubview(view);
    return view;
  }
  static void run(double seconds) { RunLoop::main().runFor(seconds); }

  std::shared_ptr<Window> window = std::make_shared<Window>();
  std::shared_ptr<ViewController> root = std::make_shared<ViewController>();
};

TEST_F(ControlsTest, KeysGoThroughTheFilterOneCharacterAtATime) {
  auto field = add<TextField>("amount");
  std::vector<std::pair<TextRange, std::string>> asked;
  // At most four characters; the delete key is refused while the text ends in "0".
  field->shouldChangeCharacters = [&](TextRange range, std::string_view replacement) {
    asked.emplace_back(range, replacement);
    if (replacement.empty()) return !field->text.ends_with("0");
    return field->text.size() - range.length + replacement.size() <= 4;
  };
  int changes = 0;
  field->addAction(ControlEvent::kEditingChanged, [&] { ++changes; });

  auto typed = host::typeText(*window, "amount", "1205");
  EXPECT_EQ(field->text, "1205");
  typed = host::typeText(*window, "amount", "67");
  EXPECT_EQ(typed.refusedKeys, (std::vector<std::string>{"6", "7"}));
  EXPECT_EQ(host::deleteBackward(*window, "amount", 2).refusedKeys, std::vector<std::string>{"0"});
  EXPECT_EQ(field->text, "120");
  EXPECT_EQ(changes, 5);
  // The range of each key: the end for typing, the last character for the delete key.
  EXPECT_EQ(asked.at(5), std::make_pair(TextRange{4, 0}, std::string("7")));
  EXPECT_EQ(asked.at(6), std::make_pair(TextRange{3, 1}, std::string()));

  // A delete removes a whole user-perceived character, however many bytes it takes.
  field->shouldChangeCharacters = nullptr;
  field->text = "ae\xCC\x81";  // "a" and "e" with a combining acute accent
  EXPECT_TRUE(host::deleteBackward(*window, "amount", 1).refusedKeys.empty());
  EXPECT_EQ(field->text, "a");
  EXPECT_TRUE(host::deleteBackward(*window, "amount", 3).refusedKeys.empty());
  EXPECT_EQ(field->text, "");
  EXPECT_EQ(host::typeText(*window, "amount", "日本").status, host::DriveResult::kDone);
  EXPECT_EQ(field->text, "日本");
}

TEST_F(ControlsTest, FocusRunsEditingEventsAndMovesTheKeyboard) {
  auto first = add<TextField>("first");
  auto second = add<TextField>("second");
  std::string log;
  for (const auto& [field, name] : {std::pair{first, "1"}, std::pair{second, "2"}}) {
    field->addAction(ControlEvent::kEditingDidBegin,
                     [&log, n = name] { log += n + std::string("+ "); });
    field->addAction(ControlEvent::kEditingDidEnd,
                     [&log, n = name] { log += n + std::string("- "); });
  }
  std::vector<Rect> frames;
  auto& center = NotificationCenter::defaultCenter();
  center.addObserver(this, std::string(kKeyboardWillShowNotification), [&](const Notification& n) {
    log += "show ";
    frames.push_back(n.keyboardFrame.value());
  });
  center.addObserver(this, std::string(kKeyboardWillHideNotification), [&](const Notification& n) {
    log += "hide ";
    frames.push_back(n.keyboardFrame.value());
  });

  EXPECT_EQ(host::tap(*window, "first"), host::DriveResult::kDone);
  host::typeText(*window, "second", "x");  // typing into another field moves the focus there
  EXPECT_FALSE(first->resignFirstResponder());
  EXPECT_TRUE(second->resignFirstResponder());
  EXPECT_EQ(log, "1+ show 1- 2+ show 2- hide ");
  const Rect screen = window->bounds();
  EXPECT_EQ(frames.front(),
            (Rect{0, screen.height - kKeyboardHeight, screen.width, kKeyboardHeight}));
  EXPECT_EQ(frames.back().y, screen.height);
}

TEST_F(ControlsTest, ASwitchFlipsOnTapButNotWhenSetOrWhenTouchesAreOff) {
  auto toggle = add<Switch>("tip");
  add<Label>("title");
  int changes = 0;
  toggle->addAction(ControlEvent::kValueChanged, [&] { ++changes; });
  toggle->setOn(true, true);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(host::toggleSwitch(*window, "tip"), host::DriveResult::kDone);
  EXPECT_FALSE(toggle->isOn());
  EXPECT_EQ(changes, 1);
  toggle->userInteractionEnabled = false;
  EXPECT_EQ(host::toggleSwitch(*window, "tip"), host::DriveResult::kNotInteractive);
  EXPECT_FALSE(toggle->isOn());
  EXPECT_EQ(host::toggleSwitch(*window, "title"), host::DriveResult::kNotASwitch);
  EXPECT_EQ(host::toggleSwitch(*window, "nothing"), host::DriveResult::kNotFound);
}

TEST_F(ControlsTest, ScrollingBringsARectAboveTheBottomInset) {
  auto scroll = add<ScrollView>("form", {0, 100, 300, 400});
  scroll->contentSize = {300, 1000};
  auto field = std::make_shared<TextField>(Rect{10, 600, 200, 44});
  scroll->addSubview(field);
  scroll->contentInset.bottom = kKeyboardHeight;
  // Cases: below the visible part, already visible, above it, and past the end of the content.
  const struct {
    double offset;
    Rect rect;
    double expected;
  } cases[] = {
      {0, {10, 600, 200, 44}, 600 + 44 - (400 - kKeyboardHeight)},
      {500, {10, 520, 200, 44}, 500},
      {500, {10, 100, 200, 44}, 100},
      {0, {10, 990, 200, 44}, 1000 + kKeyboardHeight - 400},
  };
  for (const auto& c : cases) {
    scroll->contentOffset = {0, c.offset};
    scroll->scrollRectToVisible(c.rect, false);
    EXPECT_EQ(scroll->contentOffset.y, c.expected) << c.rect.y;
  }
  scroll->contentOffset = {0, 250};
  EXPECT_EQ(field->convertToWindow(field->bounds()), (Rect{10, 100 + 600 - 250, 200, 44}));
  EXPECT_EQ(field->convertRect({0, 0, 1, 1}, *scroll).y, 600 - 250);
}

TEST_F(ControlsTest, HiddenNavigationBarGivesTheScreenTheWholeView) {
  auto top = std::make_shared<ViewController>();
  auto nav = NavigationController::create<NavigationController>(top);
  window->setRootViewController(nav);
  nav->setNavigationBarHidden(true, false);
  EXPECT_EQ(top->view()->frame(), nav->view()->bounds());
  nav->setNavigationBarHidden(false, true);
  EXPECT_EQ(top->view()->frame().y, kNavigationBarHeight);
  run(kNavigationBarHideShowDuration);
  // A screen pushed while the bar is hidden fills the whole view too.
  nav->setNavigationBarHidden(true, false);
  auto next = std::make_shared<ViewController>();
  nav->pushViewController(next, false);
  EXPECT_EQ(next->view()->frame(), nav->view()->bounds());
}

class RecordingShareHandler : public ShareHandler {
 public:
  ShareResult share(const std::vector<Image>& items,
                    const std::vector<ActivityType>& excluded) override {
    shared = items;
    excludedTypes = excluded;
    return {true, ActivityType::kSaveToCameraRoll};
  }
  std::vector<Image> shared;
  std::vector<ActivityType> excludedTypes;
};

TEST_F(ControlsTest, TheShareSheetHandsItsItemsToTheHostAndClosesItself) {
  const Image image("snap", {2, 2}, std::make_shared<const std::string>("png"));
  auto handler = std::make_shared<RecordingShareHandler>();
  std::vector<std::string> outcomes;
  for (const bool withHandler : {true, false}) {
    setShareHandler(withHandler ? handler : nullptr);
    auto sheet = std::make_shared<ActivityViewController>(std::vector<Image>{image});
    sheet->excludedActivityTypes = {ActivityType::kPrint, ActivityType::kPostToVimeo};
    sheet->completionWithItemsHandler = [&](std::optional<ActivityType> type, bool completed) {
      const bool stillShown = root->presentedViewController() != nullptr;
      outcomes.push_back(std::string(type ? describe(*type) : "none") +
                         (completed ? " completed" : " cancelled") + (stillShown ? " shown" : ""));
    };
    root->present(sheet, true);
    run(kTransitionDuration);
  }
  EXPECT_EQ(outcomes,
            (std::vector<std::string>{"save to camera roll completed", "none cancelled"}));
  EXPECT_EQ(handler->shared, std::vector<Image>{image});
  EXPECT_EQ(handler->excludedTypes,
            (std::vector<ActivityType>{ActivityType::kPrint, ActivityType::kPostToVimeo}));
}

TEST_F(ControlsTest, DialogActionsAreChosenByTitleOrIdentifier) {
  EXPECT_EQ(host::selectAlertAction(*window, "OK"), host::DriveResult::kNoAlert);
  auto alert = std::make_shared<AlertController>("Timeout", "", AlertController::Style::kAlert);
  int chosen = 0;
  alert->addAction({"OK", AlertActionStyle::kDefault, [&] { ++chosen; }});
  alert->addAction({"Go on", AlertActionStyle::kDefault, [&] { chosen += 10; }, "Go_Button"});
  root->present(alert, false);
  run(0);
  EXPECT_EQ(host::findView(*window, "Go_Button")->accessibilityIdentifier, "Go_Button");
  EXPECT_EQ(host::findView(*window, "Go on"), nullptr);
  EXPECT_EQ(host::selectAlertAction(*window, "Cancel"), host::DriveResult::kNotFound);
  EXPECT_EQ(host::selectAlertAction(*window, "Go_Button"), host::DriveResult::kDone);
  run(kTransitionDuration);
  EXPECT_EQ(chosen, 10);
  alert = std::make_shared<AlertController>("", "", AlertController::Style::kAlert);
  alert->addAction({"Go on", AlertActionStyle::kDefault, [&] { chosen += 100; }, "Go_Button"});
  root->present(alert, false);
  run(0);
  EXPECT_EQ(host::selectAlertAction(*window, "Go on"), host::DriveResult::kDone);
  run(kTransitionDuration);
  EXPECT_EQ(chosen, 110);
  EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(ControlsTest, TheScreenDescriptionListsWhatAToolNeeds) {
  auto banner = add<View>("banner");
  banner->hidden = true;
  banner->addSubview(std::make_shared<Label>());  // under a hidden view: left out
  auto toggle = add<Switch>("tip", {10, 20, 51, 31});
  toggle->setOn(true, false);
  auto field = add<TextField>("amount");
  field->placeholder = "0.00";
  field->text = "12";
  field->enabled = false;
  auto spinner = add<ActivityIndicatorView>("");
  spinner->startAnimating();
  auto button = add<Button>("update");
  button->setTitle("UPDATE", ControlState::kNormal);
  button->setTitle("wait", ControlState::kDisabled);
  button->enabled = false;
  add<View>("");  // a plain view without an identifier

  const auto elements = host::describeScreen(*window);
  ASSERT_EQ(elements.size(), 5u);
  const struct {
    std::string identifier, kind, text, value;
    bool hidden, enabled;
  } expected[] = {
      {"banner", "view", "", "", true, true},
      {"tip", "switch", "", "on", false, true},
      {"amount", "textField", "12", "0.00", false, false},
      {"", "activityIndicator", "", "animating", false, true},
      {"update", "button", "wait", "", false, false},
  };
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const auto& e = elements[i];
    EXPECT_EQ(std::tie(e.identifier, e.kind, e.text, e.value, e.hidden, e.enabled),
              std::tie(expected[i].identifier, expected[i].kind, expected[i].text,
                       expected[i].value, expected[i].hidden, expected[i].enabled))
        << i;
  }
  EXPECT_EQ(elements[1].frame, (Rect{10, 20, 51, 31}));
  spinner->stopAnimating();
  EXPECT_TRUE(spinner->hidden);
}

}  // namespace
}  // namespace zelto::platform

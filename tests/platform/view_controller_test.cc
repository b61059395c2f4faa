#include "platform/view_controller.h"

#include <gtest/gtest.h>
#include <zelto/platform/run_loop.h>

#include "host/ui_driver.h"
#include "platform/alert_controller.h"
#include "platform/navigation_controller.h"
#include "platform/notification_center.h"
#include "platform/window.h"

namespace zelto::platform {
namespace {

// Logs its appearance callbacks as "name+" and "name-".
class Screen : public ViewController {
 public:
  Screen(std::string name, std::string* log) : name_(std::move(name)), log_(log) {}

 protected:
  void viewDidAppear(bool) override { *log_ += name_ + "+ "; }
  void viewDidDisappear(bool) override { *log_ += name_ + "- "; }

 private:
  std::string name_;
  std::string* log_;
};

class PlatformUiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window->setRootViewController(root);
    window->makeKeyAndVisible();
  }
  std::shared_ptr<Screen> screen(std::string name) {
    return std::make_shared<Screen>(std::move(name), &log);
  }
  static void run(double seconds) { RunLoop::main().runFor(seconds); }

  std::string log;
  std::shared_ptr<Window> window = std::make_shared<Window>();
  std::shared_ptr<Screen> root = screen("root");
};

TEST_F(PlatformUiTest, WindowShowsItsRootAndBecomesKey) {
  EXPECT_EQ(log, "root+ ");
  EXPECT_EQ(Application::shared().keyWindow(), window);
  EXPECT_EQ(root->view()->frame(), window->bounds());
  auto other = std::make_shared<Window>();
  other->makeKeyAndVisible();
  EXPECT_FALSE(window->isKeyWindow());
  other.reset();
  EXPECT_EQ(Application::shared().keyWindow(), nullptr);
}

TEST_F(PlatformUiTest, OneScreenPresentedAtATimeAndDismissalTakesTheUpperOnesAlong) {
  auto sheet = screen("sheet"), upper = screen("upper"), other = screen("other");
  bool presented = false, dismissed = false, refused = false;
  root->present(sheet, true, [&] { presented = true; });
  EXPECT_EQ(sheet->view()->presentationFrame().y, window->bounds().height);
  run(kTransitionDuration / 2);
  EXPECT_FALSE(presented);
  EXPECT_GT(sheet->view()->presentationFrame().y, 0);
  run(kTransitionDuration / 2);
  EXPECT_TRUE(presented);
  EXPECT_EQ(sheet->view()->presentationFrame().y, 0);
  // Neither a second screen over the root nor the sheet a second time.
  root->present(other, false, [&] { refused = true; });
  other->present(sheet, false, [&] { refused = true; });
  sheet->present(upper, false);
  run(0);
  EXPECT_FALSE(refused);
  EXPECT_EQ(root->presentedViewController(), sheet);
  EXPECT_EQ(other->presentingViewController(), nullptr);

  root->dismiss(true, [&] { dismissed = true; });
  run(kTransitionDuration * 0.9);
  EXPECT_FALSE(dismissed);
  EXPECT_EQ(root->presentedViewController(), sheet);
  run(kTransitionDuration * 0.1);
  EXPECT_TRUE(dismissed);
  EXPECT_EQ(root->presentedViewController(), nullptr);
  EXPECT_EQ(sheet->presentedViewController(), nullptr);
  EXPECT_EQ(upper->presentingViewController(), nullptr);
  EXPECT_EQ(window->subviews().size(), 1u);
  EXPECT_EQ(log, "root+ sheet+ upper+ upper- sheet- ");
  // Nothing left to dismiss: the completion never runs.
  root->dismiss(false, [&] { refused = true; });
  run(0);
  EXPECT_FALSE(refused);
}

TEST_F(PlatformUiTest, NavigationPushSlidesInAndTheRootCannotBePopped) {
  auto first = screen("first"), second = screen("second");
  auto nav = NavigationController::create<NavigationController>(first);
  window->setRootViewController(nav);
  second->navigationItem().title = "Second";
  nav->pushViewController(second, true);
  EXPECT_EQ(nav->navigationBar()->title(), "Second");
  const double width = second->view()->frame().width;
  EXPECT_EQ(second->view()->presentationFrame().x, width);
  run(kNavigationTransitionDuration / 2);
  EXPECT_LT(second->view()->presentationFrame().x, width / 2);  // easing out
  EXPECT_GT(second->view()->presentationFrame().x, 0);
  run(kNavigationTransitionDuration / 2);
  EXPECT_EQ(second->view()->presentationFrame().x, 0);
  EXPECT_EQ(nav->popViewController(false), second);
  EXPECT_EQ(second->navigationController(), nullptr);
  EXPECT_EQ(nav->popViewController(true), nullptr);
  EXPECT_EQ(nav->viewControllers().size(), 1u);
  EXPECT_EQ(log, "root+ root- first+ first- second+ second- first+ ");
}

TEST_F(PlatformUiTest, TapsReachOnlyInteractiveControlsOfTheFrontScreen) {
  int taps = 0;
  auto button = std::make_shared<Button>();
  button->accessibilityIdentifier = "go";
  button->addAction(ControlEvent::kTouchUpInside, [&] { ++taps; });
  root->view()->addSubview(button);
  EXPECT_EQ(host::tap(*window, "go"), host::DriveResult::kDone);
  button->enabled = false;
  EXPECT_EQ(host::tap(*window, "go"), host::DriveResult::kNotInteractive);
  button->enabled = true;
  root->view()->hidden = true;
  EXPECT_EQ(host::tap(*window, "go"), host::DriveResult::kNotInteractive);
  root->view()->hidden = false;
  EXPECT_EQ(host::tap(*window, "missing"), host::DriveResult::kNotFound);
  EXPECT_EQ(host::typeText(*window, "go", "x").status, host::DriveResult::kNotEditable);
  // Neither a view outside the window nor one under a presented screen gets a touch.
  auto stray = std::make_shared<Button>();
  stray->addAction(ControlEvent::kTouchUpInside, [&] { taps += 100; });
  window->sendEvent(Event{Event::Type::kTouch, stray});
  root->present(screen("cover"), false);
  EXPECT_EQ(host::tap(*window, "go"), host::DriveResult::kNotFound);
  EXPECT_EQ(taps, 1);
}

TEST_F(PlatformUiTest, TypingPostsTextChangesAndEndEditingResigns) {
  auto field = std::make_shared<TextField>();
  field->accessibilityIdentifier = "amount";
  auto notes = std::make_shared<TextView>();
  notes->accessibilityIdentifier = "notes";
  root->view()->addSubview(field);
  root->view()->addSubview(notes);
  std::string posted;
  auto& center = NotificationCenter::defaultCenter();
  center.addObserver(this, std::string(kTextFieldTextDidChangeNotification),
                     [&](const Notification& n) { posted += n.object == field.get() ? "F" : "?"; });
  center.addObserver(this, std::string(kTextViewTextDidChangeNotification),
                     [&](const Notification& n) { posted += n.object == notes.get() ? "V" : "?"; });
  EXPECT_EQ(host::typeText(*window, "amount", "12").status, host::DriveResult::kDone);
  EXPECT_EQ(host::typeText(*window, "amount", "3").status, host::DriveResult::kDone);
  EXPECT_EQ(field->text, "123");
  EXPECT_EQ(host::typeText(*window, "notes", "hi").status, host::DriveResult::kDone);
  EXPECT_FALSE(field->isFirstResponder());
  field->text = "silent";
  EXPECT_EQ(posted, "FFFVV");
  center.removeObserver(this);
  EXPECT_TRUE(root->view()->endEditing(true));
  EXPECT_FALSE(notes->isFirstResponder());
  EXPECT_FALSE(root->view()->endEditing(true));
}

TEST_F(PlatformUiTest, AnAlertTakesOneChoiceAndRunsItsHandlerAfterClosing) {
  auto alert = std::make_shared<AlertController>("", "Message", AlertController::Style::kAlert);
  std::string order;
  alert->addAction({"Cancel", AlertActionStyle::kCancel,
                    [&] { order += root->presentedViewController() ? "still shown " : "gone "; }});
  EXPECT_FALSE(alert->selectAction(0));  // not presented yet
  root->present(alert, true);
  run(kTransitionDuration);
  EXPECT_FALSE(alert->selectAction(1));  // no such action
  EXPECT_EQ(host::tap(*window, "Cancel"), host::DriveResult::kDone);
  EXPECT_FALSE(alert->selectAction(0));  // a second choice while it closes
  EXPECT_EQ(order, "");
  run(kTransitionDuration);
  EXPECT_EQ(order, "gone ");
}

TEST_F(PlatformUiTest, ADialogClosesTheKeyboardAndGivesItBackWhenItHasGone) {
  auto field = std::make_shared<TextField>();
  field->accessibilityIdentifier = "amount";
  root->view()->addSubview(field);
  std::string keyboard;
  auto& center = NotificationCenter::defaultCenter();
  center.addObserver(this, std::string(kKeyboardWillShowNotification),
                     [&](const Notification&) { keyboard += "up "; });
  center.addObserver(this, std::string(kKeyboardWillHideNotification),
                     [&](const Notification&) { keyboard += "down "; });
  for (const bool fieldStaysShown : {true, false}) {
    SCOPED_TRACE(fieldStaysShown);
    keyboard.clear();
    ASSERT_EQ(host::typeText(*window, "amount", "1").status, host::DriveResult::kDone);
    auto alert = std::make_shared<AlertController>("", "Sure?", AlertController::Style::kAlert);
    bool editingInHandler = true;
    alert->addAction({"Cancel", AlertActionStyle::kCancel,
                      [&] { editingInHandler = field->isFirstResponder(); }});
    root->present(alert, true);
    run(kTransitionDuration);
    EXPECT_FALSE(field->isFirstResponder());
    field->hidden = !fieldStaysShown;
    EXPECT_EQ(host::tap(*window, "Cancel"), host::DriveResult::kDone);
    run(kTransitionDuration);
    // A field hidden meanwhile does not take the keyboard back.
    EXPECT_EQ(field->isFirstResponder(), fieldStaysShown);
    EXPECT_EQ(editingInHandler, fieldStaysShown);
    EXPECT_EQ(keyboard, fieldStaysShown ? "up down up " : "up down ");
    field->hidden = false;
    root->view()->endEditing(true);
  }
  center.removeObserver(this);
}

}  // namespace
}  // namespace zelto::platform

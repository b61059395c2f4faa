#include "platform/view_controller.h"

#include <gtest/gtest.h>

#include "platform/alert_controller.h"
#include "platform/navigation_controller.h"
#include "platform/notification_center.h"
#include "platform/run_loop.h"
#include "platform/ui_driver.h"
#include "platform/window.h"

namespace zelto::platform {
namespace {

// Records its appearance callbacks as "name+" and "name-".
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
    window = std::make_shared<Window>();
    root = std::make_shared<Screen>("root", &log);
    window->setRootViewController(root);
    window->makeKeyAndVisible();
  }

  std::string log;
  std::shared_ptr<Window> window;
  std::shared_ptr<Screen> root;
};

TEST_F(PlatformUiTest, WindowShowsItsRootAndBecomesKey) {
  EXPECT_EQ(log, "root+ ");
  EXPECT_TRUE(window->isKeyWindow());
  EXPECT_EQ(Application::shared().keyWindow(), window);
  EXPECT_EQ(root->view()->frame(), window->bounds());
  EXPECT_EQ(root->view()->window(), window);

  auto other = std::make_shared<Window>();
  other->makeKeyAndVisible();
  EXPECT_FALSE(window->isKeyWindow());
  other.reset();
  EXPECT_EQ(Application::shared().keyWindow(), nullptr);
}

TEST_F(PlatformUiTest, AnimatedPresentAndDismissCompleteWhenTheSlideEnds) {
  auto& loop = RunLoop::main();
  auto sheet = std::make_shared<Screen>("sheet", &log);
  bool presented = false;
  root->present(sheet, true, [&] { presented = true; });
  EXPECT_EQ(root->presentedViewController(), sheet);
  EXPECT_EQ(sheet->presentingViewController(), root);
  EXPECT_EQ(sheet->view()->presentationFrame().y, window->bounds().height);
  loop.runFor(kTransitionDuration / 2);
  EXPECT_FALSE(presented);
  EXPECT_GT(sheet->view()->presentationFrame().y, 0);
  loop.runFor(kTransitionDuration / 2);
  EXPECT_TRUE(presented);
  EXPECT_EQ(sheet->view()->presentationFrame().y, 0);

  bool dismissed = false;
  sheet->dismiss(true, [&] { dismissed = true; });
  loop.runFor(kTransitionDuration * 0.9);
  EXPECT_FALSE(dismissed);
  EXPECT_EQ(root->presentedViewController(), sheet);
  loop.runFor(kTransitionDuration * 0.1);
  EXPECT_TRUE(dismissed);
  EXPECT_EQ(root->presentedViewController(), nullptr);
  EXPECT_EQ(sheet->presentingViewController(), nullptr);
  EXPECT_EQ(sheet->view()->window(), nullptr);
  EXPECT_EQ(log, "root+ sheet+ sheet- ");
}

TEST_F(PlatformUiTest, PresentIsRefusedWhileAlreadyPresenting) {
  auto first = std::make_shared<Screen>("first", &log);
  auto second = std::make_shared<Screen>("second", &log);
  root->present(first, false);
  bool ran = false;
  root->present(second, false, [&] { ran = true; });
  second->present(first, false, [&] { ran = true; });
  RunLoop::main().runPending();
  EXPECT_FALSE(ran);
  EXPECT_EQ(root->presentedViewController(), first);
  EXPECT_EQ(second->presentingViewController(), nullptr);
}

TEST_F(PlatformUiTest, DismissingALowerScreenTakesTheUpperOnesWithIt) {
  auto lower = std::make_shared<Screen>("lower", &log);
  auto upper = std::make_shared<Screen>("upper", &log);
  root->present(lower, false);
  lower->present(upper, false);
  RunLoop::main().runPending();
  root->dismiss(false);
  RunLoop::main().runPending();
  EXPECT_EQ(root->presentedViewController(), nullptr);
  EXPECT_EQ(lower->presentedViewController(), nullptr);
  EXPECT_EQ(upper->presentingViewController(), nullptr);
  EXPECT_EQ(window->subviews().size(), 1u);
  EXPECT_EQ(log, "root+ lower+ upper+ upper- lower- ");

  bool ran = false;
  root->dismiss(false, [&] { ran = true; });
  RunLoop::main().runPending();
  EXPECT_FALSE(ran);
}

TEST_F(PlatformUiTest, NavigationPushPopAndTheRootThatCannotBePopped) {
  auto first = std::make_shared<Screen>("first", &log);
  auto nav = NavigationController::create<NavigationController>(first);
  window->setRootViewController(nav);
  auto second = std::make_shared<Screen>("second", &log);
  second->navigationItem().title = "Second";
  nav->pushViewController(second, false);
  EXPECT_EQ(nav->topViewController(), second);
  EXPECT_EQ(second->navigationController(), nav);
  EXPECT_EQ(nav->navigationBar()->title(), "Second");
  EXPECT_EQ(nav->popViewController(false), second);
  EXPECT_EQ(second->navigationController(), nullptr);
  EXPECT_EQ(nav->popViewController(true), nullptr);
  EXPECT_EQ(nav->viewControllers().size(), 1u);
  EXPECT_EQ(log, "root+ root- first+ first- second+ second- first+ ");
}

TEST_F(PlatformUiTest, AnimatedPushSlidesInFromTheRight) {
  auto nav =
      NavigationController::create<NavigationController>(std::make_shared<Screen>("first", &log));
  window->setRootViewController(nav);
  auto second = std::make_shared<Screen>("second", &log);
  nav->pushViewController(second, true);
  const double width = second->view()->frame().width;
  EXPECT_EQ(second->view()->presentationFrame().x, width);
  RunLoop::main().runFor(kNavigationTransitionDuration / 2);
  const double halfway = second->view()->presentationFrame().x;
  // Ease-out: more than half of the way is covered in the first half of the time.
  EXPECT_LT(halfway, width / 2);
  EXPECT_GT(halfway, 0);
  RunLoop::main().runFor(kNavigationTransitionDuration / 2);
  EXPECT_EQ(second->view()->presentationFrame().x, 0);
}

TEST_F(PlatformUiTest, TapsReachOnlyInteractiveControlsOfTheFrontScreen) {
  int taps = 0;
  auto button = std::make_shared<Button>();
  button->accessibilityIdentifier = "go";
  button->addAction(ControlEvent::kTouchUpInside, [&] { ++taps; });
  root->view()->addSubview(button);

  EXPECT_EQ(tap(*window, "go"), DriveResult::kDone);
  EXPECT_EQ(taps, 1);
  button->enabled = false;
  EXPECT_EQ(tap(*window, "go"), DriveResult::kNotInteractive);
  button->enabled = true;
  root->view()->hidden = true;
  EXPECT_EQ(tap(*window, "go"), DriveResult::kNotInteractive);
  root->view()->hidden = false;
  EXPECT_EQ(tap(*window, "missing"), DriveResult::kNotFound);
  EXPECT_EQ(typeText(*window, "go", "x"), DriveResult::kNotEditable);

  // A view outside the window gets nothing, even when sent to this window directly.
  auto stray = std::make_shared<Button>();
  stray->addAction(ControlEvent::kTouchUpInside, [&] { taps += 100; });
  window->sendEvent(Event{Event::Type::kTouch, stray});

  // A presented screen covers the root.
  root->present(std::make_shared<Screen>("cover", &log), false);
  EXPECT_EQ(tap(*window, "go"), DriveResult::kNotFound);
  EXPECT_EQ(taps, 1);
}

TEST_F(PlatformUiTest, TypingPostsTextChangesAndEndEditingResigns) {
  auto field = std::make_shared<TextField>();
  field->accessibilityIdentifier = "amount";
  auto notes = std::make_shared<TextView>();
  notes->accessibilityIdentifier = "notes";
  root->view()->addSubview(field);
  root->view()->addSubview(notes);
  std::string log2;
  auto& center = NotificationCenter::defaultCenter();
  center.addObserver(this, std::string(kTextFieldTextDidChangeNotification),
                     [&](const Notification& n) { log2 += n.object == field.get() ? "F" : "?"; });
  center.addObserver(this, std::string(kTextViewTextDidChangeNotification),
                     [&](const Notification& n) { log2 += n.object == notes.get() ? "V" : "?"; });

  EXPECT_EQ(typeText(*window, "amount", "12"), DriveResult::kDone);
  EXPECT_EQ(typeText(*window, "amount", "3"), DriveResult::kDone);
  EXPECT_EQ(field->text, "123");
  EXPECT_TRUE(field->isFirstResponder());
  EXPECT_EQ(typeText(*window, "notes", "hi"), DriveResult::kDone);
  EXPECT_FALSE(field->isFirstResponder());
  EXPECT_TRUE(notes->isFirstResponder());
  field->text = "silent";
  EXPECT_EQ(log2, "FFV");
  center.removeObserver(this);

  EXPECT_TRUE(root->view()->endEditing(true));
  EXPECT_FALSE(notes->isFirstResponder());
  EXPECT_FALSE(root->view()->endEditing(true));
}

TEST_F(PlatformUiTest, ChoosingAnAlertActionDismissesThenRunsItsHandler) {
  auto alert = std::make_shared<AlertController>("", "Message", AlertController::Style::kAlert);
  std::string order;
  alert->addAction({"Cancel", AlertActionStyle::kCancel,
                    [&] { order += root->presentedViewController() ? "still shown " : "gone "; }});
  EXPECT_FALSE(alert->selectAction(0));  // not presented yet
  root->present(alert, true);
  RunLoop::main().runFor(kTransitionDuration);
  EXPECT_EQ(tap(*window, "Cancel"), DriveResult::kDone);
  EXPECT_FALSE(alert->selectAction(0));  // a second choice while it closes
  EXPECT_EQ(order, "");
  RunLoop::main().runFor(kTransitionDuration);
  EXPECT_EQ(order, "gone ");
  EXPECT_FALSE(alert->selectAction(3));
}

}  // namespace
}  // namespace zelto::platform

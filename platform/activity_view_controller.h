// The share sheet: a screen that offers items (images) to the activities of the device. What
// "share" means is up to the host application: it installs a ShareHandler (a tool writes the
// image to a file); the sheet hands it the items and the activity types the screen excluded.
//
// Presenting the sheet shares at the next turn of the main run loop: the handler (if any) is
// called once, the sheet dismisses itself without animation, and completionWithItemsHandler runs
// after the dismissal with the handler's result. Without a handler the share completes at once,
// not completed and with no activity.
//
// Thread-safety: main thread only.
#ifndef ZELTO_PLATFORM_ACTIVITY_VIEW_CONTROLLER_H_
#define ZELTO_PLATFORM_ACTIVITY_VIEW_CONTROLLER_H_

#include <zelto/base/image.h>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/view_controller.h"

namespace zelto::platform {

enum class ActivityType {
  kPrint,
  kPostToWeibo,
  kCopyToPasteboard,
  kAddToReadingList,
  kPostToVimeo,
  kSaveToCameraRoll,
};

// "print", "post to Weibo", "copy to pasteboard", "add to reading list", "post to Vimeo",
// "save to camera roll".
std::string_view describe(ActivityType type);

struct ShareResult {
  bool completed = false;
  // The activity the items went to; absent when the share was cancelled.
  std::optional<ActivityType> activityType;
};

class ShareHandler {
 public:
  ShareHandler() = default;
  virtual ~ShareHandler() = default;
  ShareHandler(const ShareHandler&) = delete;
  ShareHandler& operator=(const ShareHandler&) = delete;

  virtual ShareResult share(const std::vector<Image>& items,
                            const std::vector<ActivityType>& excludedActivityTypes) = 0;
};

// The host's handler for every share sheet; null removes it.
void setShareHandler(std::shared_ptr<ShareHandler> handler);
std::shared_ptr<ShareHandler> shareHandler();

class ActivityViewController : public ViewController {
 public:
  explicit ActivityViewController(std::vector<Image> items) : items_(std::move(items)) {}

  std::vector<ActivityType> excludedActivityTypes;
  std::function<void(std::optional<ActivityType> activityType, bool completed)>
      completionWithItemsHandler;

 protected:
  void viewDidAppear(bool animated) override;

 private:
  void share();

  std::vector<Image> items_;
  bool shared_ = false;
};

}  // namespace zelto::platform

#endif  // ZELTO_PLATFORM_ACTIVITY_VIEW_CONTROLLER_H_

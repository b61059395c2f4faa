#include "platform/activity_view_controller.h"

#include <zelto/platform/run_loop.h>

namespace zelto::platform {
namespace {

std::shared_ptr<ShareHandler>& installedHandler() {
  static auto* handler = new std::shared_ptr<ShareHandler>();
  return *handler;
}

}  // namespace

std::string_view describe(ActivityType type) {
  switch (type) {
    case ActivityType::kPrint:
      return "print";
    case ActivityType::kPostToWeibo:
      return "post to Weibo";
    case ActivityType::kCopyToPasteboard:
      return "copy to pasteboard";
    case ActivityType::kAddToReadingList:
      return "add to reading list";
    case ActivityType::kPostToVimeo:
      return "post to Vimeo";
    case ActivityType::kSaveToCameraRoll:
      return "save to camera roll";
  }
  return "unknown";
}

void setShareHandler(std::shared_ptr<ShareHandler> handler) {
  installedHandler() = std::move(handler);
}

std::shared_ptr<ShareHandler> shareHandler() { return installedHandler(); }

void ActivityViewController::viewDidAppear(bool /*animated*/) {
  if (shared_) return;
  shared_ = true;
  RunLoop::main().async([weakSelf = std::weak_ptr<ViewController>(weak_from_this())] {
    if (auto self = std::static_pointer_cast<ActivityViewController>(weakSelf.lock())) {
      self->share();
    }
  });
}

void ActivityViewController::share() {
  ShareResult result;
  if (const auto handler = shareHandler()) result = handler->share(items_, excludedActivityTypes);
  auto self = std::static_pointer_cast<ActivityViewController>(shared_from_this());
  dismiss(false, [self, result] {
    if (self->completionWithItemsHandler) {
      self->completionWithItemsHandler(result.activityType, result.completed);
    }
  });
}

}  // namespace zelto::platform

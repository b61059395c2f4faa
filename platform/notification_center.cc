#include "platform/notification_center.h"

#include <algorithm>

namespace zelto::platform {

NotificationCenter& NotificationCenter::defaultCenter() {
  // Never destroyed: observers that outlive main() may still remove themselves.
  static auto* center = new NotificationCenter();
  return *center;
}

void NotificationCenter::addObserver(const void* observer, std::string name, Block block) {
  registrations_.push_back({nextId_++, observer, std::move(name), std::move(block)});
}

void NotificationCenter::removeObserver(const void* observer) {
  std::erase_if(registrations_, [&](const auto& r) { return r.observer == observer; });
}

void NotificationCenter::removeObserver(const void* observer, std::string_view name) {
  std::erase_if(registrations_,
                [&](const auto& r) { return r.observer == observer && r.name == name; });
}

void NotificationCenter::post(std::string_view name, const void* object) {
  post(Notification{std::string(name), object, std::nullopt});
}

void NotificationCenter::post(const Notification& notification) {
  std::vector<std::uint64_t> ids;
  for (const auto& r : registrations_) {
    if (r.name == notification.name) ids.push_back(r.id);
  }
  for (const auto id : ids) {
    const auto found = std::find_if(registrations_.begin(), registrations_.end(),
                                    [&](const auto& r) { return r.id == id; });
    if (found == registrations_.end()) continue;
    // A copy: the block may remove its own registration while it runs.
    const Block block = found->block;
    block(notification);
  }
}

std::size_t NotificationCenter::observerCount(std::string_view name) const {
  return std::count_if(registrations_.begin(), registrations_.end(),
                       [&](const auto& r) { return r.name == name; });
}

}  // namespace zelto::platform

#include "screens/zelto_base_view_controller.h"

#include "sdk/zelto_session.h"

namespace zelto {

void ZeltoBaseViewController::viewDidLoad() {
  view()->backgroundColor = ZeltoSession::sharedSession().internalConfiguration()->backgroundColor;
}

}  // namespace zelto

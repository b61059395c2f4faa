#include "screens/cells/flow_state.h"

namespace zelto {
namespace {

class SessionFlowState final : public FlowState {
 public:
  std::string activeCurrencyCode() const override {
    return ZeltoSession::sharedSession().activeCurrencyCode();
  }
  ZeltoActiveFlow activeFlow() const override {
    return ZeltoSession::sharedSession().activeSessionType();
  }
  KitTheme theme() const override { return KitTheme::current(); }
};

}  // namespace

const FlowState& sharedFlowState() {
  static const SessionFlowState state;
  return state;
}

}  // namespace zelto

// FlowState: what a cell asks of the flow it is in, for answers that can change while the flow
// runs (the currency in use changes when the merchant picks another). A cell is given one when
// it is made and keeps it for its life; only the screens at the top hand out the shared
// session's (sharedFlowState()), so a cell can be made and tested with a state of its own.
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_CELLS_FLOW_STATE_H_
#define ZELTO_SCREENS_CELLS_FLOW_STATE_H_

#include <string>

#include "kit/kit_theme.h"
#include "sdk/session.h"

namespace zelto {

class FlowState {
 public:
  virtual ~FlowState() = default;
  // The numeric ISO 4217 code amounts are typed and formatted in.
  virtual std::string activeCurrencyCode() const = 0;
  virtual ZeltoActiveFlow activeFlow() const = 0;
  // The colours and fonts of the host's configuration.
  virtual KitTheme theme() const = 0;
};

// The shared session's answers; it lives as long as the process.
const FlowState& sharedFlowState();

}  // namespace zelto

#endif  // ZELTO_SCREENS_CELLS_FLOW_STATE_H_

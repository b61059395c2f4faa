#include "kit/kit_button.h"

namespace zelto {

using platform::ControlState;

void KitPrimaryButton::applyTheme(const KitTheme& theme) {
  setBackgroundColor(theme.actionButton, ControlState::kNormal);
  setBackgroundColor(theme.actionButtonActive, ControlState::kHighlighted);
  setBackgroundColor(withAlpha(theme.actionButton, kDisabledAlpha), ControlState::kDisabled);
  setTitleColor(theme.actionButtonFont, ControlState::kNormal);
  setTitleColor(theme.actionButtonFont, ControlState::kHighlighted);
  setTitleColor(withAlpha(theme.actionButtonFont, 0.8), ControlState::kDisabled);
  titleFont = KitFont::button();
  cornerRadius = kCornerRadius;
  clipsToBounds = true;
}

}  // namespace zelto

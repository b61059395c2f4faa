// ZELTOSupportedNetwork: the logos of the card networks the QR code can be paid with, under
// the code.
//
// setupView() takes the library's own "network_logo_zelto" followed by the logos the view was
// made with (the configuration's supportedNetworkImage list), in that order, and prepareView() lays
// them out: rows of at most maxCellInRow (6) equal cells across the width with cellGap (8) between
// them, each logo centred in its cell on a white chip; a row of fewer cells is centred. With more
// than six logos the sixth cell of the first row is a "more" button ("Networks_More_Button", image
// "icon_more") and the rest form a second row, shown only while the view is expanded. The logos
// keep their order and places from the left in every language, as the QR code does.
//
// moreClicked(withoutAnimation) flips isExpanded and sets the view's height to two rowHeights
// (expanding) or one (collapsing), animated over 0.25 s unless told not to; heightChanged then
// runs so the screen can move what lies below.
//
// Accessibility identifiers: "Supported_Networks" (the view), "Network_Logo_<n>" (n from 0).
//
// Thread-safety: main thread only.
#ifndef ZELTO_SCREENS_SUPPORTED_NETWORKS_H_
#define ZELTO_SCREENS_SUPPORTED_NETWORKS_H_

#include <zelto/base/image.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/controls.h"
#include "platform/view.h"

namespace zelto {

class ZELTOSupportedNetwork : public platform::View {
 public:
  static constexpr double kExpandDuration = 0.25;

  explicit ZELTOSupportedNetwork(std::vector<platform::Image> configuredLogos)
      : configuredLogos_(std::move(configuredLogos)) {}

  void setupView();
  void prepareView();
  void moreClicked(bool withoutAnimation);

  // The height the view takes now: one row, or two while expanded.
  double currentHeight() const;
  bool hasMoreButton() const { return images.size() > maxCellInRow; }
  const std::shared_ptr<platform::Button>& moreButton() const { return moreButton_; }

  std::vector<platform::Image> images;
  bool isExpanded = false;
  double rowHeight = 44;
  double cellGap = 8;
  std::size_t maxCellInRow = 6;
  std::function<void()> heightChanged;

 private:
  std::vector<platform::Image> configuredLogos_;
  void addLogoCell(const platform::Image& image, std::size_t index, platform::Rect frame);

  std::shared_ptr<platform::Button> moreButton_;
};

}  // namespace zelto

#endif  // ZELTO_SCREENS_SUPPORTED_NETWORKS_H_

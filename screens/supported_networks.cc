#include "screens/supported_networks.h"

#include <algorithm>
#include <string>

#include "kit/kit_bundle.h"
#include "kit/kit_theme.h"
#include "platform/animation.h"

namespace zelto {
namespace {

constexpr double kChipInset = 4;
constexpr double kLogoInset = 6;

}  // namespace

void ZELTOSupportedNetwork::setupView() {
  accessibilityIdentifier = "Supported_Networks";
  semanticContentAttribute = platform::SemanticContentAttribute::kForceLeftToRight;
  accessibilityValue = isExpanded ? "expanded" : "collapsed";
  clipsToBounds = true;
  images.clear();
  images.push_back(KitBundle::image("network_logo_zelto"));
  images.insert(images.end(), configuredLogos_.begin(), configuredLogos_.end());
  prepareView();
}

double ZELTOSupportedNetwork::currentHeight() const {
  return isExpanded && hasMoreButton() ? 2 * rowHeight : rowHeight;
}

void ZELTOSupportedNetwork::prepareView() {
  while (!subviews().empty()) subviews().back()->removeFromSuperview();
  moreButton_.reset();
  const double width = frame().width;
  const double cellWidth = std::max(0.0, (width - cellGap * static_cast<double>(maxCellInRow - 1)) /
                                             static_cast<double>(maxCellInRow));
  const auto rowStart = [&](std::size_t cells) {
    const double n = static_cast<double>(cells);
    return (width - (n * cellWidth + (n - 1) * cellGap)) / 2;
  };
  const auto cellFrame = [&](std::size_t cells, std::size_t column, std::size_t row) {
    return platform::Rect{rowStart(cells) + static_cast<double>(column) * (cellWidth + cellGap),
                          static_cast<double>(row) * rowHeight, cellWidth, rowHeight};
  };

  const std::size_t firstRow = hasMoreButton() ? maxCellInRow - 1 : images.size();
  const std::size_t firstRowCells = hasMoreButton() ? maxCellInRow : images.size();
  for (std::size_t i = 0; i < firstRow; ++i)
    addLogoCell(images[i], i, cellFrame(firstRowCells, i, 0));
  if (hasMoreButton()) {
    moreButton_ = std::make_shared<platform::Button>();
    moreButton_->setImage(KitBundle::image("icon_more"), platform::ControlState::kNormal);
    moreButton_->tintColor = KitPalette::slate();
    moreButton_->accessibilityIdentifier = "Networks_More_Button";
    moreButton_->setFrame(cellFrame(firstRowCells, maxCellInRow - 1, 0));
    const std::weak_ptr<ZELTOSupportedNetwork> weak =
        std::static_pointer_cast<ZELTOSupportedNetwork>(shared_from_this());
    moreButton_->addAction(platform::ControlEvent::kTouchUpInside, [weak] {
      if (auto self = weak.lock()) self->moreClicked(false);
    });
    addSubview(moreButton_);
    // The rest, in rows of at most maxCellInRow under the first.
    for (std::size_t i = firstRow; i < images.size(); ++i) {
      const std::size_t index = i - firstRow;
      const std::size_t row = 1 + index / maxCellInRow;
      const std::size_t rowCells =
          std::min(maxCellInRow, images.size() - firstRow - (row - 1) * maxCellInRow);
      addLogoCell(images[i], i, cellFrame(rowCells, index % maxCellInRow, row));
    }
  }
  auto shown = frame();
  shown.height = currentHeight();
  setFrame(shown);
}

void ZELTOSupportedNetwork::addLogoCell(const platform::Image& image, std::size_t index,
                                        platform::Rect frame) {
  auto chip = std::make_shared<platform::View>(platform::Rect{
      frame.x, frame.y + kChipInset, frame.width, std::max(0.0, frame.height - 2 * kChipInset)});
  chip->backgroundColor = platform::Color::white();
  chip->borderWidth = 1;
  chip->borderColor = KitPalette::mist();
  chip->cornerRadius = 6;
  auto logo = std::make_shared<platform::ImageView>(
      platform::Rect{kLogoInset, kLogoInset, std::max(0.0, frame.width - 2 * kLogoInset),
                     std::max(0.0, chip->frame().height - 2 * kLogoInset)});
  logo->image = image;
  logo->contentMode = platform::ContentMode::kScaleAspectFit;
  logo->accessibilityIdentifier = "Network_Logo_" + std::to_string(index);
  chip->addSubview(logo);
  addSubview(chip);
}

void ZELTOSupportedNetwork::moreClicked(bool withoutAnimation) {
  auto target = frame();
  target.height = isExpanded ? rowHeight : 2 * rowHeight;
  isExpanded = !isExpanded;
  accessibilityValue = isExpanded ? "expanded" : "collapsed";
  if (withoutAnimation) {
    setFrame(target);
  } else {
    platform::animate(kExpandDuration, 0, platform::AnimationCurve::kEaseOut,
                      [&] { setFrame(target); });
  }
  if (heightChanged) heightChanged();
}

}  // namespace zelto

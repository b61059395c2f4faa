// Drawing speed: the QR symbol of the worked example payload, and a 375 by 667 point screen of
// a few dozen views (labels, fields, switches, buttons, images, the symbol) drawn at 2x.
#include <benchmark/benchmark.h>

#include "base/resource_bundle.h"
#include "platform/controls.h"
#include "platform/qr_code.h"
#include "platform/renderer.h"

namespace {

using namespace zelto::platform;

// The payload of the worked example request (merchant fields, amount, bill number, terminal).
constexpr std::string_view kWorkedExample =
    "000201010211021641111111111111115909ABC Store520454116006Mumbai5802IN5303356540510."
    "006215010412340703T016304FB81";

void BM_QrSymbolWorkedExample(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(qrCodeImage(kWorkedExample));
}
BENCHMARK(BM_QrSymbolWorkedExample)->Unit(benchmark::kMicrosecond);

template <typename T>
std::shared_ptr<T> add(View& parent, Rect frame) {
  auto view = std::make_shared<T>();
  view->setFrame(frame);
  parent.addSubview(view);
  return view;
}

// A details-like screen: a header, the symbol in a frame, six rows of a label, a switch and a
// field, a button and network logos: 40 views.
std::shared_ptr<View> screen() {
  auto root = std::make_shared<View>(Rect{0, 0, 375, 667});
  root->backgroundColor = Color::white();
  auto header = add<View>(*root, {0, 0, 375, 64});
  header->backgroundColor = Color::fromHex("#15195A");
  auto title = add<Label>(*header, {16, 20, 343, 44});
  title->text = "Payment details";
  title->textColor = Color::white();
  title->font = Font::systemFont(17, FontWeight::kSemibold);
  title->textAlignment = TextAlignment::kCenter;
  auto frame = add<View>(*root, {107, 72, 160, 160});
  frame->borderWidth = 1;
  frame->borderColor = Color::fromHex("#B8BACD");
  const auto symbol = qrCodeImage(kWorkedExample);
  const double side = wholeModuleSide(150, *symbol);
  add<ImageView>(*frame, {(160 - side) / 2, (160 - side) / 2, side, side})->image = symbol;
  for (int row = 0; row < 6; ++row) {
    const double y = 240 + row * 56;
    auto label = add<Label>(*root, {16, y, 200, 20});
    label->text = "Set Bill Number";
    label->font = Font::systemFont(15);
    auto toggle = add<Switch>(*root, {308, y, 51, 31});
    toggle->setOn(row % 2 == 0, false);
    auto field = add<TextField>(*root, {16, y + 22, 280, 30});
    field->placeholder = "Bill Number";
    field->text = row % 3 == 0 ? "INV-2041" : "";
    field->borderWidth = 1;
    field->cornerRadius = 6;
    field->borderColor = Color::fromHex("#B8BACD");
  }
  auto button = add<Button>(*root, {16, 580, 343, 52});
  button->setTitle("UPDATE", ControlState::kNormal);
  button->setBackgroundColor(Color::fromHex("#003EA9"), ControlState::kNormal);
  button->setTitleColor(Color::white(), ControlState::kNormal);
  button->cornerRadius = 8;
  for (int i = 0; i < 4; ++i) {
    add<ImageView>(*root, {16 + i * 56.0, 636, 48, 32})->image = imageNamed("network_logo_zelto");
  }
  return root;
}

void BM_RenderScreen2x(benchmark::State& state) {
  const auto root = screen();
  for (auto _ : state) benchmark::DoNotOptimize(renderView(*root, 2));
}
BENCHMARK(BM_RenderScreen2x)->Unit(benchmark::kMillisecond);

}  // namespace

#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "tests/screens/drawn_image.h"
#include "tests/tools/cli_runner.h"

namespace zelto::testing {
namespace {

namespace fs = std::filesystem;

// The modules of a half-block symbol: each character cell is two, one above the other.
std::vector<std::vector<bool>> halfBlockModules(const std::vector<std::string>& rows) {
  std::vector<std::vector<bool>> modules;
  for (const auto& row : rows) {
    std::vector<bool> top;
    std::vector<bool> bottom;
    for (std::size_t i = 0; i < row.size();) {
      if (row[i] == ' ') {
        top.push_back(false);
        bottom.push_back(false);
        ++i;
        continue;
      }
      const std::string cell = row.substr(i, 3);
      top.push_back(cell == "\u2580" || cell == "\u2588");
      bottom.push_back(cell == "\u2584" || cell == "\u2588");
      i += 3;
    }
    modules.push_back(top);
    modules.push_back(bottom);
  }
  return modules;
}

// Reads a half-block symbol back as a phone would from the screen: each module becomes 4 by 4
// pixels, dark where the block is drawn.
std::string readHalfBlocks(const std::vector<std::string>& rows) {
  constexpr int kPixels = 4;
  const std::vector<std::vector<bool>> modules = halfBlockModules(rows);
  const int width = static_cast<int>(modules.front().size()) * kPixels;
  const int height = static_cast<int>(modules.size()) * kPixels;
  std::vector<std::uint8_t> luminance(static_cast<std::size_t>(width) * height, 0xFF);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto& row = modules[y / kPixels];
      if (static_cast<std::size_t>(x / kPixels) < row.size() && row[x / kPixels]) {
        luminance[static_cast<std::size_t>(y) * width + x] = 0;
      }
    }
  }
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::QRCode);
  const auto result =
      ZXing::ReadBarcode({luminance.data(), width, height, ZXing::ImageFormat::Lum}, hints);
  const auto& bytes = result.bytes();
  return result.isValid() ? std::string(bytes.begin(), bytes.end()) : "(unreadable)";
}

struct PrintedCode {
  std::vector<std::string> symbol;
  std::string payload;
};

// The symbols the demo printed, each with the payload printed under it.
std::vector<PrintedCode> printedCodes(const std::vector<std::string>& output) {
  std::vector<PrintedCode> codes;
  for (std::size_t i = 0; i < output.size(); ++i) {
    if (output[i].find("\u2588") == std::string::npos) continue;
    // The quiet zone's rows above are spaces.
    while (i > 0 && !output[i - 1].empty()) --i;
    PrintedCode code;
    while (i < output.size() && !output[i].empty()) code.symbol.push_back(output[i++]);
    if (i + 1 < output.size() && output[i + 1].starts_with("Payload: ")) {
      code.payload = output[i + 1].substr(9);
    }
    codes.push_back(code);
  }
  return codes;
}

bool isPng(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string signature(8, '\0');
  in.read(signature.data(), 8);
  return in && signature == "\x89PNG\r\n\x1a\n" && fs::file_size(path) > 10000;
}

TEST(DemoCli, PrintsScannableCodesAndWritesTheScreens) {
  const std::string out = scratchFolder() + "/demo";
  const auto demo = runCli({"demo", "--out", out}, "", {"LC_ALL=en_US.UTF-8"});
  ASSERT_EQ(demo.status, 0) << demo.err;
  EXPECT_EQ(demo.err, "");
  const auto output = linesOf(demo.out);

  const auto codes = printedCodes(output);
  ASSERT_EQ(codes.size(), 2u) << demo.out;
  EXPECT_EQ(codes[0].payload,
            "000201010211021641111111111111115916Zelto Demo Store520454116006Mumbai5802IN"
            "5303356610640000163048887");
  // After the details screen: the amount typed digit by digit, a typed bill number and a
  // terminal ID left for the customer.
  EXPECT_EQ(codes[1].payload,
            "000201010211021641111111111111115916Zelto Demo Store520454116006Mumbai5802IN"
            "530335661064000015405250.062190108INV-10010703***630415CA");
  for (const auto& code : codes) {
    EXPECT_EQ(readHalfBlocks(code.symbol), code.payload);
    // The printed grid is the symbol and four quiet modules on every side: side columns, and
    // side rows (an odd side leaves the last line's lower half empty).
    const auto modules = halfBlockModules(code.symbol);
    const int side = static_cast<int>(modules.front().size());
    ASSERT_EQ(modules.size(), static_cast<std::size_t>(side + side % 2));
    for (const auto& row : modules) ASSERT_EQ(row.size(), static_cast<std::size_t>(side));
    if (side % 2 == 1) {
      EXPECT_EQ(std::ranges::count(modules.back(), true), 0);
    }
    EXPECT_EQ(quietZoneFault(side, [&](int x, int y) { return modules[y][x]; }), "");
  }

  for (const char* name : {"1-qr-screen.png", "2-share-image.png", "3-payment-details.png",
                           "4-qr-screen-updated.png"}) {
    const std::string path = out + "/" + name;
    EXPECT_TRUE(isPng(path)) << path;
    EXPECT_NE(demo.out.find(path), std::string::npos) << path;
  }
}

}  // namespace
}  // namespace zelto::testing

// `zelto qr` and `zelto poster` as a merchant uses them: each format written, opened by the
// tools a print shop would use (pdftoppm, rsvg-convert), and the code read back with ZXing.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <regex>
#include <string>

#include "platform/qr_code.h"
#include "tests/screens/drawn_image.h"
#include "tests/tools/cli_runner.h"

namespace zelto::testing {
namespace {

const std::string kPayload =
    "00020101021102164111111111111111520454115303840540512.505802IN5903ABC6004Pune"
    "62060702T16304";

// What a shell command prints.
std::string commandOutput(const std::string& command) {
  std::string out;
  const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) {
    out.append(buffer, n);
  }
  return out;
}

// The first page of a PDF, or an SVG, drawn to PNG as a print preview would.
DrawnImage rasterised(const std::string& path) {
  const std::string png = path + ".png";
  if (path.ends_with(".svg")) {
    std::system(
        ("rsvg-convert --zoom 2 --background-color white -o '" + png + "' '" + path + "'").c_str());
  } else {
    std::system(("pdftoppm -r 200 -png -singlefile '" + path + "' '" + path + "'").c_str());
  }
  const std::string bytes = readFile(png);
  return DrawnImage(platform::Image("page", {}, std::make_shared<const std::string>(bytes)));
}

std::string payloadWithCrc() {
  const CliResult crc = runCli({"crc", kPayload});
  return kPayload + crc.out.substr(0, 4);
}

TEST(QrCommandTest, PngIsAnExactModuleGridWithItsQuietZone) {
  const std::string payload = payloadWithCrc();
  const std::string path = scratchFolder() + "/code.png";
  const CliResult result = runCli({"qr", payload, "--scale", "3", "--out", path});
  ASSERT_EQ(result.status, 0) << result.err;
  const DrawnImage image(
      platform::Image("qr", {}, std::make_shared<const std::string>(readFile(path))));
  const int side = platform::qrCodeModules(payload)->side;  // symbol + 8 quiet modules
  ASSERT_EQ(image.width, side * 3);
  ASSERT_EQ(image.height, side * 3);
  int dark = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const int red = image.red(x, y);
      ASSERT_TRUE(red == 0 || red == 255) << "blended pixel at " << x << "," << y;
      // Each module is 3 by 3 pixels of one colour.
      ASSERT_EQ(red, image.red(x / 3 * 3, y / 3 * 3)) << x << "," << y;
      const bool quiet = x < 12 || y < 12 || x >= image.width - 12 || y >= image.height - 12;
      if (quiet) {
        ASSERT_EQ(red, 255) << "quiet zone at " << x << "," << y;
      }
      dark += red == 0;
    }
  }
  EXPECT_GT(dark, 0);
  EXPECT_EQ(image.readQr(), payload);
  // Standard output by default, the payload from standard input.
  const CliResult piped = runCli({"qr", "-", "--scale", "3"}, payload + "\n");
  EXPECT_EQ(piped.status, 0);
  EXPECT_EQ(piped.out, readFile(path));
}

TEST(QrCommandTest, VectorFormatsReadBackAtTheirModuleSize) {
  const std::string payload = payloadWithCrc();
  const int side = platform::qrCodeModules(payload)->side;
  for (const std::string format : {"svg", "pdf"}) {
    SCOPED_TRACE(format);
    const std::string path = scratchFolder() + "/code." + format;
    const CliResult result =
        runCli({"qr", payload, "--format", format, "--scale", "4", "--out", path});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(rasterised(path).readQr(), payload);
    if (format == "pdf") {
      const std::string info = commandOutput("pdfinfo '" + path + "'");
      EXPECT_NE(info.find("Page size:       " + std::to_string(side * 4) + " x " +
                          std::to_string(side * 4) + " pts"),
                std::string::npos)
          << info;
    } else {
      const std::string svg = readFile(path);
      EXPECT_NE(svg.find("width=\"" + std::to_string(side * 4) + "pt\""), std::string::npos);
    }
  }
}

TEST(QrCommandTest, RefusesWhatCannotBeACode) {
  const CliResult tooLong = runCli({"qr", std::string(2332, 'A')});
  EXPECT_EQ(tooLong.status, 2);
  EXPECT_NE(tooLong.err.find("at most 2331 bytes"), std::string::npos) << tooLong.err;
  EXPECT_EQ(runCli({"qr", std::string(2331, 'A'), "--scale", "1"}).status, 0);
  EXPECT_EQ(runCli({"qr", "X", "--scale", "0"}).status, 2);
  EXPECT_EQ(runCli({"qr", "X", "--scale", "101"}).status, 2);
  EXPECT_EQ(runCli({"qr", "X", "--format", "gif"}).status, 2);
}

const char kRequest[] = R"({"zeltoMerchantID": "4111111111111111",
  "merchantName": "Asha's Corner Store", "merchantCategoryCode": "5411", "cityName": "Pune",
  "countryCode": "IN", "currencyCode": "356", "transactionAmount": "250.00", "tipAmount": "",
  "tipPercentage": ""})";

TEST(PosterCommandTest, PrintsTheRequestsCodeOnThePaperAsked) {
  const std::string request = writeTempFile("request.json", kRequest);
  const std::string payload = runCli({"encode", request}).out;
  ASSERT_FALSE(payload.empty());
  struct Case {
    std::string size;
    std::string ending;
    std::string pageSize;  // as pdfinfo prints it
  };
  for (const Case& c : {Case{"a6", ".pdf", "297.638 x 419.528 pts"},
                        Case{"a4", ".pdf", "595.276 x 841.89 pts (A4)"}, Case{"a5", ".svg", ""}}) {
    SCOPED_TRACE(c.size + c.ending);
    const std::string path = scratchFolder() + "/poster-" + c.size + c.ending;
    const CliResult result =
        runCli({"poster", "--request", request, "--size", c.size, "--out", path});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(rasterised(path).readQr().value_or("") + "\n", payload);
    if (c.ending == ".pdf") {
      const std::string info = commandOutput("pdfinfo '" + path + "'");
      EXPECT_NE(info.find(c.pageSize), std::string::npos) << info;
      // Every font is embedded: pdffonts prints "yes" in the emb column of each.
      const std::string fonts = commandOutput("pdffonts '" + path + "'");
      EXPECT_NE(fonts.find("Inter"), std::string::npos) << fonts;
      EXPECT_FALSE(std::regex_search(fonts, std::regex(R"( no +(yes|no) +(yes|no) +\d+ +\d+)")))
          << fonts;
      // The merchant's name and the amount are text a reader can find.
      const std::string text = commandOutput("pdftotext '" + path + "' -");
      EXPECT_NE(text.find("Asha's Corner Store"), std::string::npos) << text;
      EXPECT_NE(text.find("INR 250.00"), std::string::npos) << text;
      EXPECT_NE(text.find("Scan to pay"), std::string::npos) << text;
    }
  }
}

TEST(PosterCommandTest, TheCodeIsAtLeastThirtyMillimetresWideOnA6) {
  const std::string request = writeTempFile("request.json", kRequest);
  const std::string path = scratchFolder() + "/poster-size.pdf";
  ASSERT_EQ(runCli({"poster", "--request", request, "--out", path}).status, 0);
  // At 200 pixels an inch, 30 mm is 236 pixels: the widest dark run of the middle row of the
  // code's frame spans more than the code's quiet-zone-free width would at 30 mm.
  const DrawnImage page = rasterised(path);
  int left = page.width, right = 0;
  for (int y = 0; y < page.height; ++y) {
    for (int x = 0; x < page.width; ++x) {
      if (page.red(x, y) < 60 && page.green(x, y) < 60 && page.blue(x, y) < 60) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
  }
  EXPECT_GT(right - left, 236 * 0.8) << left << ".." << right;
}

TEST(PosterCommandTest, RefusesAnInvalidRequestAndUnknownFormats) {
  const std::string invalid = writeTempFile("invalid.json", R"({"merchantName": "ABC"})");
  const CliResult refused =
      runCli({"poster", "--request", invalid, "--out", scratchFolder() + "/x.pdf"});
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("zelto: "), std::string::npos);
  const std::string request = writeTempFile("request.json", kRequest);
  const CliResult png = runCli({"poster", "--request", request, "--out", "x.png"});
  EXPECT_EQ(png.status, 2);
  EXPECT_NE(png.err.find(".pdf or .svg"), std::string::npos);
}

}  // namespace
}  // namespace zelto::testing

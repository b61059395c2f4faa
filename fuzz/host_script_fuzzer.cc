// `zelto host` scripts: each line of the input is read as a script line and run by a host.
// Properties: nothing crashes or leaks; a line is skipped, refused with an error, or gives a
// command whose arguments keep the reader's promises (an ID or FILE is never empty, N and
// SECONDS are in range).
// Files to launch are looked up in a scratch folder holding three: "r" (a payment request), "t"
// (a merchant tag dictionary) and "f" (a refund request). Commands that write
// files (snapshot, share) are read but not run.
#include <stdlib.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "host/host_script.h"
#include "host/host_session.h"

namespace {

using zelto::host::HostVerb;

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
  }
}

// The scratch folder, with its three files written.
std::filesystem::path scratchFolder() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "zelto-host-fuzz-XXXXXX").string();
  check(mkdtemp(pattern.data()) != nullptr, "scratch folder created");
  const std::filesystem::path folder(pattern);
  std::ofstream(folder / "r") << R"({"zeltoMerchantID": "4111111111111111", "merchantName": "ABC",
    "merchantCategoryCode": "5411", "cityName": "Pune", "countryCode": "IN",
    "currencyCode": "840", "tipAmount": "", "tipPercentage": "", "billID": "***"})";
  std::ofstream(folder / "t") << R"({"00": "01", "01": "12", "02": "4111111111111111", "52": "5411",
    "53": "356", "58": "IN", "59": "ABC", "60": "Pune", "62": {"07": "T1"}})";
  std::ofstream(folder / "f") << R"({"last4": "4242", "cardHolderName": "Asha Rao",
    "currencyCode": "840", "refundAmount": "25.50"})";
  ::setenv("XDG_CONFIG_HOME", pattern.c_str(), 1);
  return folder;
}

bool needsTarget(HostVerb verb) {
  return verb != HostVerb::kAdvance && verb != HostVerb::kShow && verb != HostVerb::kPayload &&
         verb != HostVerb::kRequest && verb != HostVerb::kEndFlow && verb != HostVerb::kDelegate &&
         verb != HostVerb::kCurrencies;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path folder = scratchFolder();
  std::string_view script(reinterpret_cast<const char*>(data), size);
  std::ostringstream sink;
  zelto::host::HostSession host(sink);
  for (int number = 1; !script.empty(); ++number) {
    const std::size_t end = script.find('\n');
    const std::string_view line = script.substr(0, end);
    script = end == std::string_view::npos ? std::string_view() : script.substr(end + 1);

    const auto parsed = zelto::host::parseScriptLine(line);
    if (!parsed.command) continue;
    auto command = *parsed.command;
    check(parsed.error.empty(), "a command comes without an error");
    check(!needsTarget(command.verb) || !command.target.empty(), "ID, FILE or TITLE not empty");
    check(command.count >= 1 && command.count <= zelto::host::kMaxDeleteCount, "N in range");
    check(std::isfinite(command.seconds) && command.seconds >= 0 &&
              command.seconds <= zelto::host::kMaxAdvanceSeconds,
          "SECONDS in range");
    if (command.verb == HostVerb::kSnapshot || command.verb == HostVerb::kShare) continue;
    if (command.verb == HostVerb::kLaunchRequest || command.verb == HostVerb::kLaunchRequestTags ||
        command.verb == HostVerb::kLaunchRefund) {
      command.target = (folder / command.target).string();
    }
    host.run(number, command);
  }
  return 0;
}

// The script language of `zelto host`: one command a line.
//
// A line is trimmed of spaces and tabs (and of the "\r" of a "\r\n" line end). An empty line,
// or one whose first character is "#", is skipped. Otherwise the first word names the command
// and the words after it are its arguments, separated by spaces or tabs. An argument that
// begins with a double quote is a JSON string literal ("two words", "tab\there", "") and may
// hold anything a JSON string can.
//
//   launch-request FILE          launch-request --tags FILE       launch-refund FILE
//   tap ID                       type ID TEXT                     delete ID [N]
//   toggle ID                    alert TITLE                      advance SECONDS
//   show [ID]                    payload                          request
//   snapshot FILE.png            share FILE.png                   end-flow
//   delegate on|off              currencies                       scroll ID POINTS
//   config FILE
//
// TEXT and TITLE are the rest of the line as written (inner spaces kept), or one JSON string
// literal. N is a whole number from 1 to 1000 (1 when left out); SECONDS a decimal number from
// 0 to 100000; POINTS a decimal number from -100000 to 100000 (positive scrolls down). Nothing else
// is accepted: a line that breaks these rules gets an error naming what is wrong, and no command.
//
// Thread-safety: pure functions.
#ifndef ZELTO_HOST_HOST_SCRIPT_H_
#define ZELTO_HOST_HOST_SCRIPT_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelto::host {

enum class HostVerb {
  kLaunchRequest,
  kLaunchRequestTags,
  kLaunchRefund,
  kTap,
  kType,
  kDelete,
  kToggle,
  kAlert,
  kAdvance,
  kShow,
  kPayload,
  kRequest,
  kSnapshot,
  kShare,
  kEndFlow,
  kDelegate,
  kCurrencies,
  kScroll,
  kConfig,
};
inline constexpr std::size_t kHostVerbCount = static_cast<std::size_t>(HostVerb::kConfig) + 1;

inline constexpr int kMaxDeleteCount = 1000;
inline constexpr double kMaxAdvanceSeconds = 100000;
inline constexpr double kMaxScrollPoints = 100000;

struct HostCommand {
  HostVerb verb = HostVerb::kShow;
  // The FILE, ID or TITLE the command names; empty for commands without one.
  std::string target;
  std::string text;    // type
  int count = 1;       // delete
  double seconds = 0;  // advance
  double points = 0;   // scroll
  bool on = false;     // delegate
};

// The command word as scripts write it ("launch-request" for both launch-request forms).
std::string_view verbName(HostVerb verb);

struct ScriptLine {
  // Absent for a skipped line and for a bad one; `error` says what is wrong with a bad one.
  std::optional<HostCommand> command;
  std::string error;
};

ScriptLine parseScriptLine(std::string_view line);

}  // namespace zelto::host

#endif  // ZELTO_HOST_HOST_SCRIPT_H_

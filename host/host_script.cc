#include "host/host_script.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>
#include <utility>

#include "base/json_reader.h"
#include "base/text.h"

namespace zelto::host {
namespace {

constexpr std::array<std::pair<std::string_view, HostVerb>, 18> kVerbs = {{
    {"launch-request", HostVerb::kLaunchRequest},
    {"launch-refund", HostVerb::kLaunchRefund},
    {"tap", HostVerb::kTap},
    {"type", HostVerb::kType},
    {"delete", HostVerb::kDelete},
    {"toggle", HostVerb::kToggle},
    {"alert", HostVerb::kAlert},
    {"advance", HostVerb::kAdvance},
    {"show", HostVerb::kShow},
    {"payload", HostVerb::kPayload},
    {"request", HostVerb::kRequest},
    {"snapshot", HostVerb::kSnapshot},
    {"share", HostVerb::kShare},
    {"end-flow", HostVerb::kEndFlow},
    {"delegate", HostVerb::kDelegate},
    {"currencies", HostVerb::kCurrencies},
    {"scroll", HostVerb::kScroll},
    {"config", HostVerb::kConfig},
}};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Reads the words of one line from left to right.
class Words {
 public:
  explicit Words(std::string_view line) : line_(line) {}

  bool atEnd() {
    skipBlanks();
    return pos_ == line_.size();
  }

  // The next word, unquoted; absent at the end of the line or after a bad string literal (then
  // error() says why).
  std::optional<std::string> next() {
    if (atEnd()) return std::nullopt;
    if (line_[pos_] == '"') return literal();
    const std::size_t start = pos_;
    while (pos_ < line_.size() && !isBlank(line_[pos_])) ++pos_;
    return std::string(line_.substr(start, pos_ - start));
  }

  // The rest of the line as written, or the one string literal it consists of.
  std::optional<std::string> rest() {
    if (atEnd()) return std::string();
    if (line_[pos_] != '"') {
      std::string text(line_.substr(pos_));
      pos_ = line_.size();
      return text;
    }
    auto text = literal();
    if (text && !atEnd()) {
      error_ = "nothing may follow the quoted text";
      return std::nullopt;
    }
    return text;
  }

  const std::string& error() const { return error_; }

 private:
  void skipBlanks() {
    while (pos_ < line_.size() && isBlank(line_[pos_])) ++pos_;
  }

  std::optional<std::string> literal() {
    const std::size_t start = pos_;
    std::size_t end = start + 1;
    while (end < line_.size() && line_[end] != '"') end += line_[end] == '\\' ? 2 : 1;
    if (end >= line_.size()) {
      error_ = "the quoted text has no closing quote";
      return std::nullopt;
    }
    pos_ = end + 1;
    if (pos_ < line_.size() && !isBlank(line_[pos_])) {
      error_ = "a quoted argument must be followed by a space";
      return std::nullopt;
    }
    json::ReadResult read = json::read(line_.substr(start, pos_ - start));
    if (!read.value || !read.value->is_string()) {
      error_ = read.error == json::ReadResult::Error::kControlCharacter
                   ? "the quoted text holds " + read.reason + ", a control character"
                   : "the quoted text is not a valid JSON string";
      return std::nullopt;
    }
    return read.value->get<std::string>();
  }

  std::string_view line_;
  std::size_t pos_ = 0;
  std::string error_;
};

ScriptLine bad(std::string message) { return {std::nullopt, std::move(message)}; }

// The required argument `what` of `verb`.
std::optional<std::string> required(Words& words, HostVerb verb, std::string_view what,
                                    std::string& error) {
  auto word = words.next();
  if (!word && words.error().empty()) {
    error = std::string(verbName(verb)) + " needs " + std::string(what);
  } else if (!word) {
    error = words.error();
  } else if (word->empty()) {
    error = std::string(what) + " must not be empty";
    return std::nullopt;
  }
  return word;
}

}  // namespace

std::string_view verbName(HostVerb verb) {
  if (verb == HostVerb::kLaunchRequestTags) return "launch-request";
  for (const auto& [name, value] : kVerbs) {
    if (value == verb) return name;
  }
  return "";
}

ScriptLine parseScriptLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos || line[first] == '#') return {};
  Words words(line);
  auto word = words.next();
  if (!word) return bad(words.error());
  const auto* found = std::find_if(kVerbs.begin(), kVerbs.end(),
                                   [&](const auto& entry) { return entry.first == *word; });
  if (found == kVerbs.end()) return bad("unknown command \"" + *word + "\"");

  HostCommand command;
  command.verb = found->second;
  std::string error;
  const auto need = [&](std::string_view what) -> bool {
    auto argument = required(words, command.verb, what, error);
    if (argument) command.target = std::move(*argument);
    return argument.has_value();
  };
  switch (command.verb) {
    case HostVerb::kLaunchRequest: {
      if (!need("a FILE")) return bad(error);
      if (command.target == "--tags") {
        command.verb = HostVerb::kLaunchRequestTags;
        if (!need("a FILE after --tags")) return bad(error);
      }
      break;
    }
    case HostVerb::kLaunchRefund:
    case HostVerb::kConfig:
      if (!need("a FILE")) return bad(error);
      break;
    case HostVerb::kSnapshot:
    case HostVerb::kShare:
      if (!need("a FILE.png")) return bad(error);
      break;
    case HostVerb::kTap:
    case HostVerb::kToggle:
      if (!need("an ID")) return bad(error);
      break;
    case HostVerb::kType: {
      if (!need("an ID")) return bad(error);
      auto text = words.rest();
      if (!text) return bad(words.error());
      command.text = std::move(*text);
      return {std::move(command), ""};
    }
    case HostVerb::kAlert: {
      auto title = words.rest();
      if (!title) return bad(words.error());
      if (title->empty()) return bad("alert needs the TITLE of an action");
      command.target = std::move(*title);
      return {std::move(command), ""};
    }
    case HostVerb::kDelete: {
      if (!need("an ID")) return bad(error);
      if (words.atEnd()) break;
      const auto count = words.next();
      if (!count) return bad(words.error());
      const auto value = text::parseInteger(*count);
      if (!value || *value < 1 || *value > kMaxDeleteCount) {
        return bad("N must be a whole number from 1 to " + std::to_string(kMaxDeleteCount) +
                   ", not \"" + *count + "\"");
      }
      command.count = static_cast<int>(*value);
      break;
    }
    case HostVerb::kAdvance: {
      const auto seconds = words.next();
      if (!seconds) return bad(words.error().empty() ? "advance needs SECONDS" : words.error());
      const auto value = text::parseDouble(*seconds);
      if (!value || *value < 0 || *value > kMaxAdvanceSeconds) {
        return bad("SECONDS must be a number from 0 to 100000, not \"" + *seconds + "\"");
      }
      command.seconds = *value;
      break;
    }
    case HostVerb::kScroll: {
      if (!need("an ID")) return bad(error);
      const auto points = words.next();
      if (!points) return bad(words.error().empty() ? "scroll needs POINTS" : words.error());
      const auto value = text::parseDouble(*points);
      if (!value || *value < -kMaxScrollPoints || *value > kMaxScrollPoints) {
        return bad("POINTS must be a number from -100000 to 100000, not \"" + *points + "\"");
      }
      command.points = *value;
      break;
    }
    case HostVerb::kDelegate: {
      const auto state = words.next();
      if (!state && !words.error().empty()) return bad(words.error());
      if (!state || (*state != "on" && *state != "off")) return bad("delegate takes on or off");
      command.on = *state == "on";
      break;
    }
    case HostVerb::kShow:
      if (!words.atEnd() && !need("an ID")) return bad(error);
      break;
    case HostVerb::kPayload:
    case HostVerb::kRequest:
    case HostVerb::kEndFlow:
    case HostVerb::kCurrencies:
    case HostVerb::kLaunchRequestTags:
      break;
  }
  if (!words.atEnd()) {
    const auto extra = words.next();
    return bad(std::string(verbName(command.verb)) + " takes no more arguments" +
               (extra ? ", not \"" + *extra + "\"" : ""));
  }
  return {std::move(command), ""};
}

}  // namespace zelto::host

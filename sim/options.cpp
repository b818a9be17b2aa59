// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/options.h"

#include "sim/cf_card.h"
#include "sim/conditions.h"
#include "sim/graphs.h"
#include "sim/profile_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

namespace kvsim {
namespace {

constexpr std::size_t kMaxVersionText = 52;
constexpr std::size_t kMaxReplyLength = 512;
constexpr std::uint32_t kMaxGraphTotal = 10000;
constexpr std::uint32_t kMaxRecordsPerReply = 1000;
constexpr std::uint32_t kMaxReplyDelayMs = 1000;
constexpr std::uint32_t kMaxReplies = 0xFFFFFFFF;

// Sets one option from its value; returns the problem, empty when fine.
using Setter = std::string (*)(Options&, std::string_view);

std::string SetByte(std::uint8_t& target, std::string_view value) {
  const auto number = ParseNumber(value, 255);
  if (!number) return "expects a number from 0 to 255";
  target = static_cast<std::uint8_t>(*number);
  return {};
}

std::string SetPort(Options& options, std::string_view value) {
  const auto number = ParseNumber(value, 65535);
  if (!number) return "expects a port number from 0 to 65535";
  options.port = static_cast<std::uint16_t>(*number);
  return {};
}

std::string SetVersion(Options& options, std::string_view value) {
  if (value.size() > kMaxVersionText) return "takes at most 52 characters";
  options.config.version = value;
  return {};
}

std::string SetStatuses(Options& options, std::string_view value) {
  std::vector<std::uint16_t> statuses;
  for (std::size_t start = 0; start <= value.size();) {
    const std::size_t end = std::min(value.find(',', start), value.size());
    const auto number = ParseNumber(value.substr(start, end - start), 0xFFFF);
    if (!number) return "expects status words 0 to 0xFFFF separated by commas";
    statuses.push_back(static_cast<std::uint16_t>(*number));
    start = end + 1;
  }
  options.config.statuses = std::move(statuses);
  return {};
}

std::string SetFault(Options& options, std::string_view value) {
  if (value == "none") {
    options.config.fault = Fault::None;
  } else if (value == "no-answer") {
    options.config.fault = Fault::NoAnswer;
  } else if (value == "short-answer") {
    options.config.fault = Fault::ShortAnswer;
  } else {
    return "expects none, no-answer or short-answer";
  }
  return {};
}

std::string SetShortLength(Options& options, std::string_view value) {
  const auto number = ParseNumber(value, kMaxReplyLength);
  if (!number) return "expects a byte count from 0 to 512";
  options.config.shortLength = *number;
  return {};
}

// A count from `min` to `max`.
std::string SetCount(std::size_t& target, std::string_view value, std::uint32_t min,
                     std::uint32_t max) {
  const auto number = ParseNumber(value, max);
  if (!number || *number < min) {
    return "expects a number from " + std::to_string(min) + " to " + std::to_string(max);
  }
  target = *number;
  return {};
}

// A count where none leaves the feature off.
std::string SetOptionalCount(std::optional<std::size_t>& target, std::string_view value,
                             std::uint32_t min, std::uint32_t max) {
  std::size_t count = 0;
  if (std::string problem = SetCount(count, value, min, max); !problem.empty()) return problem;
  target = count;
  return {};
}

std::string SetCode(std::uint8_t& target, std::string_view value, std::size_t codes) {
  std::size_t code = 0;
  if (std::string problem = SetCount(code, value, 0, static_cast<std::uint32_t>(codes - 1));
      !problem.empty()) {
    return problem;
  }
  target = static_cast<std::uint8_t>(code);
  return {};
}

std::string SetSeed(Options& options, std::string_view value) {
  const auto number = ParseNumber(value, 0xFFFFFFFF);
  if (!number) return "expects a number from 0 to 4294967295";
  options.config.seed = *number;
  return {};
}

std::string SetProfile(Options& options, std::string_view value) {
  LoadedProfile loaded = LoadProfile(std::string(value));
  if (!loaded.problem.empty()) return "file " + loaded.problem;
  options.config.profile = std::move(loaded.values);
  return {};
}

// NAME=D: the parameter NAME ("Ra") reported larger by D.
std::string SetParameterOffset(Options& options, std::string_view value) {
  const std::size_t equals = value.find('=');
  if (equals == 0 || equals == std::string_view::npos) return "expects NAME=D, e.g. Ra=0.01";
  const std::string_view offset = value.substr(equals + 1);
  double number = 0;
  const auto [end, error] = std::from_chars(offset.data(), offset.data() + offset.size(), number);
  if (offset.empty() || error != std::errc() || end != offset.data() + offset.size() ||
      !std::isfinite(number)) {
    return "expects NAME=D, e.g. Ra=0.01";
  }
  options.config.parameterOffset =
      Config::ParameterOffset{std::string(value.substr(0, equals)), number};
  return {};
}

// TYPE=N: graph type 0 (ADC), 1 (BAC) or 2 (POW), and its value count.
std::string SetGraphTotal(Options& options, std::string_view value) {
  const std::size_t equals = value.find('=');
  const auto type = ParseNumber(value.substr(0, equals), kGraphTypes - 1);
  if (equals == std::string_view::npos || !type) {
    return "expects TYPE=N with a graph type 0 (ADC), 1 (BAC) or 2 (POW)";
  }
  return SetCount(options.config.graphTotals[*type], value.substr(equals + 1), 0, kMaxGraphTotal);
}

std::string SetCardFolder(Options& options, std::string_view value) {
  LoadedCard card = LoadCardFolder(std::string(value));
  if (!card.problem.empty()) return "folder " + card.problem;
  options.config.cardFiles = std::move(card.files);
  return {};
}

std::string SetCardZeroSize(Options& options, std::string_view value) {
  if (value.empty()) return "expects a file name";
  options.config.cardZeroSize = value;
  return {};
}

std::string SetReplyDelay(Options& options, std::string_view value) {
  std::size_t milliseconds = 0;
  if (std::string problem = SetCount(milliseconds, value, 0, kMaxReplyDelayMs); !problem.empty()) {
    return problem;
  }
  options.config.replyDelayMs = static_cast<std::uint32_t>(milliseconds);
  return {};
}

std::string SetDataFilePath(Options& options, std::string_view value) {
  if (value.empty()) return "expects a file path";
  options.dataFilePath = value;
  return {};
}

std::string SetDataFileUnit(Options& options, std::string_view value) {
  if (value != "metric" && value != "inch") return "expects metric or inch";
  options.dataFileInch = value == "inch";
  return {};
}

std::string SetDataFileLineEnds(Options& options, std::string_view value) {
  if (value != "lf" && value != "crlf") return "expects lf or crlf";
  options.dataFileCrLf = value == "crlf";
  return {};
}

struct ValueOption {
  std::string_view name;
  Setter set;
};

constexpr ValueOption kValueOptions[] = {
    {"--port", SetPort},
    {"--version", SetVersion},
    {"--language", [](Options& o, std::string_view v) { return SetByte(o.config.language, v); }},
    {"--unit", [](Options& o, std::string_view v) { return SetByte(o.config.unit, v); }},
    {"--evaluation-flag",
     [](Options& o, std::string_view v) { return SetByte(o.config.evaluationFlag, v); }},
    {"--status", SetStatuses},
    {"--fault", SetFault},
    {"--short-length", SetShortLength},
    {"--drop-after",
     [](Options& o, std::string_view v) {
       return SetOptionalCount(o.config.dropAfter, v, 1, kMaxReplies);
     }},
    {"--zero-reply-at",
     [](Options& o, std::string_view v) {
       return SetOptionalCount(o.config.zeroReplyAt, v, 1, kMaxReplies);
     }},
    {"--stall-at",
     [](Options& o, std::string_view v) {
       return SetOptionalCount(o.config.stallAt, v, 1, kMaxReplies);
     }},
    {"--reply-delay-ms", SetReplyDelay},
    {"--seed", SetSeed},
    {"--points",
     [](Options& o, std::string_view v) {
       return SetCount(o.config.points, v, kMinPoints, kMaxPoints);
     }},
    {"--cutoff-code",
     [](Options& o, std::string_view v) {
       return SetCode(o.config.cutoffCode, v, kCutoffMillimetres.size());
     }},
    {"--pitch-code",
     [](Options& o, std::string_view v) {
       return SetCode(o.config.pitchCode, v, kPitchMicrometres.size());
     }},
    {"--profile", SetProfile},
    {"--evaluation-total",
     [](Options& o, std::string_view v) {
       return SetOptionalCount(o.config.evaluationTotal, v, 0, kMaxPoints);
     }},
    {"--graph-total", SetGraphTotal},
    {"--parameter-offset", SetParameterOffset},
    {"--records-per-reply",
     [](Options& o, std::string_view v) {
       return SetCount(o.config.recordsPerReply, v, 0, kMaxRecordsPerReply);
     }},
    {"--profile-stops-after",
     [](Options& o, std::string_view v) {
       return SetOptionalCount(o.config.profileStopsAfter, v, 0, kMaxReplies);
     }},
    {"--print-key-after",
     [](Options& o, std::string_view v) {
       return SetOptionalCount(o.config.printKeyAfter, v, 1, kMaxReplies);
     }},
    {"--card-folder", SetCardFolder},
    {"--card-zero-size", SetCardZeroSize},
    {"--card-stops-after",
     [](Options& o, std::string_view v) {
       return SetOptionalCount(o.config.cardStopsAfter, v, 0, kMaxReplies);
     }},
    {"--write-data-file", SetDataFilePath},
    {"--data-file-unit", SetDataFileUnit},
    {"--data-file-line-ends", SetDataFileLineEnds},
};

}  // namespace

std::optional<std::uint32_t> ParseNumber(std::string_view text, std::uint32_t max) {
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
    base = 16;
  }
  std::uint32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, base);
  if (text.empty() || error != std::errc() || stop != end || value > max) return std::nullopt;
  return value;
}

ParsedOptions ParseOptions(std::span<const char* const> arguments) {
  Options options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view name = arguments[i];
    if (name == "--help") {
      options.help = true;
      continue;
    }
    if (name == "--log") {
      options.config.log = true;
      continue;
    }
    const ValueOption* option = nullptr;
    for (const ValueOption& candidate : kValueOptions) {
      if (candidate.name == name) option = &candidate;
    }
    if (option == nullptr) return {std::nullopt, "unknown option " + std::string(name)};
    if (i + 1 == arguments.size()) return {std::nullopt, std::string(name) + " needs a value"};
    const std::string_view value = arguments[++i];
    if (std::string problem = option->set(options, value); !problem.empty()) {
      return {std::nullopt,
              std::string(name) + " " + problem + ", not \"" + std::string(value) + "\""};
    }
  }
  return {options, {}};
}

std::string Usage() {
  return "Usage: kv730-sim [options]\n"
         "Simulates the KV-730 controller behind a loopback TCP port.\n"
         "  --port N               port on 127.0.0.1 (0, the default, picks a free one)\n"
         "  --version TEXT         version text (default \"Ver 1.103\", at most 52 characters)\n"
         "  --version              alone: print the simulator's version and end\n"
         "  --language N           language number the controller reports (default 1)\n"
         "  --unit N               0 metric (default), 1 inch\n"
         "  --evaluation-flag N    controller evaluation flag (default 0)\n"
         "  --status LIST          status words answered in turn, e.g. 0x0010,0 (default 0)\n"
         "  --fault KIND           none (default), no-answer or short-answer\n"
         "  --short-length N       reply length with --fault short-answer (default 8)\n"
         "  --log                  print every request as hex on standard error\n"
         "Link faults (replies are counted from 1 since the device was last opened):\n"
         "  --drop-after N         close the link after the Nth reply\n"
         "  --zero-reply-at N      deliver 0 bytes for the Nth reply, once\n"
         "  --stall-at N           answer no read from the Nth reply on (the link stays open)\n"
         "  --reply-delay-ms M     deliver each reply M ms late, 0 to 1000 (default 0)\n"
         "  --print-key-after N    press the print key at the Nth print-key poll, once\n"
         "The measurement:\n"
         "  --seed N               seed of the generated profile (default 732)\n"
         "  --points N             generated profile points, 16 to 50001 (default 4801)\n"
         "  --cutoff-code N        cut-off 0 (0.025 mm) to 7 (80 mm) (default 3, 0.8 mm)\n"
         "  --pitch-code N         sampling pitch 0 (0.05 um) to 6 (50 um) (default 3, 1 um)\n"
         "  --profile FILE         measured profile instead, one value in um per line\n"
         "  --evaluation-total N   evaluation values reported per set (default all)\n"
         "  --graph-total TYPE=N   values of graph 0 ADC (51), 1 BAC (101), 2 POW (256)\n"
         "  --parameter-offset NAME=D  report parameter NAME (e.g. Ra) larger by D, as a\n"
         "                         controller whose calculation is off\n"
         "  --records-per-reply N  profile records per 0x2340 reply (default 15; more\n"
         "                         than 15 are reported but cut to the 320-byte reply)\n"
         "  --profile-stops-after N  0x2340 replies before it answers no more\n"
         "The CF card (default: five generated data files KV000001.TXT to KV000005.TXT,\n"
         "metric and inch, the last with a 50,001-point evaluation):\n"
         "  --card-folder DIR      the card holds every *.TXT file of DIR instead\n"
         "  --card-zero-size NAME  report size 0 for the listed file NAME\n"
         "  --card-stops-after N   0x7007 content replies before it answers no more\n"
         "  --write-data-file PATH write the measurement as a controller data file and end\n"
         "  --data-file-unit U     metric or inch (default: as --unit); sets the unit of\n"
         "                         the measurement too\n"
         "  --data-file-line-ends E  lf (default) or crlf\n"
         "  --help                 show this text\n"
         "Standard input takes: print (press the print key), status N, quit.\n";
}

}  // namespace kvsim

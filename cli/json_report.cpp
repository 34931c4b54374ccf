// The JSON report of one file, through nlohmann-json.
#include "cli/json_report.h"

#include <cmath>
#include <cstdio>

#include <nlohmann/json.hpp>

#include "cli/cli_host.h"
#include "engine/direction.h"
#include "frontend/stop_scope.h"

namespace tessaro::cli {
namespace {

using Json = nlohmann::ordered_json;

bool IsValidUtf8(const std::string& text) {
  try {
    (void)Json(text).dump();
    return true;
  } catch (const Json::type_error&) {
    return false;
  }
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char two[3];
  for (const char c : bytes) {
    std::snprintf(two, sizeof two, "%02x", static_cast<unsigned char>(c));
    out += two;
  }
  return out;
}

// Puts a path under name; one that is not valid UTF-8 also under name + "Hex".
void PutPath(Json& object, const std::string& name, const std::string& path) {
  object[name] = path;
  if (!IsValidUtf8(path)) object[name + "Hex"] = Hex(path);
}

Json Number(double value) { return std::isfinite(value) ? Json(value) : Json(nullptr); }

const char* DirectionName(Direction direction) {
  switch (direction) {
    case Direction::kAacToWav: return "aac_to_wav";
    case Direction::kWavToAac: return "wav_to_aac";
    case Direction::kNone: break;
  }
  return nullptr;
}

std::string WithoutLineEnd(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

// Channels of a channel configuration: 1..6 as numbered, 7 is 7.1 (8
// channels); 0 says the stream describes them itself (null).
Json ChannelCount(int configuration) {
  if (configuration <= 0) return nullptr;
  return configuration == 7 ? 8 : configuration;
}

// The flavours of the blocks found (WAV to AAC) or written (AAC to WAV).
Json FlavourName(FlavoursSeen flavours) {
  switch (flavours) {
    case FlavoursSeen::kClassic: return "classic";
    case FlavoursSeen::kEditors: return "editors";
    case FlavoursSeen::kMixed: return "mixed";
    case FlavoursSeen::kNone: break;
  }
  return nullptr;
}

const char* StatusWord(int exitStatus) {
  return exitStatus == kExitOk ? "ok" : exitStatus == kExitFailed ? "failed" : "damaged";
}

std::string Line(const Json& j) {
  return j.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

// A line whose exit status (and input size) only a stop will know: "stopped",
// and the stop's marks (frontend/stop_scope.h) in place of the numbers.
std::string StoppedLine(Json j) {
  constexpr int kStatusPlaceholder = -1957747793;
  constexpr int kSizePlaceholder = -1957747794;
  j["status"] = "stopped";
  j["exitStatus"] = kStatusPlaceholder;
  if (j.contains("inputSize")) j["inputSize"] = kSizePlaceholder;
  std::string line = Line(j);
  // The last such text is the field: no path comes after these fields.
  const auto mark = [&line](const char* key, int placeholder, char stopMark) {
    const std::string number = std::string("\"") + key + "\":" + std::to_string(placeholder);
    const size_t at = line.rfind(number);
    if (at != std::string::npos) {
      line.replace(at, number.size(), std::string("\"") + key + "\":" + stopMark);
    }
  };
  mark("exitStatus", kStatusPlaceholder, kStopStatusMark);
  mark("inputSize", kSizePlaceholder, kStopInputSizeMark);
  return line;
}

}  // namespace

const char* RunErrorCode(const ConversionResult& r) {
  if (r.failed) return FailureCode(r.failure == Failure::kNone ? Failure::kUnexpected : r.failure);
  if (r.anomalyCount > 0) return "stream_damaged";
  if (r.noFrameFound) return "no_frame_found";
  if (r.mismatchCount > 0) return "checksum_mismatch";
  return nullptr;
}

namespace {

Json ReportObject(const FileReport& report) {
  const ConversionResult& r = report.result;
  const Direction direction = DirectionOf(report.request);
  const char* directionName = DirectionName(direction);
  const int exitStatus = StatusOfConversion(r);
  const bool aacToWav = direction == Direction::kAacToWav;
  const bool wavToAac = direction == Direction::kWavToAac;
  const bool frameTaken = r.channels >= 0;
  const char* errorCode = RunErrorCode(r);

  Json j;
  j["schema"] = kJsonSchema;
  j["kind"] = "file";
  j["mode"] = report.check ? "check" : "convert";
  PutPath(j, "input", report.request.inputPath);
  if (report.check || report.request.outputPath.empty()) {
    j["output"] = nullptr;
  } else {
    PutPath(j, "output", report.request.outputPath);
  }
  j["direction"] = directionName ? Json(directionName) : Json(nullptr);
  j["status"] = StatusWord(exitStatus);
  j["exitStatus"] = exitStatus;
  j["errorCode"] = errorCode ? Json(errorCode) : Json(nullptr);
  j["error"] = r.failed ? Json(WithoutLineEnd(report.message)) : Json(nullptr);
  j["inputSize"] = r.failed && !r.inputOpened ? Json(nullptr) : Json(r.inputSize);
  j["outputSize"] = r.failed || report.check ? Json(nullptr) : Json(r.outputSize);
  j["sampleRate"] = r.samplingFrequency ? Json(r.samplingFrequency) : Json(nullptr);
  j["channelConfiguration"] = frameTaken ? Json(r.channels) : Json(nullptr);
  j["channelCount"] = frameTaken ? ChannelCount(r.channels) : Json(nullptr);
  j["delayMs"] = aacToWav ? Json(report.request.delayMs) : Json(nullptr);
  j["dataStart"] = wavToAac && r.blockLength ? Json(r.dataStart) : Json(nullptr);
  j["blockLength"] = wavToAac && r.blockLength ? Json(r.blockLength) : Json(nullptr);
  j["frames"] = r.framesFound;
  j["outputFrames"] = r.outputFrames;
  j["durationSeconds"] = r.failed ? Json(nullptr) : Number(r.seconds);
  j["damageCount"] = r.anomalyCount;
  j["damage"] = Json::array();
  for (const DamagePlace& d : r.damage) {
    j["damage"].push_back({{"seconds", Number(d.seconds)}, {"offset", d.offset}});
  }
  j["mismatchCount"] = r.mismatchCount;
  j["mismatches"] = Json::array();
  for (const MismatchPlace& m : r.mismatches) {
    j["mismatches"].push_back({{"offset", m.offset},
                               {"sum", m.computed.sum},
                               {"xor", m.computed.exclusiveOr},
                               {"stored", m.stored}});
  }
  j["noFrameFound"] = r.noFrameFound;
  j["blockFlavour"] = FlavourName(r.flavours);
  j["warning"] = report.warning.empty() ? Json(nullptr) : Json(WithoutLineEnd(ConsoleText(report.warning)));
  return j;
}

}  // namespace

std::string JsonReportLine(const FileReport& report) { return Line(ReportObject(report)); }

std::string JsonStoppedLine(const FileReport& report) {
  Json j = ReportObject(report);
  j["errorCode"] = FailureCode(Failure::kStopped);
  // What a stop cuts short is not known; the input's size is once it is open.
  for (const char* cut : {"outputSize", "sampleRate", "channelConfiguration", "channelCount",
                          "dataStart", "blockLength", "frames", "outputFrames", "durationSeconds",
                          "damageCount", "mismatchCount", "noFrameFound", "blockFlavour"}) {
    j[cut] = nullptr;
  }
  return StoppedLine(std::move(j));
}

std::string JsonUsageLine(Failure usage, const std::string& message) {
  Json j;
  j["schema"] = kJsonSchema;
  j["kind"] = "usage";
  j["status"] = "usage";
  j["exitStatus"] = static_cast<int>(kExitUsage);
  j["errorCode"] = FailureCode(usage);
  j["error"] = message.empty() ? Json(nullptr) : Json(message);
  return Line(j);
}

std::string JsonSummaryLine(const RunSummary& s) {
  Json j;
  j["schema"] = kJsonSchema;
  j["kind"] = "summary";
  j["mode"] = s.check ? "check" : "batch";
  j["files"] = s.files;
  j["ok"] = s.ok;
  j["damaged"] = s.damaged;
  j["failed"] = s.failed;
  j["status"] = StatusWord(s.exitStatus);
  j["exitStatus"] = s.exitStatus;
  return s.stopped ? StoppedLine(std::move(j)) : Line(j);
}

}  // namespace tessaro::cli

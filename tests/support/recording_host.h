#pragma once
// A ConversionHost that records every call, keeps the info text the way a
// front end holds it, and remembers what a redraw would have shown.

#include <string>
#include <vector>

#include "engine/conversion_host.h"

namespace tessaro::testing {

struct HostCall {
  enum class Kind { kProgress, kSetInfo, kAppendInfo, kPump, kError };
  Kind kind;
  std::string text;  // info or error text
  int value = 0;     // percent, or writeLog
  bool redraw = false;
};

class RecordingHost : public ConversionHost {
 public:
  void SetProgress(int percent) override {
    calls.push_back({HostCall::Kind::kProgress, {}, percent, false});
  }
  void SetInfoText(const std::string& text, bool redraw) override {
    calls.push_back({HostCall::Kind::kSetInfo, text, 0, redraw});
    info = text;
    if (redraw) shown.push_back(info);
  }
  void AppendInfoText(const std::string& text, bool redraw) override {
    calls.push_back({HostCall::Kind::kAppendInfo, text, 0, redraw});
    info += text;
    if (redraw) shown.push_back(info);
  }
  void PumpEvents() override { calls.push_back({HostCall::Kind::kPump, {}, 0, false}); }
  void ShowErrorMessage(const std::string& text, int writeLog) override {
    calls.push_back({HostCall::Kind::kError, text, writeLog, false});
  }

  std::vector<int> Progress() const { return Values(HostCall::Kind::kProgress); }
  std::vector<std::string> Errors() const { return Texts(HostCall::Kind::kError); }
  int Count(HostCall::Kind kind) const {
    int n = 0;
    for (const HostCall& c : calls) n += c.kind == kind;
    return n;
  }
  // The info text calls only, in order.
  std::vector<HostCall> InfoCalls() const {
    std::vector<HostCall> out;
    for (const HostCall& c : calls) {
      if (c.kind == HostCall::Kind::kSetInfo || c.kind == HostCall::Kind::kAppendInfo) {
        out.push_back(c);
      }
    }
    return out;
  }

  std::vector<HostCall> calls;
  std::string info;                // the text the host holds now
  std::vector<std::string> shown;  // the text at each redraw

 private:
  std::vector<int> Values(HostCall::Kind kind) const {
    std::vector<int> out;
    for (const HostCall& c : calls) {
      if (c.kind == kind) out.push_back(c.value);
    }
    return out;
  }
  std::vector<std::string> Texts(HostCall::Kind kind) const {
    std::vector<std::string> out;
    for (const HostCall& c : calls) {
      if (c.kind == kind) out.push_back(c.text);
    }
    return out;
  }
};

}  // namespace tessaro::testing

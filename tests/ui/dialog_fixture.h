#pragma once
// A main dialog on the fake window system, with a conversion stand-in that
// records its requests.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tests/ui/fake_window_system.h"
#include "ui/tessaro_dlg.h"

namespace tessaro::testing {

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() {
    ws.dataDirectory = dir.Dir();
    ws.clientRects[DialogWindow::kMain] = {0, 0, 496, 105};
    ws.clientRects[DialogWindow::kErrorMessage] = {0, 0, 280, 112};
  }

  // Constructs the dialog (reading the settings) and initialises its window.
  CTessaroDlg& Open(CommandLine commandLine = {}) {
    dlg = std::make_unique<CTessaroDlg>(
        ws, std::move(commandLine),
        [this](const ConversionRequest& request, ConversionHost& host) {
          requests.push_back(request);
          inputEnabledDuringConversion = ws.enabled[kIdcInFile];
          if (duringConversion) duringConversion(host);
          return results.empty() ? result : results.at(requests.size() - 1);
        },
        language, fileSystem ? *fileSystem : WatchedRealFileSystem());
    dlg->OnInitDialog();
    return *dlg;
  }

  // Types into a control as a user would; the input box reports its change.
  void Type(int id, const std::string& text) {
    ws.texts[id] = text;
    if (id == kIdcInFile && dlg) dlg->OnInputPathChanged();
  }

  std::string IniPath() const { return dir.File("TSR.ini"); }
  std::string LogPath() const { return dir.File("TSR_ErrorLog.txt"); }

  TempDir dir;
  FakeWindowSystem ws;
  std::unique_ptr<CTessaroDlg> dlg;
  std::vector<ConversionRequest> requests;
  ConversionResult result;  // what every conversion returns
  std::vector<ConversionResult> results;  // else what each one returns, in turn
  Language language = Language::kJapanese;  // set on the dialog by Open
  FileSystem* fileSystem = nullptr;  // where a queue looks for its own files (else the disk)
  bool inputEnabledDuringConversion = true;
  std::function<void(ConversionHost&)> duringConversion;
};

}  // namespace tessaro::testing

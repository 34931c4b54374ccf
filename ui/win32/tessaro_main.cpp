// tessaro.exe: the dialog program on plain Win32.
#include "ui/win32/win32_window_system.h"  // first: it tames windows.h

#include <utility>

#include "engine/wide_text.h"
#include "ui/command_line.h"
#include "ui/conversion_runner.h"
#include "ui/tessaro_dlg.h"
#include "ui/win32/program_language.h"
#include "ui/win32/raw_command_line.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The wide command line, so that paths of any code page arrive whole.
  const std::wstring raw(tessaro::RawArguments(GetCommandLineW()));
  tessaro::CommandLine line = tessaro::CommandLineFromRaw(tessaro::Narrow(raw, tessaro::BadText::kReplace));
  const tessaro::ProgramStart start = tessaro::StartProgram(line.tokens, tessaro::ProgramKind::kDialog);
  tessaro::ApplyProgramStart(start, line);
  const tessaro::Language language = start.language;
  tessaro::Win32WindowSystem ws(instance, language);
  tessaro::CTessaroDlg dlg(ws, std::move(line), tessaro::DefaultConversionRunner(), language);
  ws.RunMainDialog(dlg);
  return dlg.ExitStatus();
}

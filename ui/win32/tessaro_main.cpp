// tessaro.exe: the dialog program on plain Win32.
#include "ui/win32/win32_window_system.h"  // first: it tames windows.h

#include <string>
#include <utility>

#include "engine/wide_text.h"
#include "frontend/command_tokens.h"
#include "frontend/exit_status.h"
#include "frontend/frontend_texts.h"
#include "frontend/start_up.h"
#include "tessaro_version.h"
#include "ui/about_dlg.h"
#include "ui/command_line.h"
#include "ui/conversion_runner.h"
#include "ui/tessaro_dlg.h"
#include "ui/win32/program_language.h"
#include "ui/win32/raw_command_line.h"

namespace {

// Text of a program without a console of its own (--help and --version on
// standard output, a usage error on standard error): to the standard stream
// where it leads somewhere (a file, a pipe), else to the console of the
// program that started it, if any. True when a console shows it.
bool WriteToStandardStream(DWORD stream, const std::string& text) {
  HANDLE out = GetStdHandle(stream);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) {
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
    out = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
  }
  DWORD mode = 0;
  DWORD done = 0;
  if (GetConsoleMode(out, &mode) != 0) {
    const std::wstring wide = tessaro::Widen(text, tessaro::BadText::kReplace);
    WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &done, nullptr);
    return true;
  }
  WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
  return false;
}

void WriteToStandardOutput(const std::string& text) { WriteToStandardStream(STD_OUTPUT_HANDLE, text); }

// Arguments that do not form a run: nothing is read or written, and the
// message goes to standard error. Where a console shows it the program ends
// here; otherwise the dialog shows it in its error window.
bool RefusedOnConsole(const tessaro::CommandLine& line, tessaro::Language language) {
  if (line.empty) return false;
  const tessaro::UsageError usage = tessaro::ReadDialogArguments(line.tokens).usage;
  if (usage.failure == tessaro::Failure::kNone) return false;
  return WriteToStandardStream(STD_ERROR_HANDLE, tessaro::DialogUsageError(usage, language));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The wide command line, so that paths of any code page arrive whole.
  const std::wstring raw(tessaro::RawArguments(GetCommandLineW()));
  tessaro::CommandLine line = tessaro::CommandLineFromRaw(tessaro::Narrow(raw, tessaro::BadText::kReplace));
  const tessaro::ProgramStart start = tessaro::StartProgram(line.tokens, tessaro::ProgramKind::kDialog);
  const tessaro::FrontEndTexts& texts = tessaro::FrontEndTextsFor(start.language);
  switch (start.info) {
    case tessaro::InfoRequest::kHelp:
      WriteToStandardOutput(std::string(texts.dialogUsage) + texts.dialogHelp.c_str());
      return 0;
    case tessaro::InfoRequest::kVersion:
      WriteToStandardOutput(tessaro::FormatVersionText(tessaro::FileVersionFromBuild()) + " (" +
                            TESSARO_VERSION_STRING + ")\n");
      return 0;
    case tessaro::InfoRequest::kNone:
      break;
  }
  tessaro::ApplyProgramStart(start, line);
  if (RefusedOnConsole(line, start.language)) return tessaro::kExitUsage;
  const tessaro::Language language = start.language;
  tessaro::Win32WindowSystem ws(instance, language);
  tessaro::CTessaroDlg dlg(ws, std::move(line), tessaro::DefaultConversionRunner(), language);
  ws.RunMainDialog(dlg);
  return dlg.ExitStatus();
}

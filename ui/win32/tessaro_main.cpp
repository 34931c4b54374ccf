// tessaro.exe: the dialog program on plain Win32.
#include "ui/win32/win32_window_system.h"  // first: it tames windows.h

#include <string>
#include <utility>

#include "engine/file_io.h"
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

// Where text of a program without a console of its own goes: the standard
// stream where it leads somewhere (a file, a pipe), else the console of the
// program that started it, if any (nullptr: none).
HANDLE StandardStream(DWORD stream) {
  HANDLE h = GetStdHandle(stream);
  if (h != nullptr && h != INVALID_HANDLE_VALUE) return h;
  // Attached already (for the other stream) is as good as attached now.
  if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) return nullptr;
  h = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, 0, nullptr);
  return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

bool IsConsole(HANDLE h) {
  DWORD mode = 0;
  return GetConsoleMode(h, &mode) != 0;
}

// text to h, whole: UTF-16 to a console, the UTF-8 bytes elsewhere. False
// when the system refused it.
bool WriteWhole(HANDLE h, const std::string& text) {
  DWORD done = 0;
  if (IsConsole(h)) {
    const std::wstring wide = tessaro::Widen(text, tessaro::BadText::kReplace);
    return WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &done, nullptr) &&
           done == wide.size();
  }
  return WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &done, nullptr) &&
         done == text.size();
}

// --help and --version: 0, or 1 with the reason on standard error (where
// there is one) when standard output could not take them.
int WriteToStandardOutput(const std::string& text, const tessaro::FrontEndTexts& texts) {
  HANDLE out = StandardStream(STD_OUTPUT_HANDLE);
  if (out == nullptr || WriteWhole(out, text)) return 0;
  const std::string reason = tessaro::RealFileSystem().LastErrorText();
  if (HANDLE err = StandardStream(STD_ERROR_HANDLE)) {
    WriteWhole(err, texts.outputNotWritten(reason.c_str()));
  }
  return 1;
}

// Arguments that do not form a run: nothing is read or written, and the
// message goes to standard error. Where a console shows it the program ends
// here; otherwise the dialog shows it in its error window.
bool RefusedOnConsole(const tessaro::CommandLine& line, tessaro::Language language) {
  if (line.empty) return false;
  const tessaro::UsageError usage = tessaro::ReadDialogArguments(line.tokens).usage;
  if (usage.failure == tessaro::Failure::kNone) return false;
  HANDLE err = StandardStream(STD_ERROR_HANDLE);
  if (err == nullptr) return false;
  WriteWhole(err, tessaro::DialogUsageError(usage, language));
  return IsConsole(err);
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
      return WriteToStandardOutput(std::string(texts.dialogUsage) + texts.dialogHelp.c_str(), texts);
    case tessaro::InfoRequest::kVersion:
      return WriteToStandardOutput(tessaro::FormatVersionText(tessaro::FileVersionFromBuild()) +
                                       " (" + TESSARO_VERSION_STRING + ")\n",
                                   texts);
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

// tessaro.exe: the dialog program on plain Win32.
#include "ui/win32/win32_window_system.h"  // first: it tames windows.h

#include <string>
#include <utility>

#include "engine/file_io.h"
#include "engine/wide_text.h"
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

// text to h, whole: UTF-16 to a console, the UTF-8 bytes elsewhere. False
// when the system refused it.
bool WriteWhole(HANDLE h, const std::string& text) {
  DWORD mode = 0;
  DWORD done = 0;
  if (GetConsoleMode(h, &mode) != 0) {
    const std::wstring wide = tessaro::Widen(text, tessaro::BadText::kReplace);
    return WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &done, nullptr) &&
           done == wide.size();
  }
  return WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &done, nullptr) &&
         done == text.size();
}

// --help and --version of a program without a console of its own: to
// standard output where it leads somewhere (a file, a pipe), else to the
// console of the program that started it, if any. 0, or 1 with the reason
// on standard error (where there is one) when it could not be written.
int WriteToStandardOutput(const std::string& text, const tessaro::FrontEndTexts& texts) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) {
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return 0;
    out = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) return 0;
  }
  if (WriteWhole(out, text)) return 0;
  const std::string reason = tessaro::RealFileSystem().LastErrorText();
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  if (err != nullptr && err != INVALID_HANDLE_VALUE) {
    WriteWhole(err, texts.outputNotWritten(reason.c_str()));
  }
  return 1;
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
  const tessaro::Language language = start.language;
  tessaro::Win32WindowSystem ws(instance, language);
  tessaro::CTessaroDlg dlg(ws, std::move(line), tessaro::DefaultConversionRunner(), language);
  ws.RunMainDialog(dlg);
  return dlg.ExitStatus();
}

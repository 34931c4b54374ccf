// tessaro-cli.exe: the arguments are taken from the wide command line and
// handed on as UTF-8, so that any path arrives whole.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/console_win32.h"

namespace {

std::string Utf8(const wchar_t* wide) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string text(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), n, nullptr, nullptr);
  text.pop_back();  // the terminating NUL
  return text;
}

std::vector<std::string> Utf8Arguments() {
  std::vector<std::string> args;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return args;
  for (int i = 1; i < argc; ++i) args.push_back(Utf8(argv[i]));
  LocalFree(argv);
  return args;
}

}  // namespace

int main() {
  tessaro::cli::Win32Console console;
  return tessaro::cli::RunCli(Utf8Arguments(), console, tessaro::RealFileSystem());
}

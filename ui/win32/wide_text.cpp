#include "ui/win32/wide_text.h"

#include <windows.h>

namespace tessaro {
namespace {

std::wstring ToWide(UINT codePage, const std::string& text) {
  if (text.empty()) return std::wstring();
  const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string FromWide(UINT codePage, const wchar_t* wide, size_t length) {
  if (length == 0) return std::string();
  const int n = WideCharToMultiByte(codePage, 0, wide, static_cast<int>(length), nullptr, 0,
                                    nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string text(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, wide, static_cast<int>(length), text.data(), n, nullptr,
                      nullptr);
  return text;
}

}  // namespace

std::wstring Widen(const std::string& utf8) { return ToWide(CP_UTF8, utf8); }

std::string Narrow(const wchar_t* wide, size_t length) { return FromWide(CP_UTF8, wide, length); }

std::string Narrow(const std::wstring& wide) { return Narrow(wide.data(), wide.size()); }

std::string Utf8ToAnsi(const std::string& utf8) {
  const std::wstring wide = Widen(utf8);
  return FromWide(CP_ACP, wide.data(), wide.size());
}

std::string AnsiToUtf8(const std::string& ansi) { return Narrow(ToWide(CP_ACP, ansi)); }

}  // namespace tessaro

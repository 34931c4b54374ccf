// Conversions between UTF-8, UTF-16 and the ANSI code page on Windows.
#include "engine/wide_text.h"

#include <windows.h>

namespace tessaro {
namespace {

std::wstring ToWide(UINT codePage, DWORD flags, std::string_view text) {
  if (text.empty()) return std::wstring();
  const int n = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string FromWide(UINT codePage, DWORD flags, std::wstring_view wide) {
  if (wide.empty()) return std::string();
  const int n = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()),
                                    nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string text(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), text.data(), n,
                      nullptr, nullptr);
  return text;
}

}  // namespace

std::wstring Widen(std::string_view utf8, BadText bad) {
  return ToWide(CP_UTF8, bad == BadText::kRefuse ? MB_ERR_INVALID_CHARS : 0, utf8);
}

std::string Narrow(std::wstring_view wide, BadText bad) {
  return FromWide(CP_UTF8, bad == BadText::kRefuse ? WC_ERR_INVALID_CHARS : 0, wide);
}

std::string Utf8ToAnsi(std::string_view utf8) {
  return FromWide(CP_ACP, 0, Widen(utf8, BadText::kReplace));
}

std::string AnsiToUtf8(std::string_view ansi) {
  return Narrow(ToWide(CP_ACP, 0, ansi), BadText::kReplace);
}

}  // namespace tessaro

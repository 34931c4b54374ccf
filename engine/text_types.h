#pragma once
// The member types of the text tables: a text that cannot be left out or
// empty, and a printf format whose conversions are checked against its
// arguments, both when the table is compiled.

#include <cstddef>
#include <string>
#include <type_traits>

#include "engine/language.h"
#include "engine/report_text.h"

namespace tessaro {

// A fixed text of a table. There is no default constructor, so a table that
// leaves a member out does not compile, and the constructor runs only at
// compile time, where an empty text stops the build.
class Text {
 public:
  consteval Text(const char* text) : text_(text) {  // NOLINT: tables are written as literals
    if (text[0] == '\0') throw "a table text is empty";
  }
  constexpr const char* c_str() const { return text_; }
  operator std::string() const { return text_; }  // NOLINT: used where a message is built

 private:
  const char* text_;
};

namespace text_format {

// What a conversion takes: 'i' int, 'u' unsigned int or int, 'U' unsigned
// long long, 's' a C string, 'f' a double.
template <typename T>
consteval char KindOf() {
  if constexpr (std::is_same_v<T, int>) return 'i';
  else if constexpr (std::is_same_v<T, unsigned>) return 'u';
  else if constexpr (std::is_same_v<T, unsigned long long>) return 'U';
  else if constexpr (std::is_same_v<T, const char*>) return 's';
  else if constexpr (std::is_same_v<T, double>) return 'f';
  else return '?';
}

consteval bool Accepts(char conversion, bool longLong, char kind) {
  switch (conversion) {
    case 'd':
      return !longLong && kind == 'i';
    case 'u':
    case 'x':
    case 'X':
      return longLong ? kind == 'U' : (kind == 'u' || kind == 'i');
    case 's':
      return !longLong && kind == 's';
    case 'f':
      return !longLong && kind == 'f';
    default:
      return false;
  }
}

// True when the conversions of format, in order, take exactly the kinds given.
consteval bool Matches(const char* format, const char* kinds) {
  size_t next = 0;
  for (size_t i = 0; format[i] != '\0'; ++i) {
    if (format[i] != '%') continue;
    ++i;
    if (format[i] == '%') continue;
    while (format[i] == '-' || format[i] == '+' || format[i] == ' ' || format[i] == '0' ||
           format[i] == '#') {
      ++i;
    }
    while ((format[i] >= '0' && format[i] <= '9') || format[i] == '.') ++i;
    bool longLong = false;
    if (format[i] == 'l' && format[i + 1] == 'l') {
      longLong = true;
      i += 2;
    }
    if (kinds[next] == '\0' || !Accepts(format[i], longLong, kinds[next])) return false;
    ++next;
  }
  return kinds[next] == '\0';
}

}  // namespace text_format

// A printf format of a table, filled by operator(). Like Text it cannot be
// left out or empty, and its conversions must take Args in order.
template <typename... Args>
class Format {
 public:
  consteval Format(const char* format) : format_(format) {  // NOLINT: written as literals
    constexpr char kinds[] = {text_format::KindOf<Args>()..., '\0'};
    if (format[0] == '\0') throw "a table format is empty";
    if (!text_format::Matches(format, kinds)) throw "a table format does not fit its arguments";
  }
  constexpr const char* c_str() const { return format_; }
  std::string operator()(Args... args) const {
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#endif
    return StringPrintf(format_, args...);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
  }

 private:
  const char* format_;
};

// The table of one language: Japanese unless English is asked for.
template <typename Table>
constexpr const Table& ForLanguage(Language language, const Table& japanese, const Table& english) {
  return language == Language::kEnglish ? english : japanese;
}

}  // namespace tessaro

// TextFormat.h - printf-style formatting of language texts, made safe.
//
// Some language texts are format strings ("UNKNOWN_KEY" takes the key code,
// "MACRO_ERR_MAX" a number, "PROFILE_FORMAT_ERROR" a path). The texts are data
// that anyone can edit, so they are never handed to printf: only the
// conversions d, i, u, x, X, c and s with flags, width and precision are
// understood, each takes the next argument whatever its type, and a
// conversion without an argument or one not understood is copied as it is.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace settings {

class FormatArg {
  public:
    FormatArg(int v) : value_(int64_t{v}) {}
    FormatArg(unsigned v) : value_(int64_t{v}) {}
    FormatArg(long v) : value_(static_cast<int64_t>(v)) {}
    FormatArg(unsigned long v) : value_(static_cast<int64_t>(v)) {}
    FormatArg(long long v) : value_(static_cast<int64_t>(v)) {}
    FormatArg(std::string_view v) : value_(v) {}
    FormatArg(const char* v) : value_(std::string_view(v)) {}
    FormatArg(const std::string& v) : value_(std::string_view(v)) {}

    const std::variant<int64_t, std::string_view>& value() const { return value_; }

  private:
    std::variant<int64_t, std::string_view> value_;
};

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args);

// The conversion letters of a format text in order ("%%" excluded), e.g. "d"
// for "Key %d"; used to check language texts against the arguments passed.
std::string FormatConversions(std::string_view format);

}  // namespace settings

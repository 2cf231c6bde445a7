// TextFormat.cpp - a small printf subset over typed arguments.
#include "settings/TextFormat.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace settings {
namespace {

constexpr std::string_view kFlags = "-+ 0#";
constexpr std::string_view kConversions = "diuxXcs";
constexpr int kMaxWidth = 1024;  // a width or precision beyond this is not honoured

struct Directive {
    std::string flags;
    int width = -1;
    int precision = -1;
    char conversion = 0;
    size_t length = 0;  // characters of the whole directive, '%' included
};

// Parses the directive at format[0] == '%'; conversion 0 when invalid.
Directive ParseDirective(std::string_view format) {
    Directive directive;
    size_t i = 1;
    while (i < format.size() && kFlags.find(format[i]) != std::string_view::npos) {
        directive.flags.push_back(format[i++]);
    }
    auto number = [&](int& out) {
        int value = 0;
        bool any = false;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
            value = std::min(value * 10 + (format[i++] - '0'), kMaxWidth + 1);
            any = true;
        }
        if (any)
            out = value;
    };
    number(directive.width);
    if (i < format.size() && format[i] == '.') {
        ++i;
        directive.precision = 0;
        number(directive.precision);
    }
    while (i < format.size() && (format[i] == 'l' || format[i] == 'h')) ++i;
    if (i < format.size() && kConversions.find(format[i]) != std::string_view::npos &&
        directive.width <= kMaxWidth && directive.precision <= kMaxWidth) {
        directive.conversion = format[i];
        directive.length = i + 1;
    }
    return directive;
}

std::string Pad(std::string text, const Directive& directive, bool numeric) {
    if (directive.width < 0 || static_cast<int>(text.size()) >= directive.width)
        return text;
    size_t fill = static_cast<size_t>(directive.width) - text.size();
    bool left = directive.flags.find('-') != std::string::npos;
    bool zeros = numeric && !left && directive.flags.find('0') != std::string::npos;
    if (left)
        return text + std::string(fill, ' ');
    if (zeros) {
        size_t signLength = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
        return text.substr(0, signLength) + std::string(fill, '0') + text.substr(signLength);
    }
    return std::string(fill, ' ') + text;
}

std::string Render(const Directive& directive, const FormatArg& arg) {
    const auto& value = arg.value();
    if (directive.conversion == 's' || std::holds_alternative<std::string_view>(value)) {
        std::string text = std::holds_alternative<std::string_view>(value)
                               ? std::string(std::get<std::string_view>(value))
                               : std::to_string(std::get<int64_t>(value));
        if (directive.conversion == 's' && directive.precision >= 0 &&
            text.size() > static_cast<size_t>(directive.precision)) {
            text.resize(static_cast<size_t>(directive.precision));
        }
        return Pad(std::move(text), directive, false);
    }
    int64_t number = std::get<int64_t>(value);
    char buffer[64];
    switch (directive.conversion) {
        case 'c':
            return Pad(std::string(1, static_cast<char>(number)), directive, false);
        case 'u':
            std::snprintf(buffer, sizeof buffer, "%llu",
                          static_cast<unsigned long long>(static_cast<uint32_t>(number)));
            break;
        case 'x':
            std::snprintf(buffer, sizeof buffer, "%llx",
                          static_cast<unsigned long long>(static_cast<uint32_t>(number)));
            break;
        case 'X':
            std::snprintf(buffer, sizeof buffer, "%llX",
                          static_cast<unsigned long long>(static_cast<uint32_t>(number)));
            break;
        default:
            std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(number));
            if (number >= 0 && directive.flags.find('+') != std::string::npos) {
                return Pad("+" + std::string(buffer), directive, true);
            }
            break;
    }
    std::string text(buffer);
    if (directive.precision > static_cast<int>(text.size())) {
        text.insert(0, static_cast<size_t>(directive.precision) - text.size(), '0');
    }
    return Pad(std::move(text), directive, true);
}

}  // namespace

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args) {
    std::string out;
    out.reserve(format.size() + 16);
    auto next = args.begin();
    for (size_t i = 0; i < format.size();) {
        if (format[i] != '%') {
            out.push_back(format[i++]);
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out.push_back('%');
            i += 2;
            continue;
        }
        Directive directive = ParseDirective(format.substr(i));
        if (directive.conversion == 0 || next == args.end()) {
            out.push_back(format[i++]);  // copied as it stands
            continue;
        }
        out += Render(directive, *next++);
        i += directive.length;
    }
    return out;
}

std::string FormatConversions(std::string_view format) {
    std::string letters;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (i + 1 < format.size() && format[i + 1] == '%') {
            ++i;
            continue;
        }
        Directive directive = ParseDirective(format.substr(i));
        letters.push_back(directive.conversion != 0 ? directive.conversion : '?');
        if (directive.conversion != 0)
            i += directive.length - 1;
    }
    return letters;
}

}  // namespace settings

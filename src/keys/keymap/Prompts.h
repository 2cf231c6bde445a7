// Prompts.h - what the configuration model needs from a person.
//
// Messages and Yes/No questions are named by language key; the window side
// shows them as message boxes (No preselected), the command line prints them,
// and tests answer from a script and record what was asked.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace keys {

class Prompts {
  public:
    virtual ~Prompts() = default;

    // Shows the language text of `key`; with `formatArgument` the text is a
    // format string with that one text argument.
    virtual void showMessage(std::string_view key, bool topMost = false,
                             const std::optional<std::string>& formatArgument = std::nullopt) = 0;
    // Yes/No question with No preselected; true for Yes.
    virtual bool askYesNo(std::string_view key) = 0;
    // The language text of `key` (UTF-8), for texts the model puts into data.
    virtual std::string text(std::string_view key) = 0;
};

}  // namespace keys

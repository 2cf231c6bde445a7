// OffWindowThread.h - long keyboard work kept off the window thread.
//
// The window thread waits in an event loop that repaints and runs timers (the
// busy indicator keeps turning) but takes no user input, so nothing can start
// a second operation while the keyboard is busy. Questions and messages that
// the work raises are shown on the window thread.
#pragma once

#include <functional>

#include "Prompts.h"

class QObject;

namespace profiles::ui {

// Runs work on a worker thread and returns when it has finished. Called from
// the window thread; elsewhere the work simply runs in place.
void RunOffWindowThread(const std::function<void()>& work);

// Forwards every call to the window thread's prompts, waiting for the answer.
class WindowThreadPrompts : public keys::Prompts {
  public:
    explicit WindowThreadPrompts(keys::Prompts& target) : target_(target) {}

    void showMessage(std::string_view key, bool topMost,
                     const std::optional<std::string>& formatArgument) override;
    bool askYesNo(std::string_view key) override;
    std::string text(std::string_view key) override;

  private:
    void onWindowThread(const std::function<void()>& call);
    keys::Prompts& target_;
};

}  // namespace profiles::ui

// MessageBoxPrompts.h - the model's messages and questions as message boxes
// on the window thread (from any thread): texts from the language file, Yes/No
// with No preselected, the messages about the keyboard's memory on top.
#pragma once

#include <QPointer>
#include <QWidget>
#include <atomic>

#include "Prompts.h"
#include "settings/TextSource.h"

namespace app {

class MessageBoxPrompts : public keys::Prompts {
  public:
    MessageBoxPrompts(const settings::TextSource& texts, const std::atomic<bool>& stopping)
        : texts_(texts), stopping_(stopping) {}

    // The window the boxes belong to; it must live on the window thread.
    void setParentWindow(QWidget* window) { window_ = window; }

    void showMessage(std::string_view key, bool topMost,
                     const std::optional<std::string>& formatArgument) override;
    bool askYesNo(std::string_view key) override;
    std::string text(std::string_view key) override { return texts_.Text(key); }

    // The same, for the window's own messages (called on the window thread).
    static void ShowText(QWidget* parent, const QString& caption, const QString& text,
                         bool topMost);
    static bool AskYesNo(QWidget* parent, const QString& text);

  private:
    const settings::TextSource& texts_;
    const std::atomic<bool>& stopping_;
    QPointer<QWidget> window_;
};

}  // namespace app

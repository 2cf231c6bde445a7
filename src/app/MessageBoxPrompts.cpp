#include "MessageBoxPrompts.h"

#include <QMessageBox>

#include "WindowCall.h"
#include "settings/SettingsPaths.h"
#include "settings/TextFormat.h"

namespace app {

void MessageBoxPrompts::ShowText(QWidget* parent, const QString& caption, const QString& text,
                                 bool topMost) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    if (topMost)
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.exec();
}

bool MessageBoxPrompts::AskYesNo(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(settings::kAppTitle), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxPrompts::showMessage(std::string_view key, bool topMost,
                                    const std::optional<std::string>& formatArgument) {
    std::string message = texts_.Text(key);
    if (formatArgument)
        message = settings::FormatText(message, {*formatArgument});
    const QString text = QString::fromStdString(message);
    QWidget* window = window_.data();
    if (!window)
        return;
    CallOnWindowThread(
        window,
        [window, text, topMost] {
            ShowText(window, QString::fromUtf8(settings::kAppTitle), text, topMost);
        },
        stopping_);
}

bool MessageBoxPrompts::askYesNo(std::string_view key) {
    const QString text = QString::fromStdString(texts_.Text(key));
    QWidget* window = window_.data();
    if (!window)
        return false;
    // Shared, since the box may still be answered after a wait that gave up.
    auto yes = std::make_shared<bool>(false);
    // An unanswered question (the window closing) counts as the preselected No.
    if (!CallOnWindowThread(
            window, [window, text, yes] { *yes = AskYesNo(window, text); }, stopping_))
        return false;
    return *yes;
}

}  // namespace app

// UiTestSupport.h - what the window tests of the macro page and the key
// assignment dialog share: key events with native scan codes (as the desktop
// delivers them; QTest::keyClick carries none), a widget that records the
// keys that reach it, and the shipped language file with a few overrides.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "settings/LanguageTables.h"

namespace uitest {

// Kernel key codes of the keys the tests press.
enum Evdev : uint32_t {
    kEvEsc = 1,
    kEvEnter = 28,
    kEvA = 30,
    kEvB = 48,
    kEvF1 = 59,
    kEvPrint = 99,
    kEvMute = 113,
    kEvLeftMeta = 125,
    kEvCompose = 127,
};

enum class Kind { Press, Repeat, Release };

// Sends one key event of the evdev key to the receiver; true when a filter
// swallowed it or the receiver handled it.
inline bool SendKey(QObject* receiver, uint32_t evdev, Kind kind) {
    const QEvent::Type type = kind == Kind::Release ? QEvent::KeyRelease : QEvent::KeyPress;
    QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, evdev + 8, 0, 0x10, QString(),
                    kind == Kind::Repeat);
    return QApplication::sendEvent(receiver, &event);
}

// A focusable widget that keeps the native scan codes of the presses and
// releases it receives.
class KeySink : public QWidget {
  public:
    KeySink() { setFocusPolicy(Qt::StrongFocus); }
    std::vector<uint32_t> pressed, released;

  protected:
    void keyPressEvent(QKeyEvent* e) override { pressed.push_back(e->nativeScanCode() - 8); }
    void keyReleaseEvent(QKeyEvent* e) override { released.push_back(e->nativeScanCode() - 8); }
};

// The shipped English language file, with single keys replaced.
class TestTexts : public settings::TextSource {
  public:
    TestTexts() : file_(std::string(KEYTUNE_SOURCE_DIR) + "/data/Lang0409.ini") {}
    std::string Lookup(std::string_view section, std::string_view key) const override {
        const auto it = overrides.find(std::string(key));
        if (it != overrides.end())
            return it->second;
        return file_.Lookup(section, key);
    }
    std::map<std::string, std::string> overrides;

  private:
    settings::LanguageFileTextSource file_;
};

}  // namespace uitest

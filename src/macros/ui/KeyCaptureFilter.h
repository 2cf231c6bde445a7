// KeyCaptureFilter.h - an application-wide event filter that turns every
// QKeyEvent into the Windows-style key message (through keys::TranslateKeyEvent,
// from the event's native scan code) and hands it to a KeyHookSink, which
// decides whether the event still reaches the focused widget.
//
// The filter is on the application only while a sink is set, so nothing
// watches the keyboard while neither key capture nor recording runs.
#pragma once

#include <QObject>

#include "KeyHookSink.h"

class QKeyEvent;

namespace macros::ui {

class KeyCaptureFilter : public QObject {
    Q_OBJECT
  public:
    explicit KeyCaptureFilter(QObject* parent = nullptr);
    ~KeyCaptureFilter() override;

    // Installs the filter for this sink (replacing any earlier sink); nullptr
    // removes it.
    void setSink(KeyHookSink* sink);
    KeyHookSink* sink() const { return sink_; }
    bool active() const { return sink_ != nullptr; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool handleKey(QKeyEvent* event);

    KeyHookSink* sink_ = nullptr;
};

}  // namespace macros::ui

// ButtonStroke.h - dragging across a set of skinned buttons with the mouse
// button held, as when painting colours onto several keys in one stroke.
#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

namespace widgets {

class CPngButton;

class ButtonStroke : public QObject {
    Q_OBJECT

  public:
    explicit ButtonStroke(QObject* parent = nullptr);

    void addButton(CPngButton* button);
    void removeButton(CPngButton* button);
    bool active() const { return first_ != nullptr; }

  signals:
    // The left mouse button went down on a button of the set.
    void strokeStarted(widgets::CPngButton* button);
    // While the mouse button is held, the pointer moved onto another button
    // of the set. The first button never gets this; its clicked() still
    // fires when the mouse button is released over it.
    void entered(widgets::CPngButton* button);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    CPngButton* buttonAt(const QPoint& globalPos) const;
    void end();

    std::vector<QPointer<CPngButton>> buttons_;
    QPointer<CPngButton> first_;
    QPointer<CPngButton> last_;
};

}  // namespace widgets

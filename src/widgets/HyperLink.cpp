#include "widgets/HyperLink.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>

namespace widgets {

HyperLink::HyperLink(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("HyperLink"));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setTextFormat(Qt::PlainText);
    opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

void HyperLink::setUrl(const QUrl& url) {
    url_ = url;
    setToolTip(url.toString());
    if (text().isEmpty()) {
        setText(url.toString());
    }
}

void HyperLink::setOpener(std::function<bool(const QUrl&)> opener) {
    opener_ = std::move(opener);
}

void HyperLink::open() {
    if (!url_.isValid() || url_.isEmpty()) {
        return;
    }
    emit activated(url_);
    if (opener_) {
        opener_(url_);
    }
}

void HyperLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        open();
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void HyperLink::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        open();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

}  // namespace widgets

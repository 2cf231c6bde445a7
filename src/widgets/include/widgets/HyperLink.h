// HyperLink.h - a label that opens a web address when clicked or activated
// from the keyboard.
#pragma once

#include <QLabel>
#include <QUrl>

#include <functional>

namespace widgets {

class HyperLink : public QLabel {
    Q_OBJECT

  public:
    explicit HyperLink(QWidget* parent = nullptr);

    void setUrl(const QUrl& url);
    QUrl url() const { return url_; }
    // Opens the address with the desktop's handler (tests replace it).
    void setOpener(std::function<bool(const QUrl&)> opener);

  signals:
    void activated(const QUrl& url);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void open();

    QUrl url_;
    std::function<bool(const QUrl&)> opener_;
};

}  // namespace widgets

// CTrayIcon.h - Keytune's icon in the desktop's notification area.
//
// The picture follows the keyboard (128 none, 141 attached, 142 while the
// keyboard reports its highlight code); a double click opens the window, a
// single click does nothing, and the menu offers open, About and exit. On a
// desktop without a notification area the icon is simply not there; the
// window then never hides to it (available() says so, asked afresh each time,
// since a tray may appear later).
#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

namespace app {

class CTrayIcon : public QObject {
    Q_OBJECT
  public:
    static constexpr int kTipLength = 127;
    static constexpr int kNoKeyboard = 128;
    static constexpr int kKeyboard = 141;
    static constexpr int kHighlight = 142;
    // Commands of the menu, in order.
    static constexpr int kOpenCommand = 32771;
    static constexpr int kAboutCommand = 32773;
    static constexpr int kExitCommand = 32774;

    // Pictures "tray<id>.png" come from skinFolder.
    explicit CTrayIcon(QString skinFolder, QObject* parent = nullptr);
    ~CTrayIcon() override;

    // Adds the icon with its tip (cut to 127 characters) and picture.
    bool Create(const QString& tip, int pictureId);
    void SetPicture(int pictureId);
    void SetTip(const QString& tip);
    void Remove();

    bool added() const { return icon_ != nullptr; }
    int picture() const { return picture_; }
    QString tip() const { return tip_; }
    // A notification area exists now and shows the icon.
    bool available();

    // Labels the menu's three entries before it is shown: open, About, exit.
    std::function<void(QMenu&)> labelMenu;
    QMenu* menu() const { return menu_.get(); }

  signals:
    void command(int id);

  private:
    QIcon pictureIcon(int id) const;

    QString skinFolder_;
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QSystemTrayIcon> icon_;
    int picture_ = kNoKeyboard;
    QString tip_;
};

}  // namespace app

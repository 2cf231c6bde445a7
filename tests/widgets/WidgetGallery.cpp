// widgets_gallery: a fixture window with every skinned control in every
// state, written to PNG for a person to look at.
//   widgets_gallery <output.png>     (QT_SCALE_FACTOR=2 gives the 2x look)
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>
#include <functional>
#include <vector>

#include "widgets/BitmapSlider.h"
#include "widgets/CImgDialogBase.h"
#include "widgets/CPngButton.h"
#include "widgets/ColourButton.h"
#include "widgets/HyperLink.h"
#include "widgets/PictureSwitch.h"
#include "widgets/SkinSheets.h"
#include "widgets/SkinStyle.h"

using namespace widgets;

namespace {

constexpr QSize kWindow(980, 800);
constexpr int kCapTop = 92;
constexpr QSize kCap(64, 44);
constexpr int kCapPitch = 82;
constexpr int kCaps = 10;

enum class Look { Normal, Hover, Pressed, Disabled, Assigned, Unselected, Selected };

QRect CapRect(int i) {
    return QRect(QPoint(36 + i * kCapPitch, kCapTop), kCap);
}

void DrawPanel(QPainter& p, const QRect& area, const QString& title) {
    p.setPen(Qt::NoPen);
    p.setBrush(skin::kPanel);
    p.drawRoundedRect(QRectF(area), 8, 8);
    QFont font("DejaVu Sans");
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(skin::kHeading);
    p.drawText(area.adjusted(14, 8, -14, 0), Qt::AlignLeft | Qt::AlignTop, title);
}

// A full-window state sheet: the window background, the panels and every
// cap in the look the sheet stands for.
QImage StateSheet(Look look, qreal scale) {
    QImage image(kWindow * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(skin::kWindow);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawPanel(p, QRect(20, 52, 940, 124), "Skinned buttons");
    DrawPanel(p, QRect(20, 190, 460, 190), "Pictures, sliders and colours");
    DrawPanel(p, QRect(500, 190, 460, 390), "Standard controls");
    DrawPanel(p, QRect(20, 394, 460, 186), "Lists");
    DrawPanel(p, QRect(20, 594, 940, 186), "Pop-ups");
    for (int i = 0; i < kCaps; ++i) {
        QRectF cap = QRectF(CapRect(i)).adjusted(0.5, 0.5, -0.5, -0.5);
        QColor face(0x26, 0x2a, 0x31), edge(0x30, 0x35, 0x3e), outline(0x0d, 0x0f, 0x12);
        qreal dy = 0;
        switch (look) {
            case Look::Hover:
                face = face.lighter(112);
                outline = skin::kAccent;
                break;
            case Look::Pressed:
                face = skin::kAccentPressed;
                edge = skin::kAccent;
                outline = skin::kAccent;
                dy = 1;
                break;
            case Look::Unselected:
                face = face.darker(125);
                edge = edge.darker(125);
                break;
            case Look::Selected:
                face = QColor(0x3a, 0x30, 0x1e);
                outline = QColor(0xff, 0xb0, 0x20);
                break;
            default:
                break;
        }
        cap.translate(0, dy);
        p.setPen(QPen(outline, look == Look::Selected ? 2 : 1));
        p.setBrush(edge);
        p.drawRoundedRect(cap, 6, 6);
        p.setPen(Qt::NoPen);
        p.setBrush(face);
        p.drawRoundedRect(cap.adjusted(1.5, 3, -1.5, -1.5), 5, 5);
        if (look == Look::Assigned) {
            p.setBrush(skin::kAccent);
            p.drawEllipse(QRectF(cap.right() - 9, cap.top() + 5, 4, 4));
        }
        if (look == Look::Disabled) {
            p.fillRect(cap.adjusted(-1, -1, 1, 1), QColor(0x1b, 0x1e, 0x24, 140));
        }
    }
    return image;
}

// Slider pictures: a six-step track with the knob at step v.
QPixmap SliderPicture(int v, QColor tone, qreal scale) {
    QPixmap pixmap(QSize(150, 22) * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(skin::kPanel);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal left = 11, right = 139, y = 11;
    p.setPen(QPen(skin::kEdge, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(left, y), QPointF(right, y));
    const qreal knob = left + (right - left) * v / 5;
    p.setPen(QPen(tone, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(left, y), QPointF(knob, y));
    for (int i = 0; i <= 5; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(i <= v ? tone : skin::kEdge);
        p.drawEllipse(QPointF(left + (right - left) * i / 5, y), 2.5, 2.5);
    }
    p.setBrush(QColor(0xe6, 0xe8, 0xee));
    p.setPen(QPen(tone, 2));
    p.drawEllipse(QPointF(knob, y), 7.5, 7.5);
    return pixmap;
}

QPixmap SwitchPicture(bool on, qreal scale) {
    QPixmap pixmap(QSize(46, 24) * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(skin::kPanel);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(on ? skin::kAccent : skin::kEdge);
    p.drawRoundedRect(QRectF(3, 3, 40, 18), 9, 9);
    p.setBrush(QColor(0xe6, 0xe8, 0xee));
    p.drawEllipse(QPointF(on ? 34 : 12, 12), 7, 7);
    return pixmap;
}

QPixmap ArrowPicture(bool pressed, qreal scale) {
    QPixmap pixmap(QSize(34, 28) * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(skin::kPanel);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(pressed ? skin::kAccent : skin::kEdge, 1));
    p.setBrush(pressed ? skin::kAccentPressed : skin::kGroup);
    p.drawRoundedRect(QRectF(1.5, 1.5, 31, 25), 6, 6);
    QPainterPath arrow;
    arrow.moveTo(21, 8);
    arrow.lineTo(12, 14);
    arrow.lineTo(21, 20);
    p.setPen(
        QPen(pressed ? Qt::white : skin::kLegend, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arrow);
    return pixmap;
}

QLabel* Caption(QWidget* parent, const QString& text, QRect where) {
    auto* label = new QLabel(text, parent);
    QFont font("DejaVu Sans");
    font.setPixelSize(10);
    label->setFont(font);
    label->setStyleSheet("color: #8a909b;");
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(where);
    return label;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: widgets_gallery <output.png>\n");
        return 2;
    }
    QApplication app(argc, argv);
    ApplySkinStyle(app);
    QFont base("DejaVu Sans");
    base.setPixelSize(12);
    app.setFont(base);

    CImgDialogBase window;
    const qreal scale = window.devicePixelRatioF();
    // Sheets as a window loads them: full-window pictures, 2x when the screen asks.
    std::vector<SkinSheet> sheets;
    for (Look look : {Look::Normal, Look::Hover, Look::Pressed, Look::Disabled, Look::Assigned,
                      Look::Unselected, Look::Selected}) {
        sheets.emplace_back(QPixmap::fromImage(StateSheet(look, scale)), scale, QString());
    }
    const std::array<const SkinSheet*, 5> stateSheets{&sheets[0], &sheets[1], &sheets[2],
                                                      &sheets[3], &sheets[4]};
    window.setBackground(sheets[0].pixmap());
    QImage mask(kWindow, QImage::Format_RGB32);
    mask.fill(Qt::white);
    {
        QPainter p(&mask);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawRoundedRect(QRect(QPoint(0, 0), kWindow), 14, 14);
    }
    window.setOutlineMask(mask);

    auto* title = new QLabel("Keytune widgets", &window);
    title->setStyleSheet("color: #ffffff; font-size: 15px; font-weight: bold;");
    title->setGeometry(24, 14, 400, 26);

    // Skinned buttons, one per state.
    struct Sample {
        QString label;
        QString caption;
        std::function<void(CPngButton&)> set;
    };
    QFont captionFont("DejaVu Sans");
    captionFont.setPixelSize(11);
    captionFont.setBold(true);
    const std::vector<Sample> samples = {
        {"normal", "G1", [](CPngButton&) {}},
        {"hover", "G2",
         [](CPngButton& b) {
             QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
             QCoreApplication::sendEvent(&b, &enter);
         }},
        {"pressed", "G3", [](CPngButton& b) { b.setDown(true); }},
        {"disabled", "G4", [](CPngButton& b) { b.setEnabled(false); }},
        {"checked", "A1", [](CPngButton& b) { b.setChecked(true); }},
        {"unselected", "Esc", [](CPngButton& b) { b.setSelectionMarking(true, false); }},
        {"selected", "F1", [](CPngButton& b) { b.setSelectionMarking(true, true); }},
        {"tint red", "Q", [](CPngButton& b) { b.setTint(QColor(255, 40, 40)); }},
        {"tint green", "W", [](CPngButton& b) { b.setTint(QColor(40, 255, 90)); }},
        {"focus", "Apply", [](CPngButton&) {}},
    };
    std::vector<CPngButton*> buttons;
    for (int i = 0; i < kCaps; ++i) {
        auto* button = new CPngButton(&window);
        const QRect cap = CapRect(i);
        button->setGeometry(cap);
        button->setSheets(stateSheets, cap.topLeft() + QPoint(1, 1));
        button->setSelectionSheets(&sheets[5], &sheets[6]);
        button->setCheckable(true);
        button->setCaption(samples[i].caption);
        button->setCaptionFont(captionFont);
        samples[i].set(*button);
        Caption(&window, samples[i].label,
                QRect(cap.left() - 8, cap.bottom() + 6, cap.width() + 16, 14));
        buttons.push_back(button);
    }

    // Picture switches, arrows, sliders and colour buttons.
    const int row1 = 226;
    auto* switchOff = new PictureSwitch(&window);
    switchOff->setCheckable(true);
    switchOff->setPictures(SwitchPicture(false, scale), SwitchPicture(true, scale));
    switchOff->setGeometry(40, row1, 46, 24);
    Caption(&window, "switch off", QRect(26, row1 + 28, 74, 14));
    auto* switchOn = new PictureSwitch(&window);
    switchOn->setCheckable(true);
    switchOn->setChecked(true);
    switchOn->setPictures(SwitchPicture(false, scale), SwitchPicture(true, scale));
    switchOn->setGeometry(118, row1, 46, 24);
    Caption(&window, "switch on", QRect(104, row1 + 28, 74, 14));
    auto* arrowUp = new PictureSwitch(&window);
    arrowUp->setPictures(ArrowPicture(false, scale), ArrowPicture(true, scale));
    arrowUp->setGeometry(196, row1 - 2, 34, 28);
    Caption(&window, "raised", QRect(176, row1 + 28, 74, 14));
    auto* arrowDown = new PictureSwitch(&window);
    arrowDown->setPictures(ArrowPicture(false, scale), ArrowPicture(true, scale));
    arrowDown->setGeometry(262, row1 - 2, 34, 28);
    arrowDown->setDown(true);
    Caption(&window, "pressed", QRect(242, row1 + 28, 74, 14));
    auto* switchFocus = new PictureSwitch(&window);
    switchFocus->setCheckable(true);
    switchFocus->setPictures(SwitchPicture(false, scale), SwitchPicture(true, scale));
    switchFocus->setGeometry(330, row1, 46, 24);
    Caption(&window, "focus", QRect(316, row1 + 28, 74, 14));

    const int row2 = 276;
    QVector<QPixmap> light, speed;
    for (int v = 0; v <= 5; ++v) {
        light.push_back(SliderPicture(v, skin::kAccent, scale));
        speed.push_back(SliderPicture(v, QColor(0x7c, 0x5c, 0xff), scale));
    }
    auto* sliderLow = new BitmapSlider(&window);
    sliderLow->setPictures(light);
    sliderLow->setGeometry(40, row2, 150, 22);
    sliderLow->setPosition(1);
    Caption(&window, "brightness 1", QRect(40, row2 + 24, 150, 14));
    auto* sliderFocus = new BitmapSlider(&window);
    sliderFocus->setPictures(speed);
    sliderFocus->setGeometry(250, row2, 150, 22);
    sliderFocus->setPosition(4);
    Caption(&window, "speed 4, focus", QRect(250, row2 + 24, 150, 14));

    const int row3 = 332;
    auto* colourRed = new ColourButton(&window);
    colourRed->setColour(QColor(255, 60, 60));
    colourRed->setGeometry(40, row3, 56, 24);
    Caption(&window, "colour", QRect(30, row3 + 26, 76, 14));
    auto* colourFocus = new ColourButton(&window);
    colourFocus->setColour(QColor(170, 90, 255));
    colourFocus->setGeometry(122, row3, 56, 24);
    Caption(&window, "focus", QRect(112, row3 + 26, 76, 14));
    auto* colourDisabled = new ColourButton(&window);
    colourDisabled->setColour(QColor(120, 255, 120));
    colourDisabled->setEnabled(false);
    colourDisabled->setGeometry(204, row3, 56, 24);
    Caption(&window, "disabled", QRect(194, row3 + 26, 76, 14));
    auto* link = new HyperLink(&window);
    link->setText("keytune.example/help");
    link->setUrl(QUrl("https://keytune.example/help"));
    link->setGeometry(290, row3 + 2, 170, 20);

    // Standard controls in the skin's style.
    auto* combo = new QComboBox(&window);
    combo->addItems({"Wave", "Breathing", "Ripple", "Per-key colours"});
    combo->setGeometry(520, 226, 200, 28);
    auto* comboFocus = new QComboBox(&window);
    comboFocus->setEditable(true);
    comboFocus->addItems({"User mode 1", "User mode 2"});
    comboFocus->setGeometry(740, 226, 200, 28);
    auto* edit = new QLineEdit("255", &window);
    edit->setGeometry(520, 266, 60, 28);
    auto* editFocus = new QLineEdit("128", &window);
    editFocus->setGeometry(590, 266, 60, 28);
    auto* spin = new QSpinBox(&window);
    spin->setRange(0, 9999);
    spin->setValue(50);
    spin->setGeometry(660, 266, 80, 28);
    auto* check = new QCheckBox("Record delays", &window);
    check->setChecked(true);
    check->setGeometry(760, 266, 180, 28);
    auto* checkFocus = new QCheckBox("Flip layout", &window);
    checkFocus->setGeometry(760, 296, 180, 28);

    auto* list = new QListWidget(&window);
    list->addItems({"Macro 1", "Copy and paste", "Sprint", "Reload", "Long macro name that runs on",
                    "Macro 6", "Macro 7", "Macro 8"});
    list->setCurrentRow(1);
    list->setGeometry(40, 430, 200, 132);
    auto* listFocus = new QListWidget(&window);
    listFocus->addItems({"Profile 1", "Profile 2", "Profile 3"});
    listFocus->setCurrentRow(2);
    listFocus->setGeometry(256, 430, 204, 132);

    auto* tree = new QTreeWidget(&window);
    tree->setColumnCount(3);
    tree->setHeaderLabels({"Action", "Key", "Delay"});
    tree->setRootIsDecorated(false);
    for (int i = 0; i < 12; ++i) {
        auto* item =
            new QTreeWidgetItem(tree, {i % 2 ? "Release" : "Press", QString(QChar('A' + i / 2)),
                                       QString::number(20 + 7 * i) + " ms"});
        if (i == 3) {
            tree->setCurrentItem(item);
        }
    }
    tree->header()->resizeSection(0, 150);
    tree->setGeometry(520, 340, 420, 220);

    window.move(0, 0);
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) {
        std::fprintf(stderr, "widgets_gallery: the window did not become active\n");
    }
    QCoreApplication::processEvents();

    QPixmap shot = window.grab();
    QPainter composite(&shot);
    // Only one control can hold the focus at a time: focus each "focus"
    // sample in turn and paste its look into the picture.
    for (QWidget* focused :
         std::initializer_list<QWidget*>{buttons.back(), switchFocus, sliderFocus, colourFocus,
                                         comboFocus, editFocus, checkFocus, listFocus, link}) {
        focused->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        composite.drawPixmap(focused->geometry().topLeft(), focused->grab());
    }

    // Pop-ups are windows of their own: grab them and lay them over the shot.
    colourRed->showPalette();
    QCoreApplication::processEvents();
    if (ColourPalettePopup* popup = colourRed->palettePopup()) {
        composite.drawPixmap(QPoint(40, 630), popup->grab());
        popup->close();
    }
    QMenu menu;
    menu.addAction("Open Keytune");
    menu.addAction("About Keytune");
    menu.addSeparator();
    QAction* checked = menu.addAction("Start with the desktop");
    checked->setCheckable(true);
    checked->setChecked(true);
    QAction* disabled = menu.addAction("Update firmware");
    disabled->setEnabled(false);
    menu.addAction("Exit");
    menu.popup(QPoint(600, 400));
    QCoreApplication::processEvents();
    menu.setActiveAction(menu.actions().at(1));
    QCoreApplication::processEvents();
    composite.drawPixmap(QPoint(330, 630), menu.grab());
    menu.close();
    composite.end();

    // The window's outline: outside it the picture is transparent, as the
    // desktop would show it.
    QImage result = shot.toImage().convertToFormat(QImage::Format_ARGB32);
    QImage clipped(result.size(), QImage::Format_ARGB32);
    clipped.setDevicePixelRatio(result.devicePixelRatio());
    clipped.fill(Qt::transparent);
    {
        QPainter p(&clipped);
        p.setClipRegion(window.outline());
        p.drawImage(QPoint(0, 0), result);
    }
    if (!clipped.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "widgets_gallery: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

#include "widgets/SkinStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>

namespace widgets {

namespace {

// Fusion with the skin's arrows: the style sheet cannot draw a triangle, and
// Fusion's own arrows vanish on the dark fields.
class SkinProxyStyle : public QProxyStyle {
  public:
    SkinProxyStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        switch (element) {
            case PE_IndicatorArrowDown:
            case PE_IndicatorArrowUp:
            case PE_IndicatorArrowLeft:
            case PE_IndicatorArrowRight:
                drawArrow(element, option, painter);
                return;
            default:
                QProxyStyle::drawPrimitive(element, option, painter, widget);
        }
    }

  private:
    static void drawArrow(PrimitiveElement element, const QStyleOption* option, QPainter* painter) {
        const QRectF r = option->rect;
        const qreal size = std::min({r.width(), r.height(), 10.0});
        if (size <= 0) {
            return;
        }
        const QPointF c = r.center();
        const qreal h = size / 2, q = size / 4;
        QPainterPath chevron;
        switch (element) {
            case PE_IndicatorArrowDown:
                chevron.moveTo(c.x() - h, c.y() - q);
                chevron.lineTo(c.x(), c.y() + q);
                chevron.lineTo(c.x() + h, c.y() - q);
                break;
            case PE_IndicatorArrowUp:
                chevron.moveTo(c.x() - h, c.y() + q);
                chevron.lineTo(c.x(), c.y() - q);
                chevron.lineTo(c.x() + h, c.y() + q);
                break;
            case PE_IndicatorArrowLeft:
                chevron.moveTo(c.x() + q, c.y() - h);
                chevron.lineTo(c.x() - q, c.y());
                chevron.lineTo(c.x() + q, c.y() + h);
                break;
            default:
                chevron.moveTo(c.x() - q, c.y() - h);
                chevron.lineTo(c.x() + q, c.y());
                chevron.lineTo(c.x() - q, c.y() + h);
                break;
        }
        QColor colour = QColor(0x9a, 0xa0, 0xab);
        if (!(option->state & State_Enabled)) {
            colour = QColor(0x5c, 0x61, 0x6b);
        } else if (option->state & (State_MouseOver | State_Sunken | State_On)) {
            colour = skin::kAccent;
        }
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(chevron);
        painter->restore();
    }
};

}  // namespace

QString SkinStyleSheet() {
    // One sheet for every standard control that appears on a skinned window.
    // Colours follow the skin palette; focus is always an accent outline.
    return QStringLiteral(R"(
QToolTip { color: #e6e8ee; background: #262a31; border: 1px solid #30353e; padding: 3px 6px; }

QListView, QListWidget, QTreeView, QTreeWidget, QTableView, QTableWidget {
    background: #1b1e24; alternate-background-color: #20242b; color: #d6d9e0;
    border: 1px solid #30353e; border-radius: 6px; outline: 0;
    selection-background-color: #0a86c2; selection-color: #ffffff; }
QListView:focus, QTreeView:focus, QTableView:focus { border: 1px solid #00b4ff; }
QListView::item, QTreeView::item { padding: 3px 4px; border: none; }
QListView::item:hover, QTreeView::item:hover { background: #262a31; }
QListView::item:selected, QTreeView::item:selected, QTableView::item:selected {
    background: #0a86c2; color: #ffffff; }
QListView::item:selected:!active, QTreeView::item:selected:!active { background: #30353e; }
QTableView { gridline-color: #262a31; }

QHeaderView { background: #1b1e24; border: none; }
QHeaderView::section { background: #262a31; color: #ffffff; padding: 4px 6px; border: none;
    border-right: 1px solid #1b1e24; border-bottom: 1px solid #0d0f12; font-weight: bold; }
QHeaderView::section:hover { background: #30353e; }
QTableCornerButton::section { background: #262a31; border: none; }

QComboBox, QLineEdit, QSpinBox, QAbstractSpinBox {
    background: #262a31; color: #e6e8ee; border: 1px solid #30353e; border-radius: 6px;
    padding: 3px 8px; selection-background-color: #0a86c2; selection-color: #ffffff; min-height: 18px; }
QComboBox:hover, QLineEdit:hover, QAbstractSpinBox:hover { border: 1px solid #4a5060; }
QComboBox:focus, QLineEdit:focus, QAbstractSpinBox:focus, QComboBox:on { border: 1px solid #00b4ff; }
QComboBox:disabled, QLineEdit:disabled, QAbstractSpinBox:disabled { color: #5c616b; background: #1f2228; }
QComboBox::drop-down { subcontrol-origin: padding; subcontrol-position: center right; width: 18px; border: none; }
QComboBox QAbstractItemView { background: #1b1e24; color: #d6d9e0; border: 1px solid #30353e;
    selection-background-color: #0a86c2; selection-color: #ffffff; outline: 0; padding: 2px; }
QAbstractSpinBox::up-button, QAbstractSpinBox::down-button { width: 16px; border: none; background: transparent; }

QMenu { background: #1b1e24; color: #d6d9e0; border: 1px solid #30353e; padding: 4px; }
QMenu::item { padding: 5px 22px 5px 22px; border-radius: 4px; }
QMenu::item:selected { background: #0a86c2; color: #ffffff; }
QMenu::item:disabled { color: #5c616b; }
QMenu::separator { height: 1px; background: #30353e; margin: 4px 8px; }
QMenu::indicator { width: 12px; height: 12px; left: 5px; }
QMenu::indicator:checked { background: #00b4ff; border-radius: 6px; }

QMessageBox, QDialog#SkinPlainDialog { background: #1b1e24; }
QMessageBox QLabel { color: #d6d9e0; }
QPushButton { background: #262a31; color: #e6e8ee; border: 1px solid #30353e; border-radius: 6px;
    padding: 5px 16px; min-width: 64px; }
QPushButton:hover { border-color: #00b4ff; background: #2c3139; }
QPushButton:pressed { background: #0a86c2; color: #ffffff; }
QPushButton:focus { border: 1px solid #00b4ff; }
QPushButton:default { border: 1px solid #0a86c2; }
QPushButton:disabled { color: #5c616b; background: #1f2228; }

QCheckBox, QRadioButton { color: #d6d9e0; spacing: 6px; }
QCheckBox::indicator, QRadioButton::indicator { width: 14px; height: 14px; border: 1px solid #4a5060; background: #262a31; }
QCheckBox::indicator { border-radius: 3px; }
QRadioButton::indicator { border-radius: 8px; }
QCheckBox::indicator:checked, QRadioButton::indicator:checked { background: #00b4ff; border-color: #00b4ff; }
QCheckBox::indicator:hover, QRadioButton::indicator:hover { border-color: #00b4ff; }
QCheckBox:focus, QRadioButton:focus { color: #ffffff; }
QCheckBox::indicator:focus, QRadioButton::indicator:focus { border: 2px solid #00b4ff; }
QCheckBox:disabled, QRadioButton:disabled { color: #5c616b; }

QScrollBar:vertical { background: #16181d; width: 10px; margin: 0; border: none; }
QScrollBar:horizontal { background: #16181d; height: 10px; margin: 0; border: none; }
QScrollBar::handle { background: #3a404a; border-radius: 4px; }
QScrollBar::handle:vertical { min-height: 24px; margin: 1px; }
QScrollBar::handle:horizontal { min-width: 24px; margin: 1px; }
QScrollBar::handle:hover { background: #00b4ff; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; background: none; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }

QLabel#HyperLink { color: #00b4ff; }
QLabel#HyperLink:hover { color: #5fd0ff; text-decoration: underline; }
QLabel#HyperLink:focus { color: #5fd0ff; text-decoration: underline; border: 1px solid #00b4ff; border-radius: 3px; }

QFrame#ColourPalettePopup { background: #1b1e24; border: 1px solid #30353e; border-radius: 6px; }
)");
}

void ApplySkinStyle(QApplication& app) {
    app.setStyle(new SkinProxyStyle);
    QPalette palette;
    palette.setColor(QPalette::Window, skin::kPanel);
    palette.setColor(QPalette::WindowText, skin::kText);
    palette.setColor(QPalette::Base, skin::kPanel);
    palette.setColor(QPalette::AlternateBase, QColor(0x20, 0x24, 0x2b));
    palette.setColor(QPalette::Text, skin::kText);
    palette.setColor(QPalette::Button, skin::kGroup);
    palette.setColor(QPalette::ButtonText, skin::kLegend);
    palette.setColor(QPalette::BrightText, skin::kHeading);
    palette.setColor(QPalette::Highlight, skin::kAccentPressed);
    palette.setColor(QPalette::HighlightedText, skin::kHeading);
    palette.setColor(QPalette::ToolTipBase, skin::kGroup);
    palette.setColor(QPalette::ToolTipText, skin::kLegend);
    palette.setColor(QPalette::PlaceholderText, skin::kHint);
    palette.setColor(QPalette::Link, skin::kAccent);
    palette.setColor(QPalette::Light, skin::kEdge);
    palette.setColor(QPalette::Mid, skin::kGroup);
    palette.setColor(QPalette::Dark, skin::kOutline);
    palette.setColor(QPalette::Shadow, QColor(0, 0, 0));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, QColor(0x5c, 0x61, 0x6b));
    }
    app.setPalette(palette);
    app.setStyleSheet(SkinStyleSheet());
}

}  // namespace widgets

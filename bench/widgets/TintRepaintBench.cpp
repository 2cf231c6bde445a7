// One lighting preview tick as the window thread sees it: 113 key-sized
// skinned buttons get a new tint and the window repaints them. Runs on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <memory>
#include <vector>

#include "widgets/CPngButton.h"
#include "widgets/SkinSheets.h"

namespace {

constexpr int kButtons = 113;
constexpr int kKey = 36;
constexpr int kPitch = 40;
constexpr int kColumns = 23;

// A main-window-sized sheet with something on it to blend.
QPixmap Sheet(int shade) {
    QImage image(1200, 680, QImage::Format_RGB32);
    image.fill(QColor(0x12, 0x14, 0x18));
    QPainter painter(&image);
    for (int i = 0; i < kButtons; ++i) {
        const QRect cap(20 + (i % kColumns) * kPitch, 40 + (i / kColumns) * kPitch, kKey, kKey);
        painter.fillRect(cap, QColor(0x26 + shade, 0x2a + shade, 0x31 + shade));
    }
    return QPixmap::fromImage(image);
}

struct KeyboardWindow {
    KeyboardWindow() {
        for (int i = 0; i < 5; ++i) {
            sheets[i] = widgets::SkinSheet(Sheet(i * 8), 1, {});
        }
        window.resize(1200, 680);
        for (int i = 0; i < kButtons; ++i) {
            auto* button = new widgets::CPngButton(&window);
            const QPoint at(20 + (i % kColumns) * kPitch, 40 + (i / kColumns) * kPitch);
            button->setGeometry(QRect(at, QSize(kKey, kKey)));
            button->setSheets({&sheets[0], &sheets[1], &sheets[2], &sheets[3], &sheets[4]},
                              at + QPoint(1, 1));
            buttons.push_back(button);
        }
        window.show();
        QCoreApplication::processEvents();
    }
    widgets::SkinSheet sheets[5];
    QWidget window;
    std::vector<widgets::CPngButton*> buttons;
};

// Tints every button with a colour that changes each tick, then lets the
// window process its update: painting into the backing store and flushing.
void TintAndRepaint(benchmark::State& state) {
    KeyboardWindow keyboard;
    int tick = 0;
    for (auto _ : state) {
        ++tick;
        for (size_t i = 0; i < keyboard.buttons.size(); ++i) {
            keyboard.buttons[i]->setTint(QColor::fromHsv((tick * 7 + int(i) * 3) % 360, 255, 255));
        }
        QCoreApplication::processEvents();
    }
    state.counters["buttons"] = kButtons;
}

// Clearing every tint (the panel hides) costs the same path once.
void ClearTints(benchmark::State& state) {
    KeyboardWindow keyboard;
    for (auto _ : state) {
        state.PauseTiming();
        for (auto* button : keyboard.buttons) {
            button->setTint(Qt::red);
        }
        QCoreApplication::processEvents();
        state.ResumeTiming();
        for (auto* button : keyboard.buttons) {
            button->clearTint();
        }
        QCoreApplication::processEvents();
    }
}

// Rendering each button on its own into an image, without the window's
// backing store: the painting alone.
void RenderButtons(benchmark::State& state) {
    KeyboardWindow keyboard;
    QImage target(kKey, kKey, QImage::Format_ARGB32_Premultiplied);
    int tick = 0;
    for (auto _ : state) {
        ++tick;
        for (size_t i = 0; i < keyboard.buttons.size(); ++i) {
            auto* button = keyboard.buttons[i];
            button->setTint(QColor::fromHsv((tick * 7 + int(i) * 3) % 360, 255, 255));
            button->render(&target);
        }
        QCoreApplication::sendPostedEvents();
    }
}

}  // namespace

BENCHMARK(TintAndRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(ClearTints)->Unit(benchmark::kMicrosecond);
BENCHMARK(RenderButtons)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

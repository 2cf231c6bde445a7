// The widget tests: one Qt Test class per control, chosen by the first
// argument, so CTest can run and report each class on its own.
#include <QApplication>
#include <QTest>

#include <cstring>
#include <functional>
#include <map>
#include <memory>

#include "TestClasses.h"
#include "widgets/SkinSheets.h"

int main(int argc, char** argv) {
    // "--load-missing <folder>": the child process of the missing-sheet test.
    if (argc == 3 && std::strcmp(argv[1], "--load-missing") == 0) {
        QApplication app(argc, argv);
        widgets::SkinSheets::loadOrExit(QString::fromLocal8Bit(argv[2]),
                                        {"main_normal.jpg", "main_over.jpg", "main_down.jpg"}, 1);
        return 3;  // not reached when a sheet is missing
    }
    QApplication app(argc, argv);
    const auto& classes = widgets::test::TestClasses();
    if (argc < 2 || !classes.count(argv[1])) {
        std::fprintf(stderr, "usage: %s <test class> [Qt Test options]; classes:", argv[0]);
        for (const auto& entry : classes) {
            std::fprintf(stderr, " %s", entry.first.c_str());
        }
        std::fprintf(stderr, "\n");
        return 2;
    }
    std::unique_ptr<QObject> test = classes.at(argv[1])();
    // Qt Test sees the program name followed by its own options.
    argv[1] = argv[0];
    return QTest::qExec(test.get(), argc - 1, argv + 1);
}

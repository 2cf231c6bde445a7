// WindowTestSupport.h - a main window on the fixture program folder with a
// keytune-vkbd behind it, and reading the keyboard's trace.
#pragma once

#include <QString>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CKeytuneDlg.h"
#include "support/TempFolder.h"
#include "support/VkbdRunner.h"

namespace windowtest {

// One frame the keyboard received: its command, length, offset and payload.
struct Request {
    int command = 0;
    int length = 0;
    int offset = 0;
    std::vector<int> payload;
};

// Every request in the trace from line `fromLine` on; `lines` receives the
// trace's line count.
std::vector<Request> RequestsInTrace(const std::string& tracePath, size_t fromLine = 0,
                                     size_t* lines = nullptr);
size_t TraceLines(const std::string& tracePath);

// Command numbers of the keyboard.
constexpr int kBegin = 1, kEnd = 2, kReadInfo = 3, kWriteInfo = 4, kReadParameters = 5,
              kWriteParameters = 6, kReadKeyMap = 7, kWriteKeyMap = 8, kReadDefaultKeyMap = 15;

// The program folder, the user folders and the language are set up once per
// test program; each test gets its own keyboard and window.
class WindowTest : public testing::Test {
  protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Starts the window; with a keyboard attached it waits until the arrival
    // reads are done (the tray shows 141).
    app::CKeytuneDlg& startWindow(bool startInTray = false);
    // The window's answers to questions, set before the start.
    void answerQuestionsWith(bool yes);

    static std::string programFolder();
    static const std::map<std::string, QRect>& rects();

    testsupport::VkbdRunner vkbd;
    std::unique_ptr<app::CKeytuneDlg> window;
    std::vector<QString> notices;
    bool answer = false;
};

}  // namespace windowtest

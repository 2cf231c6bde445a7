#include <gtest/gtest.h>

#include "WindowTestSupport.h"

#include <QFile>
#include <fstream>
#include <sstream>

#include "FixtureSkin.h"
#include "settings/LanguageTables.h"
#include "settings/SettingsPaths.h"

namespace windowtest {

namespace {
testsupport::TempFolder* g_folder = nullptr;
std::map<std::string, QRect>* g_rects = nullptr;
}  // namespace

std::vector<Request> RequestsInTrace(const std::string& tracePath, size_t fromLine, size_t* lines) {
    std::ifstream in(tracePath);
    std::vector<Request> requests;
    std::string line;
    size_t number = 0;
    while (std::getline(in, line)) {
        if (number++ < fromLine || line.empty() || line[0] != '>')
            continue;
        std::istringstream words(line.substr(1));
        std::vector<int> bytes;
        std::string word;
        while (words >> word) bytes.push_back(std::stoi(word, nullptr, 16));
        if (bytes.size() < 8)
            continue;
        Request r;
        r.command = bytes[3];
        r.length = bytes[4];
        r.offset = bytes[5] | (bytes[6] << 8);
        r.payload.assign(bytes.begin() + 8, bytes.end());
        requests.push_back(r);
    }
    if (lines)
        *lines = number;
    return requests;
}

size_t TraceLines(const std::string& tracePath) {
    size_t lines = 0;
    RequestsInTrace(tracePath, 0, &lines);
    return lines;
}

void WindowTest::SetUpTestSuite() {
    if (g_folder)
        return;
    g_folder = new testsupport::TempFolder;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(g_folder->file("config")));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(g_folder->file("data")));
    g_rects = new std::map<std::string, QRect>(
        fixture::WriteProgramFolder(QString::fromStdString(g_folder->file("Keytune"))));
    settings::SetProgramFolder(g_folder->file("Keytune"));
    settings::BuildUserPaths();
}

std::string WindowTest::programFolder() {
    return g_folder->file("Keytune");
}

const std::map<std::string, QRect>& WindowTest::rects() {
    return *g_rects;
}

void WindowTest::SetUp() {
    settings::SetProgramFolder(programFolder());
    ASSERT_TRUE(vkbd.start()) << vkbd.stderrText();
}

void WindowTest::TearDown() {
    if (window)
        window->Shutdown();
    window.reset();
    vkbd.stop();
}

void WindowTest::answerQuestionsWith(bool yes) {
    answer = yes;
}

app::CKeytuneDlg& WindowTest::startWindow(bool startInTray) {
    window = std::make_unique<app::CKeytuneDlg>(settings::ProgramTexts());
    window->setStartInTray(startInTray);
    window->showNotice = [this](const QString& text) { notices.push_back(text); };
    window->askYesNo = [this](const QString&) { return answer; };
    window->openUrl = [](const QUrl&) {};
    QString reason;
    EXPECT_TRUE(window->Initialise(&reason)) << reason.toStdString();
    if (vkbd.running())
        EXPECT_TRUE(fixture::WaitFor([&] {
            return window->initialised() && window->tray().picture() == app::CTrayIcon::kKeyboard &&
                   window->link()->state().lastDeviceCount > 0;
        }));
    else
        EXPECT_TRUE(fixture::WaitFor([&] { return window->initialised(); }));
    return *window;
}

}  // namespace windowtest

#include "CKeytuneApp.h"

#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>

#include "CKeytuneDlg.h"
#include "CommandLine.h"
#include "SingleInstance.h"
#include "WindowMessages.h"
#include "settings/LanguageTables.h"
#include "settings/SettingsPaths.h"
#include "widgets/SkinStyle.h"

namespace app {

namespace {

// The companion program, when one is installed beside Keytune; started once
// by the instance that owns the lock, hidden, its result ignored.
void startCompanion(const settings::ProgramPaths& paths) {
    QString program = QString::fromStdString(paths.companionProgram);
    if (!QFileInfo(program).isExecutable() && program.endsWith(".exe"))
        program.chop(4);
    if (QFileInfo(program).isExecutable())
        QProcess::startDetached(program, {});
}

}  // namespace

int CKeytuneApp::run(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine line = ParseCommandLine(arguments);
    if (line.help) {
        std::fputs(UsageText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (line.version) {
        std::printf("keytune %s\n", KEYTUNE_VERSION);
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(settings::kAppTitle));
    QApplication::setApplicationVersion(KEYTUNE_VERSION);
    QApplication::setQuitOnLastWindowClosed(false);

    settings::BuildPaths(settings::CurrentExecutablePath());
    settings::BuildUserPaths();

    SingleInstance instance;
    const SingleInstance::Claim claim = instance.claim();
    if (line.kill) {
        // Nothing else runs when the lock was free; then there is nothing to close.
        if (claim == SingleInstance::Claim::AnotherRunning)
            instance.sendToRunning("KILL");
        return 0;
    }
    if (claim == SingleInstance::Claim::AnotherRunning) {
        instance.sendToRunning("OPEN");
        return 0;
    }
    startCompanion(settings::GetProgramPaths());

    widgets::ApplySkinStyle(application);
    CKeytuneDlg window(settings::ProgramTexts());
    window.setStartInTray(line.start);
    window.releaseInstance = [&instance] { instance.release(); };
    QObject::connect(&instance, &SingleInstance::openRequested, &window,
                     [&window] { window.handleMessage(msg::kOpenOrVersion, msg::kOpenTag); });
    QObject::connect(&instance, &SingleInstance::killRequested, &window,
                     [&window] { window.handleMessage(msg::kKill, msg::kKillTag); });
    QString reason;
    if (!window.Initialise(&reason)) {
        std::fprintf(stderr, "keytune: %s\n", reason.toLocal8Bit().constData());
        return 0;
    }
    application.exec();
    window.Shutdown();
    instance.release();
    return 0;
}

}  // namespace app

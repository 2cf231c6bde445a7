// The command line and the single instance: arguments in any letter case,
// the lock of a running instance, hand-over of requests, a crashed instance's
// leftovers.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QSignalSpy>

#include "CommandLine.h"
#include "FixtureSkin.h"
#include "SingleInstance.h"
#include "support/TempFolder.h"

namespace {

TEST(CommandLine, RecognisesEachArgumentInAnyCaseAndIgnoresTheRest) {
    struct Case {
        QStringList args;
        bool kill, start, help, version;
    } cases[] = {
        {{}, false, false, false, false},
        {{"/Kill"}, true, false, false, false},
        {{"/kILL"}, true, false, false, false},
        {{"--KILL"}, true, false, false, false},
        {{"/START"}, false, true, false, false},
        {{"--start"}, false, true, false, false},
        {{"/Start", "/Kill"}, true, true, false, false},
        {{"--help"}, false, false, true, false},
        {{"--Version"}, false, false, false, true},
        {{"/Killer", "Start", "-kill", "--start=1"}, false, false, false, false},
    };
    for (const Case& c : cases) {
        const app::CommandLine line = app::ParseCommandLine(c.args);
        const QString what = c.args.join(' ');
        EXPECT_EQ(line.kill, c.kill) << what.toStdString();
        EXPECT_EQ(line.start, c.start) << what.toStdString();
        EXPECT_EQ(line.help, c.help) << what.toStdString();
        EXPECT_EQ(line.version, c.version) << what.toStdString();
    }
}

TEST(SingleInstance, SecondClaimFindsTheFirstAndHandsItRequests) {
    testsupport::TempFolder folder;
    const QString path = QString::fromStdString(folder.path());
    app::SingleInstance first(path);
    ASSERT_EQ(first.claim(), app::SingleInstance::Claim::Owner);
    QSignalSpy opened(&first, &app::SingleInstance::openRequested);
    QSignalSpy killed(&first, &app::SingleInstance::killRequested);
    // KILL ends the instance from its handler: the socket that carried the
    // request goes away with the server while the request is handled.
    QObject::connect(&first, &app::SingleInstance::killRequested, &first,
                     [&first] { first.release(); });

    app::SingleInstance second(path);
    EXPECT_EQ(second.claim(), app::SingleInstance::Claim::AnotherRunning);
    EXPECT_FALSE(second.owner());
    ASSERT_TRUE(second.sendToRunning("OPEN"));
    ASSERT_TRUE(fixture::WaitFor([&] { return opened.count() == 1; }));
    // An unknown request is ignored; KILL is delivered as such.
    ASSERT_TRUE(second.sendToRunning("OPENX"));
    ASSERT_TRUE(second.sendToRunning("KILL"));
    ASSERT_TRUE(fixture::WaitFor([&] { return killed.count() == 1; }));
    EXPECT_EQ(opened.count(), 1);

    EXPECT_FALSE(first.owner());
    EXPECT_FALSE(QFile::exists(first.lockPath()));
    EXPECT_FALSE(QFile::exists(first.socketPath()));
    // With nobody listening a request reaches no one, and quickly.
    EXPECT_FALSE(second.sendToRunning("OPEN", 100));
    EXPECT_EQ(second.claim(), app::SingleInstance::Claim::Owner);
}

TEST(SingleInstance, TakesOverTheLockAndSocketOfACrashedInstance) {
    testsupport::TempFolder folder;
    const QString path = QString::fromStdString(folder.path());
    // A process id that is certainly gone: a child that has ended.
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    app::SingleInstance probe(path);
    QFile lock(probe.lockPath());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(child) + "\nkeytune\n" + QSysInfo::machineHostName().toUtf8() +
               "\n");
    lock.close();
    QFile socket(probe.socketPath());
    ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    socket.close();

    app::SingleInstance instance(path);
    ASSERT_EQ(instance.claim(), app::SingleInstance::Claim::Owner);
    QSignalSpy opened(&instance, &app::SingleInstance::openRequested);
    app::SingleInstance second(path);
    EXPECT_EQ(second.claim(), app::SingleInstance::Claim::AnotherRunning);
    ASSERT_TRUE(second.sendToRunning("OPEN"));
    EXPECT_TRUE(fixture::WaitFor([&] { return opened.count() == 1; }));
}

}  // namespace

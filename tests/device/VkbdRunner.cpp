#include "VkbdRunner.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace fake {

namespace {

pid_t spawn(const std::string& path, const std::vector<std::string>& args, int outFd = -1,
            int errFd = -1) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        if (outFd >= 0)
            dup2(outFd, STDOUT_FILENO);
        if (errFd >= 0)
            dup2(errFd, STDERR_FILENO);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

bool socketAccepts(const std::string& path) {
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    close(fd);
    return ok;
}

int waitStatus(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

VkbdRunner::VkbdRunner(std::string programFolder) : programFolder_(std::move(programFolder)) {
    std::string base = std::filesystem::temp_directory_path().string() + "/keytune-device-XXXXXX";
    std::vector<char> name(base.begin(), base.end());
    name.push_back('\0');
    if (mkdtemp(name.data()))
        folder_ = name.data();
    socket_ = folder_ + "/vkbd.sock";
    setenv("KEYTUNE_VKBD_SOCKET", socket_.c_str(), 1);
    setenv("KEYTUNE_HIDRAW", "0", 1);
}

VkbdRunner::~VkbdRunner() {
    stop();
    std::error_code error;
    if (!folder_.empty())
        std::filesystem::remove_all(folder_, error);
}

bool VkbdRunner::start(const std::vector<std::string>& options, bool trace) {
    std::vector<std::string> args = {"--socket", socket_};
    if (trace)
        args.insert(args.end(), {"--trace", tracePath()});
    args.insert(args.end(), options.begin(), options.end());
    pid_ = spawn(programFolder_ + "/keytune-vkbd", args);
    if (pid_ < 0)
        return false;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        if (socketAccepts(socket_))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

void VkbdRunner::stop() {
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    waitStatus(pid_);
    pid_ = -1;
}

int VkbdRunner::control(const std::vector<std::string>& words) const {
    std::vector<std::string> args = {"ctl", "--socket", socket_};
    args.insert(args.end(), words.begin(), words.end());
    int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    pid_t pid = spawn(programFolder_ + "/keytune-vkbd", args, devNull);
    if (devNull >= 0)
        close(devNull);
    return pid < 0 ? -1 : waitStatus(pid);
}

ProgramRun runProgram(const std::string& path, const std::vector<std::string>& args) {
    ProgramRun run;
    std::string base = std::filesystem::temp_directory_path().string() + "/keytune-run-XXXXXX";
    std::vector<char> name(base.begin(), base.end());
    name.push_back('\0');
    if (!mkdtemp(name.data()))
        return run;
    std::string folder = name.data();
    int out = open((folder + "/out").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    int err = open((folder + "/err").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    pid_t pid = spawn(path, args, out, err);
    close(out);
    close(err);
    if (pid > 0)
        run.status = waitStatus(pid);
    run.out = readFile(folder + "/out");
    run.err = readFile(folder + "/err");
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    return run;
}

}  // namespace fake

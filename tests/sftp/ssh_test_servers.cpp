#include "ssh_test_servers.h"

#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QTcpServer>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace gravmark::test {

namespace {

// The unpacked sshd (see GRAVMARK_TEST_SERVERS).
const QString kSshd = GRAVMARK_TEST_SERVERS "/usr/sbin/sshd";
const QString kUnshare = "/usr/bin/unshare";

// sshd run by root separates privileges into the system's "sshd" account, which only the
// installed package makes. Run by anyone else it serves that user alone and needs no
// account. So root runs it in a user namespace of its own where it is no uid at all: it
// then logs in the kernel's overflow user (nobody) and, being root outside, still reads
// the test's files.
bool sshdNeedsNamespace() { return ::geteuid() == 0; }

uid_t overflowUid() {
    uid_t uid = 65534;
    std::ifstream("/proc/sys/kernel/overflowuid") >> uid;
    return uid;
}
const QString kPython = "/usr/bin/python3";

uint16_t freeLoopbackPort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost)) throw std::runtime_error("no free loopback port");
    return probe.serverPort();
}

std::string run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60'000) || process.exitCode() != 0)
        throw std::runtime_error(program.toStdString() + " failed: " + process.readAllStandardError().toStdString());
    return process.readAllStandardOutput().toStdString();
}

// Direct children of a process, from /proc.
std::vector<pid_t> childrenOf(pid_t parent) {
    std::vector<pid_t> children;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        std::getline(stat, line);
        // "pid (command) state ppid ...": the command may hold blanks, so read after the last ')'.
        const auto close = line.rfind(')');
        if (close == std::string::npos) continue;
        char state = 0;
        pid_t ppid = 0;
        if (std::sscanf(line.c_str() + close + 1, " %c %d", &state, &ppid) == 2 && ppid == parent)
            children.push_back(std::stoi(name));
    }
    return children;
}

// Reads the line "port N" a test server prints once it listens.
uint16_t announcedPort(QProcess& process) {
    while (!process.canReadLine() && process.waitForReadyRead(20'000)) {
    }
    const QByteArray line = process.readLine().trimmed();
    if (!line.startsWith("port ")) throw std::runtime_error("the test server did not start");
    return static_cast<uint16_t>(line.mid(5).toUInt());
}

void stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(5'000)) process.kill();
    process.waitForFinished();
}

}  // namespace

void makeKeyPair(const std::string& path, const std::string& type, const std::string& passphrase,
                 const std::string& format) {
    QStringList arguments = {"-q", "-t", QString::fromStdString(type), "-N", QString::fromStdString(passphrase),
                             "-C", "gravmark-test", "-f", QString::fromStdString(path)};
    if (!format.empty()) arguments << "-m" << QString::fromStdString(format);
    run("/usr/bin/ssh-keygen", arguments);
}

std::string keygenFingerprint(const std::string& publicKeyPath) {
    // "256 SHA256:xxxx comment (ED25519)"
    const std::string line = run("/usr/bin/ssh-keygen", {"-l", "-E", "sha256", "-f", QString::fromStdString(publicKeyPath)});
    const auto start = line.find("SHA256:");
    return line.substr(start, line.find(' ', start) - start);
}

std::optional<std::string> sshdMissing() {
    if (::access(kSshd.toLocal8Bit().constData(), X_OK) != 0)
        return "no " + kSshd.toStdString() + ": run ./test, which unpacks it there";
    if (sshdNeedsNamespace() && ::access(kUnshare.toLocal8Bit().constData(), X_OK) != 0)
        return "no " + kUnshare.toStdString() + ": install util-linux";
    if (::access("/usr/bin/ssh-keygen", X_OK) != 0) return "no ssh-keygen: install openssh-client";
    return std::nullopt;
}

std::optional<std::string> paramikoMissing() {
    if (QProcess::execute(kPython, {"-c", "import paramiko"}) != 0) return "no paramiko: install python3-paramiko";
    return std::nullopt;
}

Sshd::Sshd(const std::string& sftpOptions) {
    makeKeyPair(folder_.file("host_key"), "ed25519");
    makeKeyPair(clientKey(), "ed25519");
    authorize(clientKey() + ".pub");
    for (int attempt = 0; attempt < 3 && process_.state() != QProcess::Running; ++attempt) {
        port_ = freeLoopbackPort();
        std::ofstream(folder_.file("sshd_config"))
            << "Port " << port_ << "\nListenAddress 127.0.0.1\nListenAddress ::1\n"
            << "HostKey " << folder_.file("host_key") << "\nPidFile " << folder_.file("sshd.pid")
            << "\nAuthorizedKeysFile " << folder_.file("authorized_keys")
            << "\nStrictModes no\nUsePAM no\n"
            << "PasswordAuthentication no\nKbdInteractiveAuthentication no\nPubkeyAuthentication yes\n"
            << "Subsystem sftp internal-sftp " << sftpOptions << "\n";
        process_.setProcessChannelMode(QProcess::MergedChannels);
        const QStringList arguments = {kSshd, "-D", "-e", "-f", QString::fromStdString(folder_.file("sshd_config"))};
        if (sshdNeedsNamespace())
            process_.start(kUnshare, QStringList{"--user"} + arguments);
        else
            process_.start(arguments.front(), arguments.mid(1));
        // Listening on the IPv4 address is the last thing it reports before it serves.
        while (process_.waitForReadyRead(20'000)) {
            log_ += process_.readAll().toStdString();
            if (log_.find("listening on 127.0.0.1") != std::string::npos) return;
        }
        stop(process_);
    }
    throw std::runtime_error("sshd did not start: " + log_);
}

Sshd::~Sshd() {
    signalSessions(SIGKILL);
    stop(process_);
}

std::string Sshd::user() const {
    return ::getpwuid(sshdNeedsNamespace() ? overflowUid() : ::geteuid())->pw_name;
}

void Sshd::authorize(const std::string& publicKeyPath) const {
    std::ifstream key(publicKeyPath);
    std::ofstream(folder_.file("authorized_keys"), std::ios::app) << key.rdbuf();
}

void Sshd::signalSessions(int signal) const {
    if (process_.state() != QProcess::Running) return;
    // Each connection is served by a child of the listener that leads its own process
    // group (the session's helpers belong to it): signalling the group reaches them all.
    for (const pid_t session : childrenOf(static_cast<pid_t>(process_.processId()))) ::kill(-session, signal);
}

void Sshd::kill() {
    signalSessions(SIGKILL);
    process_.kill();
    process_.waitForFinished();
}

ParamikoSftpServer::ParamikoSftpServer(const std::string& root, const std::string& user,
                                       const std::string& password, const std::string& method) {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(kPython, {GRAVMARK_SFTP_SERVER_SCRIPT, "--root", QString::fromStdString(root), "--user",
                             QString::fromStdString(user), "--password", QString::fromStdString(password),
                             "--method", QString::fromStdString(method)});
    port_ = announcedPort(process_);
}

ParamikoSftpServer::~ParamikoSftpServer() { stop(process_); }

SilentServer::SilentServer() : fd_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(fd_, 4) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("the silent server cannot listen");
    port_ = ntohs(address.sin_port);
}

SilentServer::~SilentServer() { ::close(fd_); }

}  // namespace gravmark::test

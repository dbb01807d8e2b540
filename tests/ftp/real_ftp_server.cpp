#include "real_ftp_server.h"

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <filesystem>
#include <stdexcept>

namespace gravmark::test {
namespace {

int freeLoopbackPort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) throw std::runtime_error("no free port");
    return probe.serverPort();
}

// The unpacked servers (see GRAVMARK_TEST_SERVERS).
const std::string kVsftpd = GRAVMARK_TEST_SERVERS "/usr/sbin/vsftpd";
const std::string kProftpd = GRAVMARK_TEST_SERVERS "/usr/sbin/proftpd";
const std::string kProftpdModules = GRAVMARK_TEST_SERVERS "/usr/lib/proftpd";

bool acceptsConnections(int port) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    return socket.waitForConnected(1000);
}

}  // namespace

std::optional<TestCertificate> makeTestCertificate(const TempFolder& folder) {
    TestCertificate made{folder.file("cert.pem"), folder.file("key.pem"), folder.file("combined.pem")};
    const int status =
        QProcess::execute("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj",
                                      "/CN=localhost", "-keyout", QString::fromStdString(made.key), "-out",
                                      QString::fromStdString(made.certificate)});
    if (status != 0) return std::nullopt;
    writeFile(made.combined, readFile(made.certificate) + readFile(made.key));
    return made;
}

RealFtpServer::~RealFtpServer() {
    if (process_.state() == QProcess::NotRunning) return;
    ::kill(-static_cast<pid_t>(process_.processId()), SIGTERM);
    if (!process_.waitForFinished(5'000)) kill();
}

void RealFtpServer::kill() {
    if (process_.state() == QProcess::NotRunning) return;
    ::kill(-static_cast<pid_t>(process_.processId()), SIGKILL);
    process_.waitForFinished(5'000);
}

void RealFtpServer::waitUntilListening() {
    const QDeadlineTimer deadline(10'000);
    while (!acceptsConnections(port_)) {
        if (deadline.hasExpired() || process_.state() == QProcess::NotRunning)
            throw std::runtime_error(process_.program().toStdString() + " did not start");
        QThread::msleep(50);
    }
}

void RealFtpServer::start(const QString& program, const QStringList& arguments) {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setChildProcessModifier([] { ::setsid(); });
    process_.start(program, arguments);
    if (!process_.waitForStarted(10'000)) throw std::runtime_error("cannot start " + program.toStdString());
}

std::optional<QString> PyftpdlibServer::python() {
    for (const QString candidate : {"/usr/bin/python3", "python3"}) {
        if (QProcess::execute(candidate, {"-c", "import pyftpdlib"}) == 0) return candidate;
    }
    return std::nullopt;
}

PyftpdlibServer::PyftpdlibServer(const std::string& root, const std::string& certificateFile) {
    QStringList arguments = {GRAVMARK_FTP_SERVER_SCRIPT,
                             "--root",
                             QString::fromStdString(root),
                             "--user",
                             "gamer",
                             "--password",
                             "secret"};
    if (!certificateFile.empty()) arguments << "--certfile" << QString::fromStdString(certificateFile);
    start(*python(), arguments);
    while (!process_.canReadLine() && process_.waitForReadyRead(10'000)) {
    }
    const QByteArray line = process_.readLine().trimmed();
    if (!line.startsWith("port ")) throw std::runtime_error("pyftpdlib did not start");
    port_ = line.mid(5).toInt();
}

bool VsftpdServer::available() { return std::filesystem::exists(kVsftpd); }

VsftpdServer::VsftpdServer(const TempFolder& folder, const std::string& root,
                           const std::string& extraConfig) {
    // vsftpd wants an empty folder nobody can write to for its sessions, and an account to
    // look up for anonymous logins: not the "ftp" one its package would add, but nobody.
    const std::string empty = folder.file("vsftpd-empty");
    std::filesystem::create_directories(empty);
    ::chmod(empty.c_str(), 0555);
    port_ = freeLoopbackPort();
    const std::string config = folder.file("vsftpd.conf");
    writeFile(config,
              "listen=YES\nlisten_ipv6=NO\nlisten_address=127.0.0.1\nlisten_port=" + std::to_string(port_) +
                  "\nbackground=NO\nrun_as_launching_user=YES\nseccomp_sandbox=NO\n"
                  "anonymous_enable=YES\nftp_username=nobody\nno_anon_password=YES\nlocal_enable=NO\nwrite_"
                  "enable=NO\n"
                  "anon_root=" +
                  root + "\nsecure_chroot_dir=" + empty +
                  "\nconnect_from_port_20=NO\nxferlog_enable=NO\ndirmessage_enable=NO\n" + extraConfig);
    start(QString::fromStdString(kVsftpd), {QString::fromStdString(config)});
    waitUntilListening();
}

bool ProftpdServer::available() { return std::filesystem::exists(kProftpdModules + "/mod_tls.so"); }

ProftpdServer::ProftpdServer(const TempFolder& folder, const std::string& root,
                             const std::string& extraConfig) {
    // Sessions run as the user running the test, to whom the anonymous login is mapped.
    const std::string user = ::getpwuid(::geteuid())->pw_name;
    const std::string group = ::getgrgid(::getegid())->gr_name;
    port_ = freeLoopbackPort();
    const std::string config = folder.file("proftpd.conf");
    writeFile(config,
              "ServerType standalone\nPort " + std::to_string(port_) +
                  "\nDefaultAddress 127.0.0.1\nSocketBindTight on\nUseIPv6 off\nUser " + user + "\nGroup " +
                  group + "\nScoreboardFile " + folder.file("proftpd.scoreboard") + "\nPidFile " +
                  folder.file("proftpd.pid") +
                  "\nDelayTable none\nWtmpLog off\nUseReverseDNS off\nTransferLog none\n"
                  "SystemLog " +
                  folder.file("proftpd.log") + "\nModulePath " + kProftpdModules +
                  "\nLoadModule mod_tls.c\n" + extraConfig + "<Anonymous " + root + ">\nUser " + user +
                  "\nGroup " + group + "\nUserAlias anonymous " + user +
                  "\nRootLogin on\nRequireValidShell off\n<Limit WRITE>\nDenyAll\n</Limit>\n</Anonymous>\n");
    start(QString::fromStdString(kProftpd), {"-n", "-q", "-c", QString::fromStdString(config)});
    waitUntilListening();
}

}  // namespace gravmark::test

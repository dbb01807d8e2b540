#include "scripted_ftp_server.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <algorithm>
#include <cstring>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace gravmark::test {
namespace {

constexpr int64_t kChunk = 256 * 1024;
constexpr int64_t kInFlight = 1024 * 1024;

}  // namespace

ScriptedFtpServer::ScriptedFtpServer(const QHostAddress& address) {
    if (!server_.listen(address, 0)) throw std::runtime_error("scripted server cannot listen");
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
        while (QTcpSocket* control = server_.nextPendingConnection()) {
            control_ = control;
            QObject::connect(control, &QTcpSocket::readyRead, control, [this, control] {
                while (control->canReadLine()) {
                    answer(control, control->readLine().trimmed().toStdString());
                }
            });
            send(greeting);
        }
    });
}

std::string ScriptedFtpServer::serverText() const {
    const std::string host = server_.serverAddress().toString().toStdString();
    const std::string port = std::to_string(server_.serverPort());
    return server_.serverAddress().protocol() == QAbstractSocket::IPv6Protocol ? "[" + host + "]:" + port
                                                                               : host + ":" + port;
}

void ScriptedFtpServer::setRemoteFile(std::string content) {
    auto bytes = std::make_shared<std::string>(std::move(content));
    setRemoteFile(static_cast<int64_t>(bytes->size()), [bytes](int64_t offset, char* out, size_t length) {
        std::memcpy(out, bytes->data() + offset, length);
    });
}

void ScriptedFtpServer::setRemoteFile(int64_t size, std::function<void(int64_t, char*, size_t)> fill) {
    remoteSize_ = size;
    fill_ = std::move(fill);
}

bool ScriptedFtpServer::waitForClientToLeave(std::chrono::milliseconds limit) {
    const QDeadlineTimer deadline(limit);
    while (control_ && control_->state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return !control_ || control_->state() != QAbstractSocket::ConnectedState;
}

void ScriptedFtpServer::send(const std::string& reply) {
    if (control_) control_->write(QByteArray::fromStdString(reply + "\r\n"));
}

void ScriptedFtpServer::answer(QTcpSocket* control, const std::string& line) {
    control_ = control;
    commands_.push_back(line);
    const auto blank = line.find(' ');
    const std::string verb = line.substr(0, blank);
    const std::string argument = blank == std::string::npos ? "" : line.substr(blank + 1);
    auto scripted = replies.find(line);
    if (scripted == replies.end()) scripted = replies.find(verb);
    const std::string reply = scripted != replies.end() ? scripted->second : normalReply(verb, argument);
    if (!reply.empty()) send(reply);
    if (closeAfter.contains(verb)) control->disconnectFromHost();
}

std::string ScriptedFtpServer::normalReply(const std::string& verb, const std::string& argument) {
    if (verb == "USER") return "331 Password required for " + argument + ".";
    if (verb == "PASS") return "230 Logged in.";
    if (verb == "TYPE") return "200 Type set to " + argument + ".";
    if (verb == "SYST") return "215 UNIX Type: L8";
    if (verb == "SIZE")
        return argument == remotePath ? "213 " + std::to_string(remoteSize_) : "550 No such file.";
    if (verb == "REST") {
        restartOffset_ = std::stoll(argument);
        return "350 Restarting at " + argument + ".";
    }
    if (verb == "EPSV" || verb == "PASV") return listenPassive(verb);
    if (verb == "ABOR") {
        if (!data_ || sendOffset_ >= remoteSize_) return "225 No transfer to ABOR.";
        QTcpSocket* data = std::exchange(data_, nullptr);
        data->disconnect();  // no end-of-transfer reply
        data->abort();
        data->deleteLater();
        return "426 Transfer aborted.\r\n226 ABOR command successful.";
    }
    if (verb == "NOOP") return "200 NOOP ok.";
    if (verb == "QUIT") {
        control_->disconnectFromHost();
        return "221 Goodbye.";
    }
    if (verb == "PORT") {
        passive_.reset();
        int parts[6] = {};
        char comma = 0;
        std::istringstream in(argument);
        for (int i = 0; i < 6; ++i) in >> parts[i] >> comma;
        dataAddress_ = QHostAddress(quint32(parts[0] << 24 | parts[1] << 16 | parts[2] << 8 | parts[3]));
        dataPort_ = static_cast<quint16>(parts[4] * 256 + parts[5]);
        return "200 PORT command successful.";
    }
    if (verb == "EPRT") {  // |2|address|port|
        passive_.reset();
        const auto third = argument.find('|', 3);
        dataAddress_ = QHostAddress(QString::fromStdString(argument.substr(3, third - 3)));
        dataPort_ = static_cast<quint16>(std::stoi(argument.substr(third + 1)));
        return "200 EPRT command successful.";
    }
    if (verb == "RETR") {
        if (argument != remotePath) return "550 No such file.";
        if (passive_) {
            retrWaiting_ = true;
            if (passiveData_) startSending(passiveData_);
        } else {
            connectBack();
        }
        return "";  // "150" follows once the data connection stands
    }
    return "500 Unknown command.";
}

std::string ScriptedFtpServer::listenPassive(const std::string& verb) {
    passive_ = std::make_unique<QTcpServer>();
    passiveData_ = nullptr;
    if (!passive_->listen(server_.serverAddress(), 0)) return "425 Cannot listen.";
    QObject::connect(passive_.get(), &QTcpServer::newConnection, passive_.get(), [this] {
        QTcpSocket* data = passive_->nextPendingConnection();
        data->setParent(&server_);
        passive_->close();
        passiveData_ = data;
        if (retrWaiting_) startSending(data);
    });
    const quint16 port = passive_->serverPort();
    if (verb == "EPSV") return "229 Entering Extended Passive Mode (|||" + std::to_string(port) + "|)";
    return "227 Entering Passive Mode (" + pasvAddress + "," + std::to_string(port / 256) + "," +
           std::to_string(port % 256) + ").";
}

void ScriptedFtpServer::connectBack() {
    auto* data = new QTcpSocket(&server_);
    if (!dataFrom.isNull()) data->bind(dataFrom);
    QObject::connect(data, &QTcpSocket::connected, data, [this, data] {
        if (connectTwice) {
            auto* intruder = new QTcpSocket(&server_);
            intruder->connectToHost(dataAddress_, dataPort_);
            intruder->write("intruder");
        }
        startSending(data);
    });
    data->connectToHost(dataAddress_, dataPort_);
}

void ScriptedFtpServer::startSending(QTcpSocket* data) {
    retrWaiting_ = false;
    passive_.reset();
    data_ = data;
    sendOffset_ = std::exchange(restartOffset_, 0);
    dropAt_ = dropAfter >= 0 ? sendOffset_ + dropAfter : -1;
    QObject::connect(data, &QTcpSocket::bytesWritten, data, [this] { sendMore(); });
    QObject::connect(data, &QTcpSocket::disconnected, data, [this, data] {
        if (sendOffset_ >= remoteSize_) send(endReply);
        data->deleteLater();
    });
    send("150 Opening BINARY mode data connection.");
    sendMore();
}

void ScriptedFtpServer::sendMore() {
    int64_t end = stallAfter >= 0 ? std::min(stallAfter, remoteSize_) : remoteSize_;
    if (dropAt_ >= 0) end = std::min(end, dropAt_);
    std::string chunk;
    while (data_ && data_->bytesToWrite() < kInFlight && sendOffset_ < end) {
        chunk.resize(static_cast<size_t>(std::min(kChunk, end - sendOffset_)));
        fill_(sendOffset_, chunk.data(), chunk.size());
        data_->write(chunk.data(), static_cast<qint64>(chunk.size()));
        sendOffset_ += static_cast<int64_t>(chunk.size());
    }
    if (data_ && dropAt_ >= 0 && sendOffset_ >= dropAt_) {
        // Killed: both connections end without an end-of-transfer reply.
        dropAt_ = -1;
        dropAfter = -1;
        data_->disconnectFromHost();
        data_ = nullptr;
        if (control_) control_->disconnectFromHost();
        return;
    }
    if (data_ && sendOffset_ >= remoteSize_ && data_->state() == QAbstractSocket::ConnectedState) {
        data_->disconnectFromHost();
    }
}

}  // namespace gravmark::test

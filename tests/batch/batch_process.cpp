#include "batch_process.h"

#include <QFile>
#include <QProcess>
#include <chrono>
#include <thread>

namespace gravmark::test {

BatchResult runBatchProcess(const std::vector<std::string>& arguments,
                            const std::function<void(QProcessEnvironment&)>& adjust, const std::string& executable,
                            int terminateAfterMs) {
    QStringList list;
    for (const std::string& argument : arguments) list << QString::fromStdString(argument);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
    environment.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    if (adjust) adjust(environment);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QString::fromStdString(executable), list);
    BatchResult result;
    if (terminateAfterMs >= 0 && process.waitForStarted()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(terminateAfterMs));
        process.terminate();
    }
    if (!process.waitForFinished(60'000) || process.exitStatus() != QProcess::NormalExit) return result;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

}  // namespace gravmark::test

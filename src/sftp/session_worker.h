#pragma once
// The thread an SSH session runs on, and the caller's side of it. libssh waits on the
// network in blocking calls; they run here, one job at a time, while the caller's thread
// runs a local event loop, so the windows keep painting and answering input. Whatever a
// job hands back (blocks of the log, its end, its exception) comes to the caller's thread.
//
// A job that stays silent (no block and no end) for the time limit is cut off: the
// session's socket is shut down, which ends any libssh wait at once, and run() throws
// "The server did not answer for N seconds; the fetch was stopped." once the job has ended.
#include <QObject>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "sftp/shared_socket.h"

class QEventLoop;

namespace gravmark {

class SessionWorker {
public:
    // Given to a job: hands a block to the caller; false when the caller wants no more,
    // and the job should then end.
    using Deliver = std::function<bool(std::string_view block)>;
    using Job = std::function<void(const Deliver& deliver)>;

    SessionWorker(std::chrono::milliseconds silenceLimit, SharedSocket& socket);
    ~SessionWorker();
    SessionWorker(const SessionWorker&) = delete;
    SessionWorker& operator=(const SessionWorker&) = delete;

    // Runs job on the worker thread and waits for its end, passing its blocks to consume
    // on this thread (in order); rethrows the job's exception here. When consume returns
    // false or throws, the job is told to stop (deliver returns false) and its end is
    // awaited; what consume threw is then rethrown.
    void run(const Job& job, const std::function<bool(std::string_view)>& consume = {});

private:
    void workerLoop();
    bool deliver(std::string_view block);
    void wakeCaller();
    [[noreturn]] void throwSilence() const;

    const std::chrono::milliseconds silenceLimit_;
    SharedSocket& socket_;

    // Lives on the caller's thread; wake-ups are posted to it.
    QObject waker_;
    QEventLoop* waitingLoop_ = nullptr;

    std::mutex mutex_;
    std::condition_variable jobPosted_;
    std::condition_variable spaceFree_;
    std::condition_variable jobEnded_;
    Job job_;
    bool quit_ = false;
    bool jobDone_ = true;
    bool stopWanted_ = false;
    std::exception_ptr jobError_;
    std::deque<std::string> blocks_;

    std::thread thread_;  // last: starts when everything above is ready
};

}  // namespace gravmark

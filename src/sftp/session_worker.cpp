#include "sftp/session_worker.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include "common/error.h"

namespace gravmark {

namespace {

// Enough blocks in hand to keep the caller busy while the worker reads on, and few
// enough that memory stays flat whatever the size of the log.
constexpr size_t kMaxBlocksWaiting = 64;

// How often a cut-off job that has not ended yet is looked at again.
constexpr std::chrono::milliseconds kAfterCutPoll{200};

}  // namespace

SessionWorker::SessionWorker(std::chrono::milliseconds silenceLimit, SharedSocket& socket)
    : silenceLimit_(silenceLimit), socket_(socket), thread_([this] { workerLoop(); }) {}

SessionWorker::~SessionWorker() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    jobPosted_.notify_one();
    thread_.join();
}

void SessionWorker::workerLoop() {
    std::unique_lock lock(mutex_);
    while (true) {
        jobPosted_.wait(lock, [this] { return quit_ || job_; });
        if (quit_) return;
        const Job job = std::move(job_);
        job_ = nullptr;
        lock.unlock();
        std::exception_ptr error;
        try {
            job([this](std::string_view block) { return deliver(block); });
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        jobError_ = error;
        jobDone_ = true;
        jobEnded_.notify_all();
        wakeCaller();
    }
}

bool SessionWorker::deliver(std::string_view block) {
    std::unique_lock lock(mutex_);
    spaceFree_.wait(lock, [this] { return stopWanted_ || blocks_.size() < kMaxBlocksWaiting; });
    if (stopWanted_) return false;
    blocks_.emplace_back(block);
    // The caller takes every waiting block at each wake-up; one wake-up per batch is enough.
    if (blocks_.size() == 1) wakeCaller();
    return true;
}

// Called with the mutex held, from the worker thread.
void SessionWorker::wakeCaller() {
    QMetaObject::invokeMethod(
        &waker_,
        [this] {
            if (waitingLoop_) waitingLoop_->quit();
        },
        Qt::QueuedConnection);
}

void SessionWorker::throwSilence() const {
    throw Error("The server did not answer for " +
                std::to_string(std::chrono::ceil<std::chrono::seconds>(silenceLimit_).count()) +
                " seconds; the fetch was stopped.");
}

void SessionWorker::run(const Job& job, const std::function<bool(std::string_view)>& consume) {
    {
        std::lock_guard lock(mutex_);
        job_ = job;
        jobDone_ = false;
        stopWanted_ = false;
        jobError_ = nullptr;
        blocks_.clear();
    }
    jobPosted_.notify_one();

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    waitingLoop_ = &loop;
    QDeadlineTimer silence(silenceLimit_);
    bool cutOff = false;
    bool stopped = false;
    // What consume threw; it goes on to the caller once the job has ended.
    std::exception_ptr consumerError;
    while (true) {
        std::deque<std::string> arrived;
        bool done;
        {
            std::lock_guard lock(mutex_);
            arrived.swap(blocks_);
            done = jobDone_;
        }
        if (!arrived.empty()) {
            spaceFree_.notify_one();
            for (const std::string& block : arrived) {
                if (stopped || !consume) continue;
                try {
                    if (consume(block)) continue;
                } catch (...) {
                    consumerError = std::current_exception();
                }
                stopped = true;
                {
                    std::lock_guard lock(mutex_);
                    stopWanted_ = true;
                }
                spaceFree_.notify_one();
            }
            silence.setRemainingTime(silenceLimit_);
            continue;
        }
        if (done) break;
        if (!cutOff && silence.hasExpired()) {
            cutOff = true;
            socket_.cut();
        }
        timer.start(cutOff ? kAfterCutPoll
                           : std::chrono::ceil<std::chrono::milliseconds>(silence.remainingTimeAsDuration()));
        // A loop that returns at once with -1 was refused because the application is
        // quitting: no more events will come, so cut the session and wait for the job here.
        if (loop.exec() < 0) {
            socket_.cut();
            std::unique_lock lock(mutex_);
            stopWanted_ = true;
            spaceFree_.notify_one();
            jobEnded_.wait(lock, [this] { return jobDone_; });
            waitingLoop_ = nullptr;
            throw Error("The program is closing; the download was stopped.");
        }
    }
    waitingLoop_ = nullptr;
    if (consumerError) std::rethrow_exception(consumerError);
    if (cutOff) throwSilence();
    if (jobError_) std::rethrow_exception(jobError_);
}

}  // namespace gravmark

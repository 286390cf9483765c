#include "cli/CheckWorkers.h"

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <exception>
#include <string>

#include "text/Sjis.h"

namespace {

using Clock = std::chrono::steady_clock;

// The findings of a part as bytes: numbers in the machine's own order (both ends are this
// program on this machine), strings with their length first.
class Out {
  public:
    void number(std::int64_t v) { bytes.append(reinterpret_cast<const char*>(&v), sizeof v); }
    void text(const std::string& s) {
        number(static_cast<std::int64_t>(s.size()));
        bytes += s;
    }
    std::string bytes;
};

class In {
  public:
    explicit In(std::string_view bytes) : left_(bytes) {}
    bool number(std::int64_t& v) {
        if (left_.size() < sizeof v) return false;
        std::memcpy(&v, left_.data(), sizeof v);
        left_.remove_prefix(sizeof v);
        return true;
    }
    bool text(std::string& s) {
        std::int64_t n = 0;
        if (!number(n) || n < 0 || static_cast<std::uint64_t>(n) > left_.size()) return false;
        s.assign(left_.substr(0, static_cast<std::size_t>(n)));
        left_.remove_prefix(static_cast<std::size_t>(n));
        return true;
    }
    bool done() const { return left_.empty(); }

  private:
    std::string_view left_;
};

std::string encode(const CourseCheckReport& r) {
    Out out;
    out.number(static_cast<std::int64_t>(r.problems.size()));
    for (const CheckProblem& p : r.problems) {
        out.text(p.path);
        out.number(p.line);
        out.text(p.message);
        out.number(p.key ? 1 : 0);
    }
    for (int n : {r.unitsChecked, r.keys.checked, r.keys.wrong, r.keys.notChecked})
        out.number(n);
    return std::move(out.bytes);
}

bool decode(std::string_view bytes, CourseCheckReport& r) {
    In in(bytes);
    std::int64_t count = 0;
    if (!in.number(count) || count < 0) return false;
    for (std::int64_t k = 0; k < count; ++k) {
        CheckProblem p;
        std::int64_t line = 0, key = 0;
        if (!in.text(p.path) || !in.number(line) || !in.text(p.message) || !in.number(key))
            return false;
        p.line = static_cast<int>(line);
        p.key = key != 0;
        r.problems.push_back(std::move(p));
    }
    std::int64_t n[4] = {};
    for (std::int64_t& v : n)
        if (!in.number(v)) return false;
    r.unitsChecked = static_cast<int>(n[0]);
    r.keys = {static_cast<int>(n[1]), static_cast<int>(n[2]), static_cast<int>(n[3])};
    return in.done();
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool readAll(int fd, char* into, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::read(fd, into, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        into += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// A worker's life: a part number in, its findings out (the number, the length, the bytes),
// until the checking process closes the pipe.
[[noreturn]] void serve(const CheckParts& parts, int jobs, int results) {
    std::uint64_t part = 0;
    while (readAll(jobs, reinterpret_cast<char*>(&part), sizeof part)) {
        std::string bytes;
        try {
            bytes = encode(parts.check(static_cast<std::size_t>(part), true));
        } catch (const std::exception&) {
            ::_exit(3);
        }
        const std::uint64_t head[2] = {part, bytes.size()};
        if (!writeAll(results,
                      std::string_view(reinterpret_cast<const char*>(head), sizeof head)) ||
            !writeAll(results, bytes))
            ::_exit(4);
    }
    // No destructors: the objects of the checking process are its own to end.
    ::_exit(0);
}

struct Worker {
    pid_t pid = -1;
    int jobs = -1;    // part numbers to the worker
    int results = -1; // findings from it
    long part = -1;   // the part in hand, -1 for none
    Clock::time_point since;
    std::string got; // bytes read so far of the findings in hand
};

class Runner {
  public:
    Runner(const CheckParts& parts, const WorkerOptions& options)
        : parts_(parts), options_(options), found_(parts.count), done_(parts.count, false) {}

    std::vector<CourseCheckReport> run() {
        const unsigned wanted = std::max(1u, options_.workers);
        for (unsigned w = 0; w < wanted && next_ < parts_.count; ++w)
            if (!start()) break;
        while (finished_ < parts_.count) {
            if (workers_.empty() && !start()) {
                // No process can be made: the rest is checked here, without keys.
                for (std::size_t i = 0; i < parts_.count; ++i)
                    if (!done_[i]) stopped(i, "新しい処理を始められません");
                break;
            }
            wait();
        }
        for (Worker& w : workers_)
            end(w, false);
        return std::move(found_);
    }

  private:
    // A new worker, handed the next part.
    bool start() {
        int jobs[2], results[2];
        if (::pipe2(jobs, O_CLOEXEC) != 0) return false;
        if (::pipe2(results, O_CLOEXEC) != 0) {
            ::close(jobs[0]);
            ::close(jobs[1]);
            return false;
        }
        const pid_t pid = ::fork();
        if (pid < 0) {
            for (int fd : {jobs[0], jobs[1], results[0], results[1]})
                ::close(fd);
            return false;
        }
        if (pid == 0) {
            for (const Worker& w : workers_) {
                ::close(w.jobs);
                ::close(w.results);
            }
            ::close(jobs[1]);
            ::close(results[0]);
            serve(parts_, jobs[0], results[1]);
        }
        ::close(jobs[0]);
        ::close(results[1]);
        Worker& w = workers_.emplace_back();
        w.pid = pid;
        w.jobs = jobs[1];
        w.results = results[0];
        hand(w);
        return true;
    }

    // The next part to w, or the end of its work.
    void hand(Worker& w) {
        w.got.clear();
        w.part = -1;
        if (next_ >= parts_.count) {
            ::close(w.jobs);
            w.jobs = -1;
            return;
        }
        const std::uint64_t part = next_++;
        w.part = static_cast<long>(part);
        w.since = Clock::now();
        // A worker gone already is found at its pipe of findings.
        writeAll(w.jobs, std::string_view(reinterpret_cast<const char*>(&part), sizeof part));
    }

    // Waits for findings, a worker's end or a part's time running out.
    void wait() {
        std::vector<pollfd> fds;
        int timeout = -1;
        const auto now = Clock::now();
        for (const Worker& w : workers_) {
            fds.push_back({w.results, POLLIN, 0});
            if (w.part < 0) continue;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                w.since + std::chrono::seconds(options_.secondsPerPart) - now);
            const int ms = static_cast<int>(std::max<long long>(0, left.count()) + 1);
            timeout = timeout < 0 ? ms : std::min(timeout, ms);
        }
        const int ready = ::poll(fds.data(), fds.size(), timeout);
        if (ready < 0 && errno != EINTR) return;
        for (std::size_t k = workers_.size(); k-- > 0;) {
            Worker& w = workers_[k];
            const short events = ready > 0 ? fds[k].revents : 0;
            if (events & (POLLIN | POLLHUP | POLLERR)) {
                if (!take(w)) retire(k, ended(w));
            } else if (w.part >= 0 &&
                       Clock::now() - w.since >= std::chrono::seconds(options_.secondsPerPart)) {
                ::kill(w.pid, SIGKILL);
                retire(k, "時間切れ：" + std::to_string(options_.secondsPerPart) + " 秒");
            }
        }
    }

    // Reads what w has sent; false when it has ended (or sent what cannot be read).
    bool take(Worker& w) {
        char buffer[65536];
        const ssize_t n = ::read(w.results, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) return true;
        if (n <= 0) return false;
        w.got.append(buffer, static_cast<std::size_t>(n));
        while (w.got.size() >= 16) {
            std::uint64_t head[2];
            std::memcpy(head, w.got.data(), sizeof head);
            if (static_cast<long>(head[0]) != w.part) return false;
            if (w.got.size() - 16 < head[1]) break;
            CourseCheckReport report;
            if (!decode(std::string_view(w.got).substr(16, head[1]), report)) return false;
            const auto part = static_cast<std::size_t>(head[0]);
            found_[part] = std::move(report);
            done_[part] = true;
            ++finished_;
            w.got.erase(0, 16 + head[1]);
            hand(w);
        }
        return true;
    }

    // Why w ended (it has: its pipe is closed), after reaping it.
    std::string ended(Worker& w) {
        int status = 0;
        ::waitpid(w.pid, &status, 0);
        w.pid = -1;
        if (WIFSIGNALED(status)) return "異常終了：シグナル " + std::to_string(WTERMSIG(status));
        return "異常終了：終了コード " +
               std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }

    // Drops worker k; the part it had in hand is checked here without keys.
    void retire(std::size_t k, const std::string& why) {
        Worker w = std::move(workers_[k]);
        workers_.erase(workers_.begin() + static_cast<long>(k));
        const long part = w.part;
        end(w, true);
        if (part >= 0 && !done_[static_cast<std::size_t>(part)])
            stopped(static_cast<std::size_t>(part), why);
        if (next_ < parts_.count) start();
    }

    void stopped(std::size_t part, const std::string& whyUtf8) {
        CourseCheckReport report = parts_.check(part, false);
        CheckProblem problem = parts_.place(part);
        problem.message = StoppedPartText(whyUtf8);
        report.problems.insert(report.problems.begin(), std::move(problem));
        found_[part] = std::move(report);
        done_[part] = true;
        ++finished_;
    }

    void end(Worker& w, bool kill) {
        if (w.jobs >= 0) ::close(w.jobs);
        if (w.results >= 0) ::close(w.results);
        w.jobs = w.results = -1;
        if (w.pid > 0) {
            if (kill) ::kill(w.pid, SIGKILL);
            ::waitpid(w.pid, nullptr, 0);
            w.pid = -1;
        }
    }

    const CheckParts& parts_;
    WorkerOptions options_;
    std::vector<Worker> workers_;
    std::vector<CourseCheckReport> found_;
    std::vector<bool> done_;
    std::size_t next_ = 0;
    std::size_t finished_ = 0;
};

} // namespace

std::vector<CourseCheckReport> RunPartsInWorkers(const CheckParts& parts,
                                                 const WorkerOptions& options) {
    return Runner(parts, options).run();
}

unsigned UsableProcessors() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) != 0) return 1;
    return std::max(1, CPU_COUNT(&set));
}

std::string StoppedPartText(const std::string& whyUtf8) {
    return J("解答の確かめが止まりました（") + sjis::fromUtf8(whyUtf8) +
           J("）：この部分の解答は確かめていません");
}

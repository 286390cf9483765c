#pragma once
// While one lives, no file this process writes grows beyond `limit` bytes: writes past it
// fail (EFBIG) as they do on a full disk, instead of ending the process with SIGXFSZ.

#include <csignal>
#include <sys/resource.h>

class FullDisk {
  public:
    explicit FullDisk(rlim_t limit = 4096) {
        getrlimit(RLIMIT_FSIZE, &old_);
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old_;
        small.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, handler_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

  private:
    rlimit old_{};
    void (*handler_)(int) = SIG_DFL;
};

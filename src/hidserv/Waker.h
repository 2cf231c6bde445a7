// Waker.h - an eventfd that wakes a thread blocked in poll().
#pragma once

namespace hidserv {

class Waker {
  public:
    Waker();
    ~Waker();
    Waker(const Waker&) = delete;
    Waker& operator=(const Waker&) = delete;

    int fd() const { return fd_; }  // readable while signalled
    void signal();
    void drain();

  private:
    int fd_ = -1;
};

}  // namespace hidserv

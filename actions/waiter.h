#pragma once

// A wait inside a recognition pass or an action. It blocks the interface thread on
// purpose: bytes that arrive meanwhile stay in the serial port's buffer and are read
// when the pass is over, so nothing is lost and no second pass can start inside
// the first.
class Waiter {
  public:
    virtual ~Waiter() = default;
    virtual void wait(int ms) = 0;
};

// Sleeps on the calling thread without running the event loop.
class SleepingWaiter : public Waiter {
  public:
    void wait(int ms) override;
};

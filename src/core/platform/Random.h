#pragma once
// A source of random numbers: shuffled runs of a worksheet, similar questions picked at
// random. The Qt layer supplies the system's generator; tests supply a seeded one, so that
// every run of a test is the same.

class Random {
  public:
    virtual ~Random() = default;
    // A number in 0..count-1, each equally likely; 0 when count is below 1.
    virtual int below(int count) = 0;
};

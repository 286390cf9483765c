#pragma once
// The system's random numbers (QRandomGenerator, seeded by the system).

#include "platform/Random.h"

class QtRandom : public Random {
  public:
    int below(int count) override;
};

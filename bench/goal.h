#ifndef GOAL_H
#define GOAL_H

#include <cstdio>

// One line per goal, each starting with "GOAL" so that scripts/bench can gather them at the end.
inline void printGoal(const char *what, double ratio, double limit)
{
    std::printf("GOAL %s: %.3f (goal at most %.2f) %s\n", what, ratio, limit,
        ratio <= limit ? "met" : "NOT MET");
    std::fflush(stdout);
}

#endif // GOAL_H

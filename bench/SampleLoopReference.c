/* The least a program can do for the same sample: a bare loop taking it once a second.
   Usage: sample_loop_reference SECONDS (it ends after them). */
#include "bench/ReferenceSample.h"

#include <stdio.h>
#include <stdlib.h>
#include <time.h>

int main(int argc, char** argv) {
    const long seconds = argc > 1 ? strtol(argv[1], NULL, 10) : 0;
    if (seconds <= 0 || !reference_sample_open()) {
        fputs("usage: sample_loop_reference SECONDS, with an X display\n", stderr);
        return 1;
    }
    struct timespec next;
    clock_gettime(CLOCK_MONOTONIC, &next);
    for (long second = 0; second < seconds; ++second) {
        reference_sample_take();
        ++next.tv_sec;
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, NULL);
    }
    return 0;
}

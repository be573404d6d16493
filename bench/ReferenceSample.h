/* The system work of one of the program's samples, done as plainly as C allows: the first
   kilobyte of /proc/stat, the pointer and the key map in one X round trip. The references of
   scripts/measure-cost.sh share it. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/* Opens the X display in $DISPLAY and /proc/stat; 0 when either fails. */
int reference_sample_open(void);
void reference_sample_take(void);

#ifdef __cplusplus
}
#endif

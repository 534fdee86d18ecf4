/* A stand-in for the system's screen-saver password library: records how it was called
 * into the file named by SAVER_TEST_RECORD and, when SAVER_TEST_BLOCK is set, waits for a
 * signal, so a test can end the saver while it is inside the dialog. */

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

uint32_t PwdChangePasswordA(const char* provider, int64_t owner_window, uint32_t reserved1,
                            uint32_t reserved2) {
    const char* record = getenv("SAVER_TEST_RECORD");
    if (record != NULL) {
        FILE* file = fopen(record, "w");
        if (file != NULL) {
            fprintf(file, "%s %lld %u %u\n", provider, (long long)owner_window, reserved1,
                    reserved2);
            fclose(file);
        }
    }
    if (getenv("SAVER_TEST_BLOCK") != NULL) {
        for (;;) {
            pause();
        }
    }
    return 1;
}

/* cputime: run a command and write its CPU time (user + system of it and of the
 * children it waited for, from getrusage) and wall time, in ms: "USER SYS WALL".
 * Usage: cputime OUTFILE COMMAND [ARG...]   Exit: the command's, 1 on a signal, 127 not started. */
#define _GNU_SOURCE
#include <stdio.h>
#include <string.h>
#include <errno.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double ms(struct timeval t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; }

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: cputime OUTFILE COMMAND [ARG...]\n");
        return 127;
    }
    struct timespec a, b;
    clock_gettime(CLOCK_MONOTONIC, &a);
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        fprintf(stderr, "cputime: cannot start %s: %s\n", argv[2], strerror(errno));
        _exit(127);
    }
    int status;
    if (pid < 0 || waitpid(pid, &status, 0) != pid)
        return 127;
    clock_gettime(CLOCK_MONOTONIC, &b);
    struct rusage usage;
    getrusage(RUSAGE_CHILDREN, &usage);
    FILE *out = fopen(argv[1], "w");
    if (!out)
        return 127;
    fprintf(out, "%.3f %.3f %.3f\n", ms(usage.ru_utime), ms(usage.ru_stime),
            (b.tv_sec - a.tv_sec) * 1e3 + (b.tv_nsec - a.tv_nsec) / 1e6);
    fclose(out);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

/* mapwatch: start a command and measure the time until its first window is mapped.
 *
 * Usage: mapwatch [-t TIMEOUT_MS] [-s SETTLE_MS] [-O] [-v] COMMAND [ARG...]
 *
 * Selects SubstructureNotify on the root window of $DISPLAY, takes a CLOCK_MONOTONIC
 * time, forks and execs COMMAND (same environment, own process group) and waits for the
 * first MapNotify of a top-level window (of any client: run it on a display of its own).
 * -O ignores override-redirect windows. Then it lets the command run SETTLE_MS more,
 * reads VmRSS from /proc/PID/status, ends the process group (SIGTERM, after 2 s SIGKILL)
 * and reaps the command. Prints one line: "MAP_MS RSS_KB". -v tells on stderr which
 * window mapped and the RSS every 250 ms while settling.
 * Exit: 0 measured, 1 usage or X error, 2 timeout, 3 the command ended too early.
 */
#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static int ignore_x_errors(Display *d, XErrorEvent *e)
{
    (void)d;
    (void)e;
    return 0; /* a window gone before we asked about it */
}

static long rss_kb(pid_t pid)
{
    char path[64], line[256];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *f = fopen(path, "r");
    long kb = -1;
    if (!f)
        return -1;
    while (fgets(line, sizeof line, f))
        if (sscanf(line, "VmRSS: %ld", &kb) == 1)
            break;
    fclose(f);
    return kb;
}

static void describe(Display *d, Window w, int override_redirect)
{
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False), type;
    int format;
    unsigned long n, after;
    unsigned char *name = NULL, *pid = NULL;
    XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), 0, 256, False, utf8,
                       &type, &format, &n, &after, &name);
    XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL,
                       &type, &format, &n, &after, &pid);
    XWindowAttributes a;
    if (XGetWindowAttributes(d, w, &a) == 0)
        a.width = a.height = 0;
    fprintf(stderr, "mapwatch: window 0x%lx %dx%d%s pid %ld \"%s\"\n", w, a.width, a.height,
            override_redirect ? " override-redirect" : "", pid ? (long)*(unsigned long *)pid : -1L,
            name ? (char *)name : "");
    if (name)
        XFree(name);
    if (pid)
        XFree(pid);
}

/* Waits until the child ended or `ms` passed; returns 1 when it was reaped. */
static int wait_child(int sfd, pid_t pid, int ms, int *status)
{
    double deadline = now_ms() + ms;
    for (;;) {
        if (waitpid(pid, status, WNOHANG) == pid)
            return 1;
        int left = (int)(deadline - now_ms());
        if (left <= 0)
            return 0;
        struct pollfd p = {sfd, POLLIN, 0};
        if (poll(&p, 1, left) > 0) {
            struct signalfd_siginfo info;
            if (read(sfd, &info, sizeof info) < 0 && errno != EAGAIN)
                return 0;
        }
    }
}

static void end_child(int sfd, pid_t pid)
{
    int status;
    kill(-pid, SIGTERM);
    if (!wait_child(sfd, pid, 2000, &status)) {
        kill(-pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    kill(-pid, SIGKILL); /* helpers the command started in its group */
}

int main(int argc, char **argv)
{
    int timeout_ms = 20000, settle_ms = 1000, skip_override = 0, verbose = 0, opt;
    while ((opt = getopt(argc, argv, "+t:s:Ov")) != -1) {
        switch (opt) {
        case 't': timeout_ms = atoi(optarg); break;
        case 's': settle_ms = atoi(optarg); break;
        case 'O': skip_override = 1; break;
        case 'v': verbose = 1; break;
        default: goto usage;
        }
    }
    if (optind >= argc) {
    usage:
        fprintf(stderr, "usage: mapwatch [-t TIMEOUT_MS] [-s SETTLE_MS] [-O] [-v] COMMAND [ARG...]\n");
        return 1;
    }

    Display *d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "mapwatch: cannot open display \"%s\"\n", XDisplayName(NULL));
        return 1;
    }
    XSetErrorHandler(ignore_x_errors);
    Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, True); /* the selection is in place and nothing older is queued */

    sigset_t chld, old;
    sigemptyset(&chld);
    sigaddset(&chld, SIGCHLD);
    sigprocmask(SIG_BLOCK, &chld, &old);
    int sfd = signalfd(-1, &chld, SFD_CLOEXEC | SFD_NONBLOCK);
    int xfd = ConnectionNumber(d);

    double start = now_ms();
    pid_t pid = fork();
    if (pid < 0) {
        perror("mapwatch: fork");
        return 1;
    }
    if (pid == 0) {
        close(xfd);
        setpgid(0, 0);
        sigprocmask(SIG_SETMASK, &old, NULL);
        execvp(argv[optind], argv + optind);
        fprintf(stderr, "mapwatch: cannot start %s: %s\n", argv[optind], strerror(errno));
        _exit(127);
    }
    setpgid(pid, pid);

    /* The first map, without polling: block on the X connection and the SIGCHLD fd. */
    double mapped = -1;
    int status;
    while (mapped < 0) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type != MapNotify || e.xmap.event != root)
                continue;
            if (skip_override && e.xmap.override_redirect)
                continue;
            mapped = now_ms();
            if (verbose)
                describe(d, e.xmap.window, e.xmap.override_redirect);
            break;
        }
        if (mapped >= 0)
            break;
        int left = (int)(start + timeout_ms - now_ms());
        if (left <= 0) {
            fprintf(stderr, "mapwatch: no window mapped within %d ms: %s\n", timeout_ms, argv[optind]);
            end_child(sfd, pid);
            return 2;
        }
        struct pollfd p[2] = {{xfd, POLLIN, 0}, {sfd, POLLIN, 0}};
        poll(p, 2, left);
        if (p[1].revents && wait_child(sfd, pid, 0, &status)) {
            fprintf(stderr, "mapwatch: %s ended before mapping a window (%s %d)\n", argv[optind],
                    WIFEXITED(status) ? "exit" : "signal", WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status));
            kill(-pid, SIGKILL);
            return 3;
        }
    }

    /* Settle: the command's event loop runs on; X events are read and dropped. */
    double settled = now_ms() + settle_ms, next_sample = now_ms() + 250;
    for (;;) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (verbose && e.type == MapNotify && e.xmap.event == root)
                describe(d, e.xmap.window, e.xmap.override_redirect);
        }
        double t = now_ms();
        if (t >= settled)
            break;
        if (verbose && t >= next_sample) {
            fprintf(stderr, "mapwatch: +%.0f ms VmRSS %ld kB\n", t - mapped, rss_kb(pid));
            next_sample += 250;
        }
        double until = verbose && next_sample < settled ? next_sample : settled;
        struct pollfd p[2] = {{xfd, POLLIN, 0}, {sfd, POLLIN, 0}};
        poll(p, 2, (int)(until - t) + 1);
        if (p[1].revents && wait_child(sfd, pid, 0, &status)) {
            fprintf(stderr, "mapwatch: %s ended while settling (%s %d)\n", argv[optind],
                    WIFEXITED(status) ? "exit" : "signal", WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status));
            kill(-pid, SIGKILL);
            return 3;
        }
    }
    long kb = rss_kb(pid);
    end_child(sfd, pid);
    XCloseDisplay(d);
    if (kb < 0) {
        fprintf(stderr, "mapwatch: no VmRSS for pid %d\n", (int)pid);
        return 1;
    }
    printf("%.3f %ld\n", mapped - start, kb);
    return 0;
}

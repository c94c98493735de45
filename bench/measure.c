/* Starts a program on the current X display and measures it:
 *   first_frame_ms   from the start of the process to the first drawing into
 *                    its top-level window (the X Damage extension sees it)
 *   cpu_percent      its CPU time (user + system) while it runs on for the
 *                    given seconds after that frame, in per cent of one core
 *   xserver_percent  the X server's CPU over the same seconds (XSERVER_PID)
 *   peak_rss_kb      its peak resident memory, when it has been ended
 * Usage: measure SECONDS PROGRAM [ARGS...]; prints one line of key=value. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* utime + stime of a process, in seconds */
static double cpu_seconds(pid_t pid)
{
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/stat", (int)pid);
    FILE* f = fopen(path, "r");
    if (!f)
        return 0;
    unsigned long utime = 0, stime = 0;
    /* fields 14 and 15; the command name (field 2) holds no blanks here */
    if (fscanf(f, "%*d %*s %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) != 2)
        utime = stime = 0;
    fclose(f);
    return (double)(utime + stime) / sysconf(_SC_CLK_TCK);
}

int main(int argc, char* argv[])
{
    if (argc < 3) {
        fprintf(stderr, "usage: measure SECONDS PROGRAM [ARGS...]\n");
        return 2;
    }
    const double seconds = atof(argv[1]);
    const pid_t xserver = getenv("XSERVER_PID") ? (pid_t)atoi(getenv("XSERVER_PID")) : 0;

    Display* dpy = XOpenDisplay(NULL);
    int damageEvent, damageError;
    if (!dpy || !XDamageQueryExtension(dpy, &damageEvent, &damageError)) {
        fprintf(stderr, "needs an X display with the Damage extension\n");
        return 2;
    }
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XSync(dpy, False);

    const double start = now_ms();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }

    double firstFrame = -1;
    struct pollfd pfd = {ConnectionNumber(dpy), POLLIN, 0};
    while (firstFrame < 0 && now_ms() - start < 30000) {
        if (!XPending(dpy) && poll(&pfd, 1, 100) <= 0)
            continue;
        XEvent ev;
        XNextEvent(dpy, &ev);
        if (ev.type == CreateNotify) {
            XDamageCreate(dpy, ev.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (ev.type == damageEvent + XDamageNotify) {
            const XDamageNotifyEvent* d = (const XDamageNotifyEvent*)&ev;
            if (d->geometry.width > 100 && d->geometry.height > 100) /* the window, not a helper */
                firstFrame = now_ms() - start;
        }
    }
    if (firstFrame < 0) {
        fprintf(stderr, "no frame within 30 s\n");
        kill(child, SIGKILL);
        return 1;
    }

    const double cpu0 = cpu_seconds(child), x0 = xserver ? cpu_seconds(xserver) : 0, t0 = now_ms();
    usleep((useconds_t)(seconds * 1e6));
    const double cpu1 = cpu_seconds(child), x1 = xserver ? cpu_seconds(xserver) : 0, t1 = now_ms();

    kill(child, SIGTERM);
    int status;
    struct rusage usage;
    wait4(child, &status, 0, &usage);
    const double wall = (t1 - t0) / 1e3;
    printf("first_frame_ms=%.1f cpu_percent=%.1f xserver_percent=%.1f peak_rss_kb=%ld\n", firstFrame,
           100 * (cpu1 - cpu0) / wall, xserver ? 100 * (x1 - x0) / wall : -1.0, usage.ru_maxrss);
    XCloseDisplay(dpy);
    return 0;
}

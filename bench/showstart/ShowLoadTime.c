#define _GNU_SOURCE  // accept4
// show-load-time PORT COMMAND [ARGUMENT...]: serves a black test page on 127.0.0.1:PORT
// ("/page.htm"), starts the command, and prints the milliseconds from its start until the
// page's load event is reported back ("/loaded", requested by the page's own script),
// then ends the command's process group. The page is the same whichever program shows
// it, so the figure is exec to the first page loaded for any of them.

#include <arpa/inet.h>
#include <errno.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static const char kPage[] =
    "<!DOCTYPE html><html><head><title>Benchmark page</title></head>"
    "<body style=\"background:#000;color:#ccc;font:32px sans-serif\">"
    "<h1>Benchmark page</h1><p>One page, loaded once.</p>"
    "<script>addEventListener('load', function () {"
    " new Image().src = '/loaded?' + Date.now(); });</script></body></html>";

static double NowMs(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec * 1000.0 + (double)now.tv_nsec / 1e6;
}

static int Listen(int port) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    struct sockaddr_in address;
    memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_port = htons((unsigned short)port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || bind(fd, (struct sockaddr*)&address, sizeof address) != 0 ||
        listen(fd, 16) != 0) {
        return -1;
    }
    return fd;
}

static void Reply(int fd, const char* status, const char* body) {
    char head[256];
    int length = snprintf(head, sizeof head,
                          "HTTP/1.1 %s\r\nContent-Type: text/html\r\nContent-Length: %zu\r\n"
                          "Cache-Control: no-store\r\nConnection: close\r\n\r\n",
                          status, strlen(body));
    if (write(fd, head, (size_t)length) < 0 || write(fd, body, strlen(body)) < 0) {
        // The client went away; nothing to do.
    }
}

// Answers one request; true when it was the page's report of its load event.
static int Serve(int client) {
    char request[2048];
    ssize_t got = read(client, request, sizeof request - 1);
    int loaded = 0;
    if (got > 0) {
        request[got] = '\0';
        if (strncmp(request, "GET /page.htm", 13) == 0) {
            fprintf(stderr, "show-load-time: page requested at %.1f ms\n", NowMs());
            Reply(client, "200 OK", kPage);
        } else if (strncmp(request, "GET /loaded", 11) == 0) {
            loaded = 1;
            Reply(client, "200 OK", "");
        } else {
            Reply(client, "404 Not Found", "");
        }
    }
    close(client);
    return loaded;
}

static void End(pid_t child) {
    kill(-child, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(child, NULL, WNOHANG) == child) {
            return;
        }
        usleep(50000);
    }
    kill(-child, SIGKILL);
    waitpid(child, NULL, 0);
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fputs("usage: show-load-time PORT COMMAND [ARGUMENT...]\n", stderr);
        return 2;
    }
    int server = Listen(atoi(argv[1]));
    if (server < 0) {
        fprintf(stderr, "show-load-time: cannot listen on port %s: %s\n", argv[1], strerror(errno));
        return 1;
    }
    const double start = NowMs();
    fprintf(stderr, "show-load-time: %s started at %.1f ms of the monotonic clock\n", argv[2],
            start);
    pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        dup2(STDERR_FILENO, STDOUT_FILENO);  // this program's output is its figure alone
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    setpgid(child, child);
    double elapsed = -1;
    while (elapsed < 0 && NowMs() - start < 60000) {
        struct pollfd wait = {server, POLLIN, 0};
        if (poll(&wait, 1, 100) > 0) {
            int client = accept4(server, NULL, NULL, SOCK_CLOEXEC);
            if (client >= 0 && Serve(client)) {
                elapsed = NowMs() - start;
            }
        }
        if (waitpid(child, NULL, WNOHANG) == child) {
            fprintf(stderr, "show-load-time: %s ended before its page loaded\n", argv[2]);
            return 1;
        }
    }
    End(child);
    close(server);
    if (elapsed < 0) {
        fprintf(stderr, "show-load-time: %s loaded no page within 60 s\n", argv[2]);
        return 1;
    }
    printf("%.1f\n", elapsed);
    return 0;
}
